// The one way text enters a fixed-width record field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace zqinternal {

// Zero-fills the whole field, then copies at most capacity - 1 bytes of
// `text` (length bytes, or up to its NUL when length is npos), so the field
// always ends in NUL. A null text leaves the field empty.
inline void copyText(char* field, size_t capacity, const char* text, size_t length = static_cast<size_t>(-1)) {
    if (capacity == 0) return;
    std::memset(field, 0, capacity);
    if (!text) return;
    if (length == static_cast<size_t>(-1)) length = std::strlen(text);
    std::memcpy(field, text, length < capacity - 1 ? length : capacity - 1);
}

template <size_t N>
void copyText(char (&field)[N], const char* text, size_t length = static_cast<size_t>(-1)) {
    copyText(field, N, text, length);
}

// Copies one fixed field into another. The source need not end in NUL
// within its width; nothing past it is read.
template <size_t N, size_t M>
void copyField(char (&field)[N], const char (&source)[M]) {
    copyText(field, N, source, strnlen(source, M));
}

// The text of a fixed field that need not end in NUL within its width.
template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace zqinternal
