#include "numberarg.h"

#include <cstdlib>

namespace zqhost {

bool parseCount(const std::string& text, long low, long high, int& out) {
    char* end = nullptr;
    long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || n < low || n > high) return false;
    out = static_cast<int>(n);
    return true;
}

bool parseAmount(const std::string& text, double low, double high, double& out) {
    char* end = nullptr;
    double n = std::strtod(text.c_str(), &end);
    if (text.empty() || *end || !(n >= low && n <= high)) return false;
    out = n;
    return true;
}

}  // namespace zqhost
