// The pending line behind a ZqLog handle.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

namespace Norq {

// One line being built. Shared by every copy of the ZqLog that made it; the
// last copy to go deletes it, and deletion writes the line.
class ZqLogImpl {
public:
    ZqLogImpl(const char* file, int line, const char* function);
    virtual ~ZqLogImpl();

    std::ostringstream text;
    std::string file;
    int32_t line;
    std::string function;
    int32_t level = 1;  // info, for lines that never chose a level
    std::string user_log;
    bool user_flag = false;
    int32_t mode = 0;
    int32_t copies = 1;  // ZqLog handles sharing this line
};

}  // namespace Norq
