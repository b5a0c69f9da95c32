#include "barpushtext.h"

#include <charconv>

#include "barcatalog.h"

namespace zqhost {

namespace {

void appendJsonText(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    out += '"';
}

void appendNumber(std::string& out, const char* key, double value) {
    char text[32];
    out += ",\"";
    out += key;
    out += "\":";
    out.append(text, static_cast<size_t>(std::to_chars(text, text + sizeof text, value).ptr - text));
}

}  // namespace

void appendBarPush(const Bar& bar, std::string& out) {
    out += "{\"security_symbol\":";
    appendJsonText(out, bar.symbol);
    out += ",\"timestamp\":\"";
    char time[kDisplayTimeBytes];
    writeDisplayTime(bar.stamp, time);
    out.append(time, sizeof time);
    out += '"';
    appendNumber(out, "open", bar.open);
    appendNumber(out, "high", bar.high);
    appendNumber(out, "low", bar.low);
    appendNumber(out, "close", bar.close);
    appendNumber(out, "volume", bar.volume);
    appendNumber(out, "money", bar.amount);
    out += ",\"num_trades\":0,\"period_type\":\"";
    out += periodName(bar.period);
    out += "\"}";
}

}  // namespace zqhost
