// The text of one log line as it is built: a stream buffer that holds short
// lines in place and moves to the heap only for long ones, and hands the
// text over without a copy.
#pragma once

#include <cstring>
#include <streambuf>
#include <string>

namespace Norq {

class LineBuffer final : public std::streambuf {
public:
    LineBuffer() { setp(local_, local_ + sizeof local_ - 1); }
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    void append(const char* text, size_t size) { sputn(text, static_cast<std::streamsize>(size)); }

    // The text so far, NUL-terminated; the put area always keeps one byte
    // past its end for the terminator.
    const char* c_str() {
        *pptr() = '\0';
        return pbase();
    }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (!grow()) return traits_type::eof();
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }

private:
    // Doubles the area. An allocation failure leaves the line cut short
    // rather than throwing into the strategy's log statement.
    bool grow() {
        const size_t used = static_cast<size_t>(pptr() - pbase());
        try {
            const bool wasLocal = pbase() == local_;
            heap_.resize(2 * (used + 1));
            if (wasLocal) std::memcpy(&heap_[0], local_, used);
        } catch (...) {
            return false;
        }
        setp(&heap_[0], &heap_[0] + heap_.size() - 1);
        // A log line stays far below 2 GiB, so the offset fits pbump's int.
        pbump(static_cast<int>(used));
        return true;
    }

    char local_[256];
    std::string heap_;
};

}  // namespace Norq
