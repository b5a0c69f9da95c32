// The SDK's text types. Both cross the library boundary by value, so their
// layouts and member signatures are part of the binary interface.
#pragma once

#include <cstdint>

#include "norq/export.h"

namespace Norq {

// Owned, NUL-terminated byte string. The buffer is never null while the
// string lives; `length` is the count recorded when the text was set.
class NORQ_EXPORT ZqString {
public:
    ZqString();
    ZqString(const char* s);  // null gives the empty text
    ZqString(const ZqString& o);
    ZqString& operator=(const ZqString& o);
    ~ZqString();

    bool operator==(const ZqString& o) const;
    bool operator!=(const ZqString& o) const;
    // REQUIRES: 0 <= i <= length(); no bounds check.
    char operator[](int i);
    ZqString operator+(const ZqString& o);
    ZqString& operator+=(const ZqString& o);

    int length() const;
    // Valid until the string is changed or destroyed.
    const char* str() const;

private:
    char* data_;
    int32_t length_;
};

static_assert(sizeof(ZqString) == 16, "ZqString layout is part of the SDK");

class SymbolListImpl;

// Ordered list of symbol texts, duplicates allowed. Copying transfers the
// content: the source is left holding nothing and may then only be destroyed
// or assigned to.
class NORQ_EXPORT SymbolList {
public:
    SymbolList();
    SymbolList(SymbolList& o);
    SymbolList(SymbolList&& o);
    SymbolList& operator=(SymbolList& o);
    ~SymbolList();

    void put(const char* symbol);  // null is ignored
    ZqString get(int i) const;     // out of range gives the empty text
    int getSize() const;
    int index(const char* symbol);  // -1 when absent
    SymbolList& operator+=(const SymbolList& other);
    // Takes this list's content over into the result, then appends other.
    SymbolList operator+(const SymbolList& other);

private:
    SymbolListImpl* impl;
};

static_assert(sizeof(SymbolList) == sizeof(void*), "SymbolList is a handle");

}  // namespace Norq
