#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zqhost {

namespace {

std::string fixed(double value, int decimals) {
    double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0) rounded = 0;  // drops the sign of a negative zero
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    return text;
}

// A drawdown of 0.0036% is not "0.00%": tiny values keep two significant
// digits, written out without an exponent.
std::string significant(double value, int digits) {
    int decimals = digits - 1 - static_cast<int>(std::floor(std::log10(std::abs(value))));
    return fixed(value, std::min(decimals, 12));
}

std::string withSign(double value, std::string text) {
    return (value > 0 && text.find_first_of("123456789") != std::string::npos) ? "+" + text : text;
}

}  // namespace

std::string groupedNumber(double value, int decimals) {
    std::string text = fixed(value, decimals);
    std::size_t digitsStart = text[0] == '-' ? 1 : 0;
    std::size_t point = text.find('.');
    if (point == std::string::npos) point = text.size();
    for (std::size_t at = point; at > digitsStart + 3; at -= 3) text.insert(at - 3, ",");
    return text;
}

std::string moneyText(double value) {
    return groupedNumber(value, 2);
}

std::string signedMoneyText(double value) {
    return withSign(value, moneyText(value));
}

std::string percentText(std::optional<double> fraction, bool showSign) {
    if (!fraction) return "n/a";
    double percent = *fraction * 100;
    std::string text = (percent != 0 && std::abs(percent) < 0.005 ? significant(percent, 2) : fixed(percent, 2)) + "%";
    return showSign ? withSign(*fraction, text) : text;
}

std::string priceText(double price) {
    std::string text = fixed(price, 4);
    std::size_t point = text.find('.');
    while (text.size() > point + 3 && text.back() == '0') text.pop_back();
    return text;
}

std::string ratioText(std::optional<double> ratio) {
    if (!ratio) return "n/a";
    return groupedNumber(*ratio, 2);
}

std::string durationText(std::optional<double> seconds) {
    if (!seconds) return "n/a";
    long long minutes = std::llround(*seconds / 60);
    long long days = minutes / 1440, hours = minutes / 60 % 24;
    char text[64];
    if (days > 0) {
        std::snprintf(text, sizeof text, "%lldd %lldh %02lldm", days, hours, minutes % 60);
    } else if (hours > 0) {
        std::snprintf(text, sizeof text, "%lldh %02lldm", hours, minutes % 60);
    } else {
        std::snprintf(text, sizeof text, "%lldm", minutes);
    }
    return text;
}

}  // namespace zqhost
