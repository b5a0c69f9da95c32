// Numbers as the report and the terminal show them: amounts of money with
// thousands separators, fractions as percentages, "n/a" where a figure has no
// value. The summary file keeps raw numbers instead.
#pragma once

#include <optional>
#include <string>

namespace zqhost {

std::string groupedNumber(double value, int decimals);                           // "1,234,567.89"; never "-0.00"
std::string moneyText(double value);                                             // two decimals, grouped
std::string signedMoneyText(double value);                                       // "+12.30", "-12.30", "0.00"
std::string percentText(std::optional<double> fraction, bool showSign = false);  // "1.23%", "0.0036%" or "n/a"
std::string priceText(double price);
std::string ratioText(std::optional<double> ratio);       // "1.23" or "n/a"
std::string durationText(std::optional<double> seconds);  // "2d 3h 05m", "3h 05m", "12m" or "n/a"  // two to four decimals: "10.50", "2.635"

}  // namespace zqhost
