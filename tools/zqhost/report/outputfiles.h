// The files a run writes (--summary, --report, --record, --log), checked
// before the first bar: no two name the same file, none names an input (a
// bar file, the strategy library), and each result file can be created,
// so that an hour-long run does not end with its results lost. The main
// thread, before the run.
#pragma once

#include <string>
#include <vector>

namespace zqhost {

struct NamedFile {
    std::string option;  // "--summary", "--bars", ...
    std::string path;    // empty: not given
};

// False with the reason in `error` when two outputs, or an output and an
// input, are the same file (however the paths are spelled).
bool outputsAreDistinct(const std::vector<NamedFile>& outputs, const std::vector<NamedFile>& inputs,
                        std::string& error);

// Whether the file at `path` can be written whole (atomicfile.h): creates
// the temporary file beside it and removes it again. On failure returns
// false with the reason in `error`; nothing is left behind either way.
bool canWriteResult(const NamedFile& file, std::string& error);

}  // namespace zqhost
