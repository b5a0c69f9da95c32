// The pending line behind a ZqLog handle.
#pragma once

#include <charconv>
#include <cstdint>
#include <locale>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>

#include "sdk/linebuffer.h"

namespace Norq {

// One line being built. Shared by every copy of the ZqLog that made it; the
// last copy to go deletes it, and deletion writes the line.
class ZqLogImpl {
public:
    ZqLogImpl(const char* file, int line, const char* function);
    ~ZqLogImpl();
    ZqLogImpl(const ZqLogImpl&) = delete;
    ZqLogImpl& operator=(const ZqLogImpl&) = delete;

    void append(const char* text, size_t size) { buffer.append(text, size); }

    // Numbers come out exactly as a default-formatted stream writes them (six
    // significant digits in the shorter of fixed and scientific form). Most
    // lines are short texts and a few numbers, so they are formatted here and
    // the stream, whose construction costs more than the rest of such a line,
    // is built only when a record or a locale other than the classic one
    // needs it.
    template <typename T>
    void appendNumber(T value) {
        if (std::locale() == std::locale::classic()) {
            char digits[32];
            std::to_chars_result written;
            if constexpr (std::is_floating_point_v<T>) {
                written = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value),
                                        std::chars_format::general, 6);
            } else {
                written = std::to_chars(digits, digits + sizeof digits, value);
            }
            if (written.ec == std::errc()) {
                append(digits, static_cast<size_t>(written.ptr - digits));
                return;
            }
        }
        stream() << value;
    }

    // Records and lists write through a stream over the same text.
    std::ostream& stream() {
        if (!stream_) stream_.emplace(&buffer);
        return *stream_;
    }

    std::string file;
    int32_t line;
    std::string function;
    int32_t level = 1;  // info, for lines that never chose a level
    std::string user_log;
    bool user_flag = false;
    int32_t mode = 0;
    int32_t copies = 1;  // ZqLog handles sharing this line

private:
    LineBuffer buffer;
    std::optional<std::ostream> stream_;
};

}  // namespace Norq
