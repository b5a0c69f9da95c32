// The bar push read by the plain reader and through Qt: for every text, the
// converter the adapter runs must give Qt's result, Qt's record to the byte
// and Qt's log records; the plain shape must be taken by the plain reader
// (or the replay loses its speed) and everything in doubt left to Qt.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "barpushreading.h"
#include "logcapture.h"

namespace {

using Norq::KLineDataPush;

// The text reads as Qt reads it, and the plain reader takes it or not.
::testing::AssertionResult readsAsQt(const char* json, bool taken) {
    bool tookIt = false;
    const std::string difference = barpush::differenceFromQt(json, tookIt);
    if (!difference.empty()) return ::testing::AssertionFailure() << difference;
    if (tookIt != taken) return ::testing::AssertionFailure() << (tookIt ? "taken" : "declined");
    return ::testing::AssertionSuccess();
}

const char* const kSample = R"({"security_symbol":"600000.SH","timestamp":"2024-01-02 09:31:00","open":10.1,)"
                            R"("close":10.2,"high":10.5,"low":9.9,"money":1234567.5,"volume":150000,)"
                            R"("num_trades":321,"period_type":"kline_1m"})";

TEST(BarPushParser, PlainBarsAreTakenAndReadAsQtReadsThem) {
    // clang-format off
    const struct { const char* name; const char* json; } cases[] = {
        {"sample", kSample},
        {"17 significant digits", R"({"security_symbol":"000001.SZ","timestamp":"2024-01-02 09:31:00",)"
            R"("open":10.123456789012345,"high":10.529999999999999,"low":9.8999999999999986,)"
            R"("close":10.199999999999999,"volume":150000,"money":1518374.6543210123,"num_trades":0,)"
            R"("period_type":"kline_1m"})"},
        {"shortest texts with exponents", R"({"open":1e+06,"close":2.5E-3,"high":1E5,"low":7e0,"money":1.5e+300})"},
        {"space, tab, line feed and return between tokens", " \t{\r\n\"open\" :\t1.5 ,\n\"period_type\"\r:\"kline_1m\" } \n"},
        {"no members", "{}"}, {"some members", R"({"close":3})"},
        {"texts cut to their fields", R"({"security_symbol":"600000.SH.EXTRA-LONG","timestamp":"2024-01-02 09:31:00.123456789",)"
            R"("period_type":"kline_1m_and_then_some"})"},
        {"empty texts", R"({"security_symbol":"","timestamp":"","period_type":""})"},
        {"every printable character", R"({"security_symbol":" !#$%&'()*+,-./09:;<=>?@AZ[]^_`az{|}~"})"},
        {"counts cut toward zero", R"({"volume":1500.9,"num_trades":-12.7})"},
        {"counts beyond 64 bits saturate", R"({"volume":9223372036854775808,"num_trades":-9223372036854775809})"},
        {"integers beyond 2^53 round to even", R"({"open":9007199254740993,"close":-9223372036854775807})"},
        {"zeros", R"({"open":0,"close":0.0,"high":0e7,"low":0.000E-5})"},
        {"double limits", R"({"open":1.7976931348623157e308,"close":2.2250738585072014e-308,"high":-4.9e-300})"},
        {"halfway cases round to even", R"({"open":9007199254740993.0,"close":0.30000000000000004})"},
        {"40 mantissa digits", R"({"open":1234567890123456789012345678901234567890})"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_TRUE(readsAsQt(c.json, true)) << c.name;
}

TEST(BarPushParser, EverythingElseIsLeftToQt) {
    // clang-format off
    const struct { const char* name; const char* json; } cases[] = {
        {"no text", nullptr}, {"empty text", ""}, {"not JSON", "not json"}, {"an array", R"([{"open":1}])"},
        {"unclosed", R"({"open":1)"}, {"unclosed string", R"({"security_symbol":"600000.SH)"},
        {"trailing comma", R"({"open":1,})"}, {"missing colon", R"({"open" 1})"}, {"garbage after", R"({"open":1}x)"},
        {"a second object after", R"({"open":1}{})"}, {"byte order mark", "\xef\xbb\xbf{\"open\":1}"},
        {"form feed between tokens", "{\"open\":1\f}"}, {"form feed after", "{\"open\":1}\f"},
        {"duplicate key", R"({"open":1,"open":2})"}, {"unknown key", R"({"open":1,"extra":2})"},
        {"duplicate text key", R"({"security_symbol":"A","security_symbol":"B"})"},
        {"key case", R"({"Open":1})"}, {"escaped key", R"({"\u006fpen":1})"},
        {"escaped quote in text", R"({"security_symbol":"60\"0000"})"},
        {"unicode escape in text", R"({"security_symbol":"60\u00300000.SH"})"},
        {"tab inside text", "{\"security_symbol\":\"600000\t.SH\"}"},
        {"delete character", "{\"security_symbol\":\"600000\x7f.SH\"}"},
        {"UTF-8 text", "{\"security_symbol\":\"\xc3\xa9\"}"}, {"invalid UTF-8", "{\"security_symbol\":\"\xff\"}"},
        {"object value", R"({"open":{"value":1}})"}, {"array value", R"({"open":[1]})"},
        {"text for a price", R"({"low":"9.9"})"}, {"number for a text", R"({"security_symbol":600000})"},
        {"true", R"({"open":true})"}, {"null", R"({"security_symbol":null})"}, {"minus zero", R"({"open":-0})"},
        {"minus zero with a fraction", R"({"open":-0.0})"}, {"minus zero with an exponent", R"({"open":-0e3})"},
        {"no integer part", R"({"open":.5})"}, {"no fraction digits", R"({"open":1.})"},
        {"no fraction digits before an exponent", R"({"open":1.e5})"}, {"leading zero", R"({"open":01})"},
        {"plus sign", R"({"open":+1})"}, {"minus alone", R"({"open":-})"}, {"no exponent digits", R"({"open":1e})"},
        {"exponent sign alone", R"({"open":1e+})"}, {"four exponent digits", R"({"open":1e0001})"},
        {"overflow", R"({"open":1e309})"}, {"underflow", R"({"open":1e-400})"},
        {"negative underflow", R"({"open":-1e-400})"}, {"subnormal", R"({"open":1e-320})"},
        {"rounds down to subnormal", R"({"open":2.2250738585072011e-308})"},
        {"41 mantissa digits", R"({"open":12345678901234567890123456789012345678901})"},
        {"an exact halfway value in full", R"({"open":1.00000000000000011102230246251565404236316680908203125})"},
        {"infinity", R"({"open":Infinity})"}, {"hexadecimal", R"({"open":0x10})"}, {"two dots", R"({"open":1.5.3})"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_TRUE(readsAsQt(c.json, false)) << c.name;
    // No text at all is a parse error, as it always was.
    fake::LogCapture capture;
    KLineDataPush bar;
    EXPECT_EQ(ZqStructAssembler::AssemblePushKLineData(nullptr, bar), -1);
    ASSERT_EQ(capture.platform.size(), 1u);
    EXPECT_EQ(capture.platform[0].function, "ZqStructAssembler::AssemblePushKLineData");
}

// The local host writes prices with 17 significant digits, or as the
// shortest text that reads back to the same double; every such bar must be
// taken, and so give back the very doubles Qt reads.
TEST(BarPushParser, BarsAsTheLocalHostWritesThemAreTakenAndReadBack) {
    std::mt19937_64 random(24);
    std::uniform_real_distribution<double> price(0.001, 5000), walk(-0.05, 0.05);
    std::uniform_int_distribution<int> exponent(-12, 14);
    for (int i = 0; i < 2000; ++i) {
        const double open = price(random), close = open * (1 + walk(random));
        const double money = std::ldexp(price(random), exponent(random)) + 0.0, volume = std::floor(money / open);
        char texts[4][40];
        const double values[4] = {open, close, money, volume};
        for (int v = 0; v < 4; ++v) {
            if (i % 2) *std::to_chars(texts[v], texts[v] + sizeof texts[v] - 1, values[v]).ptr = '\0';
            else std::snprintf(texts[v], sizeof texts[v], "%.17g", values[v]);
        }
        char json[400];
        std::snprintf(json, sizeof json,
                      R"({"security_symbol":"600000.SH","timestamp":"2024-01-02 09:31:00","open":%s,"high":%s,)"
                      R"("low":%s,"close":%s,"volume":%s,"money":%s,"num_trades":0,"period_type":"kline_1m"})",
                      texts[0], texts[0], texts[1], texts[1], texts[3], texts[2]);
        ASSERT_TRUE(readsAsQt(json, true)) << json;
    }
}

}  // namespace
