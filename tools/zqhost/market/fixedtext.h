// Texts in the fixed fields of host records and platform rows, which need
// not end in NUL when they fill the field.
#pragma once

#include <cstring>
#include <string>

namespace zqhost {

template <size_t N>
std::string fixedText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

// Zero-fills the field and copies at most N - 1 bytes of `text` into it.
template <size_t N>
void putText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), text.size() < N - 1 ? text.size() : N - 1);
}

}  // namespace zqhost
