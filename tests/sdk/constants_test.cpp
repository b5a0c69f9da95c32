// Every SDK constant, in declaration order, with its value.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "norq/constants.h"

namespace {

TEST(Constants, EveryConstantHoldsItsValue) {
    using namespace Norq;
    // clang-format off
    const std::vector<std::pair<const ZqString*, std::string>> expected = {
        {&KLINE_1M, "kline_1m"}, {&KLINE_5M, "kline_5m"}, {&KLINE_15M, "kline_15m"}, {&KLINE_30M, "kline_30m"},
        {&KLINE_60M, "kline_60m"}, {&KLINE_1D, "kline_1d"}, {&PRICE_TYPE_1, "1"}, {&PRICE_TYPE_A, "a"},
        {&PRICE_TYPE_B, "b"}, {&PRICE_TYPE_C, "c"}, {&PRICE_TYPE_D, "d"}, {&PRICE_TYPE_E, "e"}, {&PRICE_TYPE_F, "f"},
        {&PRICE_TYPE_L, "l"}, {&PRICE_TYPE_PFP, "PFP"}, {&PRICE_TYPE_0, "0"}, {&PRICE_TYPE_2, "2"},
        {&ORDER_FLAG_NORMAL, "0"}, {&ORDER_FLAG_ETF, "N"}, {&ORDER_FLAG_F, "f"}, {&ENTRUST_PROP_FREEZE, "9"},
        {&ENTRUST_PROP_EXERCISE, "a"}, {&ORDER_FLAG_BOND_CONVERT, "7"}, {&EXCHANGE_SH, "SH"}, {&EXCHANGE_SZ, "SZ"},
        {&EXCHANGE_SHF, "SHF"}, {&EXCHANGE_CF, "CF"}, {&EXCHANGE_ZCE, "ZCE"}, {&EXCHANGE_DCE, "DCE"},
        {&EXCHANGE_HK, "HK"}, {&EXCHANGE_SI, "SI"}, {&EXCHANGE_BJ, "BJ"}, {&SECURITY_TYPE_MINUS_1, "-1"},
        {&SECURITY_TYPE_1, "1"}, {&SECURITY_TYPE_2, "2"}, {&SECURITY_TYPE_9, "9"}, {&SECURITY_TYPE_A, "A"},
        {&SECURITY_TYPE_B, "B"}, {&SECURITY_TYPE_C, "C"}, {&SECURITY_TYPE_D, "D"}, {&SECURITY_TYPE_G, "G"},
        {&SECURITY_TYPE_H, "H"}, {&SECURITY_TYPE_HK, "HK"}, {&SECURITY_TYPE_M, "M"}, {&SECURITY_TYPE_N, "N"},
        {&SECURITY_TYPE_O, "O"}, {&SECURITY_TYPE_P, "P"}, {&SECURITY_TYPE_S, "S"}, {&SECURITY_TYPE_SSC, "SSC"},
        {&SECURITY_TYPE_SZC, "SZC"}, {&SECURITY_TYPE_EMPTY, ""}, {&SECURITY_CATEGORY_1, "1"},
        {&SECURITY_CATEGORY_2, "2"}, {&SECURITY_CATEGORY_3, "3"}, {&SECURITY_CATEGORY_4, "4"},
        {&SECURITY_CATEGORY_5, "5"}, {&SECURITY_CATEGORY_6, "6"}, {&SECURITY_CATEGORY_7, "7"},
        {&SECURITY_CATEGORY_8, "8"}, {&SECURITY_CATEGORY_9, "9"}, {&SECURITY_CATEGORY_10, "10"},
        {&SECURITY_CATEGORY_11, "11"}, {&SECURITY_SUBTYPE_01002, "01002"}, {&SECURITY_SUBTYPE_01003, "01003"},
        {&SECURITY_SUBTYPE_01004, "01004"}, {&SECURITY_SUBTYPE_01005, "01005"}, {&SECURITY_SUBTYPE_01006, "01006"},
        {&SECURITY_SUBTYPE_01007, "01007"}, {&SECURITY_SUBTYPE_02001, "02001"}, {&SECURITY_SUBTYPE_02200, "02200"},
        {&SECURITY_SUBTYPE_02002, "02002"}, {&SECURITY_SUBTYPE_02003, "02003"}, {&SECURITY_SUBTYPE_02006, "02006"},
        {&SECURITY_SUBTYPE_02007, "02007"}, {&SECURITY_SUBTYPE_02008, "02008"}, {&SECURITY_SUBTYPE_02009, "02009"},
        {&SECURITY_SUBTYPE_02010, "02010"}, {&SECURITY_SUBTYPE_02011, "02011"}, {&SECURITY_SUBTYPE_02022, "02022"},
        {&SECURITY_SUBTYPE_02100, "02100"}, {&SECURITY_SUBTYPE_03001, "03001"}, {&SECURITY_SUBTYPE_03003, "03003"},
        {&SECURITY_SUBTYPE_03004, "03004"}, {&SECURITY_SUBTYPE_03005, "03005"}, {&SECURITY_SUBTYPE_03006, "03006"},
        {&SECURITY_SUBTYPE_03007, "03007"}, {&SECURITY_SUBTYPE_04001, "04001"}, {&SECURITY_SUBTYPE_04002, "04002"},
        {&SECURITY_SUBTYPE_04003, "04003"}, {&SECURITY_SUBTYPE_04004, "04004"}, {&SECURITY_SUBTYPE_04005, "04005"},
        {&SECURITY_SUBTYPE_04006, "04006"}, {&SECURITY_SUBTYPE_04007, "04007"}, {&SECURITY_SUBTYPE_04008, "04008"},
        {&SECURITY_SUBTYPE_04009, "04009"}, {&SECURITY_SUBTYPE_04010, "04010"}, {&SECURITY_SUBTYPE_04011, "04011"},
        {&SECURITY_SUBTYPE_05001, "05001"}, {&SECURITY_SUBTYPE_05002, "05002"}, {&SECURITY_SUBTYPE_05003, "05003"},
        {&SECURITY_SUBTYPE_05004, "05004"}, {&SECURITY_SUBTYPE_07001, "07001"}, {&SECURITY_SUBTYPE_07002, "07002"},
        {&SECURITY_SUBTYPE_08001, "08001"}, {&SECURITY_SUBTYPE_08002, "08002"}, {&SECURITY_SUBTYPE_08003, "08003"},
        {&SECURITY_SUBTYPE_08004, "08004"}, {&SECURITY_SUBTYPE_08005, "08005"}, {&SECURITY_SUBTYPE_08006, "08006"},
        {&SECURITY_SUBTYPE_08007, "08007"}, {&TRAILING_FLAG_0, "0"}, {&TRAILING_FLAG_2, "2"},
    };
    // clang-format on
    ASSERT_EQ(expected.size(), 112u);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first->str(), expected[i].second) << "constant " << i + 1;
        EXPECT_EQ(expected[i].first->length(), static_cast<int>(expected[i].second.size())) << "constant " << i + 1;
    }
}

}  // namespace
