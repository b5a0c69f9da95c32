// The converters of the host's answers to ETF queries. The host sends some
// numbers as JSON numbers and others as decimal texts, key by key; each key
// is read with the type the host uses for it.
#include <QJsonArray>
#include <memory>

#include "convert/jsonfields.h"
#include "convert/zqstructassembler.h"

using namespace Norq;
using namespace zqinternal;

namespace {

constexpr const char* kSource = "zqstructassembler";

using EtfRead = JsonRead<EtfInfo>;
const JsonKey<EtfInfo> kEtfInfoKeys[] = {
    {"etf_symbol", EtfRead::text<&EtfInfo::etf_symbol>},
    {"report_unit", EtfRead::wholeNumber<&EtfInfo::report_unit>},
    {"cash_balance", EtfRead::decimalText<&EtfInfo::cash_balance>},
    {"max_cash_ratio", EtfRead::number<&EtfInfo::max_cash_ratio>},
    {"pre_cash_componet", EtfRead::decimalText<&EtfInfo::pre_cash_componet>},
    {"nav_percu", EtfRead::decimalText<&EtfInfo::nav_percu>},
    {"nav_pre", EtfRead::decimalText<&EtfInfo::nav_pre>},
    {"allot_max", EtfRead::truncatedNumber<&EtfInfo::allot_max>},
    {"redeem_max", EtfRead::truncatedNumber<&EtfInfo::redeem_max>},
    {"etf_type", EtfRead::integerText<&EtfInfo::etf_type>},
    {"etf_status", EtfRead::integerText<&EtfInfo::etf_status>},
};

using ConstituentRead = JsonRead<EtfConstituentInfo>;
const JsonKey<EtfConstituentInfo> kConstituentKeys[] = {
    {"sample_size", ConstituentRead::wholeNumber<&EtfConstituentInfo::sample_size>},
    {"cash_replace_flag", ConstituentRead::integerText<&EtfConstituentInfo::cash_replace_flag>},
    {"deposit_ratio", ConstituentRead::number<&EtfConstituentInfo::deposit_ratio>},
    {"replace_balance", ConstituentRead::number<&EtfConstituentInfo::replace_balance>},
    {"pre_close", ConstituentRead::number<&EtfConstituentInfo::pre_close_px>},
    {"high_limit_price", ConstituentRead::number<&EtfConstituentInfo::high_limit_px>},
    {"low_limit_price", ConstituentRead::number<&EtfConstituentInfo::low_limit_px>},
    {"suspend_flag", ConstituentRead::positiveNumber<&EtfConstituentInfo::suspend_flag>},
};

}  // namespace

EtfInfo ZqStructAssembler::assembleEtfInfo(const std::string& json) {
    EtfInfo info;
    zeroFill(info);
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, "ZqStructAssembler::assembleEtfInfo", json, parsed.error);
        return info;
    }
    QJsonObject o = parsed.document.object();
    copyJsonText(info.etf_fund_symbol, member(o, "etf_fund_symbol"));
    // The host's way of saying it knows no such ETF.
    if (info.etf_fund_symbol[0] == '\0') return info;
    readKeys(o, kEtfInfoKeys, info);
    return info;
}

void ZqStructAssembler::assembleEtfConstituentList(const std::string& json, EtfConstituentList& list) {
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, "ZqStructAssembler::assembleEtfConstituentList", json, parsed.error);
        return;
    }
    for (const QJsonValue& element : parsed.document.array()) {
        QJsonObject o = element.toObject();
        std::unique_ptr<EtfConstituentInfo> constituent(new EtfConstituentInfo);
        zeroFill(*constituent);
        copyJsonText(constituent->symbol, member(o, "security_symbol"));
        if (constituent->symbol[0] == '\0') continue;
        readKeys(o, kConstituentKeys, *constituent);
        list.push(constituent.release());
    }
}
