// The SDK's text constants: bar periods, exchange codes and the codes of
// trading requests. They have internal linkage, so every unit that includes
// this header holds its own copies, built when its library loads. Read them
// through str(). Order sides and statuses are numbers (ordercodes.h).
#pragma once

#include "norq/ordercodes.h"
#include "norq/zqstring.h"

namespace Norq {

// Bar periods
static const ZqString KLINE_1M("kline_1m");
static const ZqString KLINE_5M("kline_5m");
static const ZqString KLINE_15M("kline_15m");
static const ZqString KLINE_30M("kline_30m");
static const ZqString KLINE_60M("kline_60m");
static const ZqString KLINE_1D("kline_1d");

// Price-type codes
static const ZqString PRICE_TYPE_1("1");
static const ZqString PRICE_TYPE_A("a");
static const ZqString PRICE_TYPE_B("b");
static const ZqString PRICE_TYPE_C("c");
static const ZqString PRICE_TYPE_D("d");
static const ZqString PRICE_TYPE_E("e");
static const ZqString PRICE_TYPE_F("f");
static const ZqString PRICE_TYPE_L("l");
static const ZqString PRICE_TYPE_PFP("PFP");
static const ZqString PRICE_TYPE_0("0");
static const ZqString PRICE_TYPE_2("2");

// Order flags and entrust properties
static const ZqString ORDER_FLAG_NORMAL("0");
static const ZqString ORDER_FLAG_ETF("N");
static const ZqString ORDER_FLAG_F("f");
static const ZqString ENTRUST_PROP_FREEZE("9");
static const ZqString ENTRUST_PROP_EXERCISE("a");
static const ZqString ORDER_FLAG_BOND_CONVERT("7");

// Exchange codes
static const ZqString EXCHANGE_SH("SH");
static const ZqString EXCHANGE_SZ("SZ");
static const ZqString EXCHANGE_SHF("SHF");
static const ZqString EXCHANGE_CF("CF");
static const ZqString EXCHANGE_ZCE("ZCE");
static const ZqString EXCHANGE_DCE("DCE");
static const ZqString EXCHANGE_HK("HK");
static const ZqString EXCHANGE_SI("SI");
static const ZqString EXCHANGE_BJ("BJ");

// Security-type codes
static const ZqString SECURITY_TYPE_MINUS_1("-1");
static const ZqString SECURITY_TYPE_1("1");
static const ZqString SECURITY_TYPE_2("2");
static const ZqString SECURITY_TYPE_9("9");
static const ZqString SECURITY_TYPE_A("A");
static const ZqString SECURITY_TYPE_B("B");
static const ZqString SECURITY_TYPE_C("C");
static const ZqString SECURITY_TYPE_D("D");
static const ZqString SECURITY_TYPE_G("G");
static const ZqString SECURITY_TYPE_H("H");
static const ZqString SECURITY_TYPE_HK("HK");
static const ZqString SECURITY_TYPE_M("M");
static const ZqString SECURITY_TYPE_N("N");
static const ZqString SECURITY_TYPE_O("O");
static const ZqString SECURITY_TYPE_P("P");
static const ZqString SECURITY_TYPE_S("S");
static const ZqString SECURITY_TYPE_SSC("SSC");
static const ZqString SECURITY_TYPE_SZC("SZC");
static const ZqString SECURITY_TYPE_EMPTY("");

// Security-category codes
static const ZqString SECURITY_CATEGORY_1("1");
static const ZqString SECURITY_CATEGORY_2("2");
static const ZqString SECURITY_CATEGORY_3("3");
static const ZqString SECURITY_CATEGORY_4("4");
static const ZqString SECURITY_CATEGORY_5("5");
static const ZqString SECURITY_CATEGORY_6("6");
static const ZqString SECURITY_CATEGORY_7("7");
static const ZqString SECURITY_CATEGORY_8("8");
static const ZqString SECURITY_CATEGORY_9("9");
static const ZqString SECURITY_CATEGORY_10("10");
static const ZqString SECURITY_CATEGORY_11("11");

// Security sub-type codes
static const ZqString SECURITY_SUBTYPE_01002("01002");
static const ZqString SECURITY_SUBTYPE_01003("01003");
static const ZqString SECURITY_SUBTYPE_01004("01004");
static const ZqString SECURITY_SUBTYPE_01005("01005");
static const ZqString SECURITY_SUBTYPE_01006("01006");
static const ZqString SECURITY_SUBTYPE_01007("01007");
static const ZqString SECURITY_SUBTYPE_02001("02001");
static const ZqString SECURITY_SUBTYPE_02200("02200");
static const ZqString SECURITY_SUBTYPE_02002("02002");
static const ZqString SECURITY_SUBTYPE_02003("02003");
static const ZqString SECURITY_SUBTYPE_02006("02006");
static const ZqString SECURITY_SUBTYPE_02007("02007");
static const ZqString SECURITY_SUBTYPE_02008("02008");
static const ZqString SECURITY_SUBTYPE_02009("02009");
static const ZqString SECURITY_SUBTYPE_02010("02010");
static const ZqString SECURITY_SUBTYPE_02011("02011");
static const ZqString SECURITY_SUBTYPE_02022("02022");
static const ZqString SECURITY_SUBTYPE_02100("02100");
static const ZqString SECURITY_SUBTYPE_03001("03001");
static const ZqString SECURITY_SUBTYPE_03003("03003");
static const ZqString SECURITY_SUBTYPE_03004("03004");
static const ZqString SECURITY_SUBTYPE_03005("03005");
static const ZqString SECURITY_SUBTYPE_03006("03006");
static const ZqString SECURITY_SUBTYPE_03007("03007");
static const ZqString SECURITY_SUBTYPE_04001("04001");
static const ZqString SECURITY_SUBTYPE_04002("04002");
static const ZqString SECURITY_SUBTYPE_04003("04003");
static const ZqString SECURITY_SUBTYPE_04004("04004");
static const ZqString SECURITY_SUBTYPE_04005("04005");
static const ZqString SECURITY_SUBTYPE_04006("04006");
static const ZqString SECURITY_SUBTYPE_04007("04007");
static const ZqString SECURITY_SUBTYPE_04008("04008");
static const ZqString SECURITY_SUBTYPE_04009("04009");
static const ZqString SECURITY_SUBTYPE_04010("04010");
static const ZqString SECURITY_SUBTYPE_04011("04011");
static const ZqString SECURITY_SUBTYPE_05001("05001");
static const ZqString SECURITY_SUBTYPE_05002("05002");
static const ZqString SECURITY_SUBTYPE_05003("05003");
static const ZqString SECURITY_SUBTYPE_05004("05004");
static const ZqString SECURITY_SUBTYPE_07001("07001");
static const ZqString SECURITY_SUBTYPE_07002("07002");
static const ZqString SECURITY_SUBTYPE_08001("08001");
static const ZqString SECURITY_SUBTYPE_08002("08002");
static const ZqString SECURITY_SUBTYPE_08003("08003");
static const ZqString SECURITY_SUBTYPE_08004("08004");
static const ZqString SECURITY_SUBTYPE_08005("08005");
static const ZqString SECURITY_SUBTYPE_08006("08006");
static const ZqString SECURITY_SUBTYPE_08007("08007");

// Trailing flags
static const ZqString TRAILING_FLAG_0("0");
static const ZqString TRAILING_FLAG_2("2");

}  // namespace Norq
