// The bar push read by the plain reader and through Qt: for every text, the
// converter the adapter runs must give Qt's result, Qt's record to the byte
// and Qt's log records; the plain shape must be taken by the plain reader
// (or the replay loses its speed) and everything in doubt left to Qt.
#include <gtest/gtest.h>

#include <string>

#include "barpushreading.h"

namespace {

// The text reads as Qt reads it, and the plain reader takes it or not.
::testing::AssertionResult readsAsQt(const char* json, bool taken) {
    bool tookIt = false;
    const std::string difference = barpush::differenceFromQt(json, tookIt);
    if (!difference.empty()) return ::testing::AssertionFailure() << difference;
    if (tookIt != taken) return ::testing::AssertionFailure() << (tookIt ? "taken" : "declined");
    return ::testing::AssertionSuccess();
}

TEST(BarPushParser, PlainBarsAreTakenAndReadAsQtReadsThem) {
    // clang-format off
    const struct { const char* name; const char* json; } cases[] = {
        {"sample", R"({"security_symbol":"600000.SH","timestamp":"2024-01-02 09:31:00","open":10.1,"close":10.2,)"
            R"("high":10.5,"low":9.9,"money":1234567.5,"volume":150000,"num_trades":321,"period_type":"kline_1m"})"},
        {"shortest texts with exponents", R"({"open":1e+06,"close":2.5E-3,"high":1E5,"low":7e0,"money":1.5e+300})"},
        {"space, tab, line feed and return between tokens", " \t{\r\n\"open\" :\t1.5 ,\n\"period_type\"\r:\"kline_1m\" } \n"},
        {"no members", "{}"},
        {"texts cut to their fields", R"({"security_symbol":"600000.SH.EXTRA-LONG","timestamp":"2024-01-02 09:31:00.123456789",)"
            R"("period_type":"kline_1m_and_then_some"})"},
        {"every printable character", R"({"security_symbol":" !#$%&'()*+,-./09:;<=>?@AZ[]^_`az{|}~"})"},
        {"counts cut toward zero", R"({"volume":1500.9,"num_trades":-12.7})"},
        {"counts beyond 64 bits saturate", R"({"volume":9223372036854775808,"num_trades":-9223372036854775809})"},
        {"zeros", R"({"open":0,"close":0.0,"high":0e7,"low":0.000E-5})"},
        {"double limits", R"({"open":1.7976931348623157e308,"close":2.2250738585072014e-308,"high":-4.9e-300})"},
        {"40 mantissa digits", R"({"open":1234567890123456789012345678901234567890})"},
        // prices as the local host writes them: 17 significant digits, or the shortest text that reads back
        {"17 significant digits", R"({"open":4273.1234567890126,"money":1.2345678901234567e-05,"volume":5.0000000000000005e+20})"},
        {"shortest texts", R"({"open":0.30000000000000004,"money":123456789.98765432,"volume":1e+22})"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_TRUE(readsAsQt(c.json, true)) << c.name;
}

TEST(BarPushParser, EverythingElseIsLeftToQt) {
    // clang-format off
    const struct { const char* name; const char* json; } cases[] = {
        {"no text", nullptr}, {"empty text", ""}, {"an array", R"([{"open":1}])"}, {"unclosed", R"({"open":1)"},
        {"unclosed string", R"({"security_symbol":"600000.SH)"}, {"trailing comma", R"({"open":1,})"},
        {"missing colon", R"({"open" 1})"}, {"garbage after", R"({"open":1}x)"},
        {"form feed between tokens", "{\"open\":1\f}"}, {"duplicate key", R"({"open":1,"open":2})"},
        {"unknown key", R"({"open":1,"extra":2})"}, {"escaped key", R"({"\u006fpen":1})"},
        {"tab inside text", "{\"security_symbol\":\"600000\t.SH\"}"},
        {"delete character", "{\"security_symbol\":\"600000\x7f.SH\"}"},
        {"object value", R"({"open":{"value":1}})"}, {"number for a text", R"({"security_symbol":600000})"},
        {"minus zero", R"({"open":-0})"}, {"no integer part", R"({"open":.5})"}, {"no fraction digits", R"({"open":1.})"},
        {"leading zero", R"({"open":01})"}, {"no exponent digits", R"({"open":1e})"},
        {"four exponent digits", R"({"open":1e0001})"}, {"overflow", R"({"open":1e309})"},
        {"underflow", R"({"open":1e-400})"}, {"subnormal", R"({"open":1e-320})"},
        {"41 mantissa digits", R"({"open":12345678901234567890123456789012345678901})"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_TRUE(readsAsQt(c.json, false)) << c.name;
}

}  // namespace
