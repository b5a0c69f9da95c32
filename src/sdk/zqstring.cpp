#include "norq/zqstring.h"

#include <cstring>

namespace Norq {

namespace {

// Every buffer is zero-filled before text goes in, so bytes past the first
// NUL are always zero.
char* zeroedBuffer(size_t size) {
    char* buffer = new char[size];
    std::memset(buffer, 0, size);
    return buffer;
}

}  // namespace

ZqString::ZqString() : data_(zeroedBuffer(1)), length_(0) {}

ZqString::ZqString(const char* s) : data_(nullptr), length_(0) {
    size_t n = s ? std::strlen(s) : 0;
    data_ = zeroedBuffer(n + 1);
    if (n) std::memcpy(data_, s, n);
    length_ = static_cast<int32_t>(n);
}

ZqString::ZqString(const ZqString& o) : data_(zeroedBuffer(static_cast<size_t>(o.length_) + 1)), length_(o.length_) {
    std::memcpy(data_, o.data_, static_cast<size_t>(o.length_) + 1);
}

ZqString& ZqString::operator=(const ZqString& o) {
    if (this == &o) return *this;
    char* buffer = zeroedBuffer(static_cast<size_t>(o.length_) + 1);
    std::memcpy(buffer, o.data_, static_cast<size_t>(o.length_) + 1);
    delete[] data_;
    data_ = buffer;
    length_ = o.length_;
    return *this;
}

ZqString::~ZqString() {
    delete[] data_;
    data_ = nullptr;
    length_ = 0;
}

bool ZqString::operator==(const ZqString& o) const {
    return std::strcmp(data_, o.data_) == 0;
}

bool ZqString::operator!=(const ZqString& o) const {
    return !(*this == o);
}

char ZqString::operator[](int i) {
    return data_[i];
}

ZqString ZqString::operator+(const ZqString& o) {
    size_t size = static_cast<size_t>(length_) + static_cast<size_t>(o.length_) + 1;
    char* joined = zeroedBuffer(size);
    std::strcpy(joined, data_);
    std::strcat(joined, o.data_);
    ZqString result(joined);
    delete[] joined;
    return result;
}

ZqString& ZqString::operator+=(const ZqString& o) {
    int32_t newLength = length_ + o.length_;
    char* joined = zeroedBuffer(static_cast<size_t>(newLength) + 1);
    std::strcpy(joined, data_);
    std::strcat(joined, o.data_);
    delete[] data_;
    data_ = joined;
    length_ = newLength;
    return *this;
}

int ZqString::length() const {
    return length_;
}

const char* ZqString::str() const {
    return data_;
}

}  // namespace Norq
