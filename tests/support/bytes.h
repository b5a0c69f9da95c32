// Reading fixed layouts back in tests: text fields that need not end in NUL,
// records out of recorded byte buffers, all-zero checks.
#pragma once

#include <cstring>
#include <string>
#include <vector>

namespace fake {

template <size_t N>
std::string text(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// The T at `offset` of `bytes`, or a zero T when the bytes end before it.
template <typename T>
T recordAt(const std::vector<uint8_t>& bytes, size_t offset = 0) {
    T value{};
    if (bytes.size() >= offset + sizeof value) std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <typename T>
bool isAllZero(const T& value) {
    static const T zero{};
    return std::memcmp(&value, &zero, sizeof value) == 0;
}

}  // namespace fake
