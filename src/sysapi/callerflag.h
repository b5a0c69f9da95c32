// Reading a bool that a strategy filled in a request record. The strategy
// may have stored any byte there, and loading a bool that holds neither 0
// nor 1 is undefined, so the byte is read instead.
#pragma once

#include <cstdint>
#include <cstring>

namespace sysapi {

// Any non-zero byte is true.
inline bool flagOf(const bool& flag) {
    uint8_t byte;
    std::memcpy(&byte, &flag, 1);
    return byte != 0;
}

}  // namespace sysapi
