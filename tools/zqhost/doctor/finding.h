// One thing `zqhost doctor` found out about a strategy library, and how much
// it matters: a failure means the library would not load or run.
#pragma once

#include <string>
#include <vector>

namespace zqhost {

struct Finding {
    enum class Level { Ok, Note, Warning, Failure };

    Level level;
    std::string text;
};

using Findings = std::vector<Finding>;

}  // namespace zqhost
