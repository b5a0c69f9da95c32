#include "barpushtext.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "barcatalog.h"

namespace zqhost {

namespace {

// Writes at `out`, which has room; returns the end.
char* put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

char* putNumber(char* out, std::string_view key, double value) {
    out = put(out, key);
    return std::to_chars(out, out + 32, value).ptr;
}

// The symbol as a JSON string; a control character is dropped.
char* putJsonText(char* out, const std::string& text) {
    *out++ = '"';
    for (char c : text) {
        if (c == '"' || c == '\\') *out++ = '\\';
        if (static_cast<unsigned char>(c) >= 0x20) *out++ = c;
    }
    *out++ = '"';
    return out;
}

}  // namespace

void appendBarPush(const Bar& bar, std::string& out) {
    // 2 × 13 symbol bytes, 19 time bytes, six numbers of at most 24
    // characters and the keys stay far below this.
    char text[512];
    char* at = put(text, "{\"security_symbol\":");
    at = putJsonText(at, bar.symbol);
    at = put(at, ",\"timestamp\":\"");
    writeDisplayTime(bar.stamp, at);
    at = put(at + kDisplayTimeBytes, "\"");
    at = putNumber(at, ",\"open\":", bar.open);
    at = putNumber(at, ",\"high\":", bar.high);
    at = putNumber(at, ",\"low\":", bar.low);
    at = putNumber(at, ",\"close\":", bar.close);
    at = putNumber(at, ",\"volume\":", bar.volume);
    at = putNumber(at, ",\"money\":", bar.amount);
    at = put(at, ",\"num_trades\":0,\"period_type\":\"");
    const char* period = periodName(bar.period);
    at = put(at, period ? period : "");
    at = put(at, "\"}");
    out.append(text, static_cast<size_t>(at - text));
}

}  // namespace zqhost
