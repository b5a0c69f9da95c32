// The converters of the host's answers to margin queries. Asset answers use
// camel-case keys, some of which differ from the record's field names;
// contract and lending answers carry their own "error_code" and
// "error_info" beside the "data_list".
#include <QJsonArray>

#include "convert/jsonfields.h"
#include "convert/zqstructassembler.h"

using namespace Norq;
using namespace zqinternal;

namespace {

constexpr const char* kSource = "zqstructassembler";

using AssetRead = JsonRead<MarginAsset>;
const JsonKey<MarginAsset> kAssetKeys[] = {
    {"cashAsset", AssetRead::number<&MarginAsset::cash_asset>},
    {"securityMarketValue", AssetRead::number<&MarginAsset::security_market_value>},
    {"assureAsset", AssetRead::number<&MarginAsset::assure_asset>},
    {"totalLiability", AssetRead::number<&MarginAsset::total_liability>},
    {"maintainValue", AssetRead::number<&MarginAsset::maintain_value>},
    {"availableMargin", AssetRead::number<&MarginAsset::available_margin>},
    {"occupyMargin", AssetRead::number<&MarginAsset::occupy_margin>},
    {"collateralAvailableFund", AssetRead::number<&MarginAsset::collateral_available_money>},
    {"financeAvailableFund", AssetRead::number<&MarginAsset::finance_available_money>},
    {"securityAvailableFund", AssetRead::number<&MarginAsset::security_available_fund>},
    {"cashAvailableFund", AssetRead::number<&MarginAsset::cash_available_money>},
    {"financeQuotaCapacity", AssetRead::number<&MarginAsset::finance_quota_capacity>},
    {"financeAvailableQuota", AssetRead::number<&MarginAsset::finance_available_quota>},
    {"financeOccupyQuota", AssetRead::number<&MarginAsset::finance_occupy_quota>},
    {"financeOccupyMargin", AssetRead::number<&MarginAsset::finance_occupy_margin>},
    {"financeCompactMoney", AssetRead::number<&MarginAsset::finance_compact_quota>},
    {"financeCompactCommission", AssetRead::number<&MarginAsset::finance_compact_commission>},
    {"financeCompactInterest", AssetRead::number<&MarginAsset::finance_compact_interest>},
    {"financeMarketValue", AssetRead::number<&MarginAsset::finance_market_value>},
    {"financeCompactRevenue", AssetRead::number<&MarginAsset::finance_compact_revenue>},
    {"securityLoanQuotaCapacity", AssetRead::number<&MarginAsset::security_loan_quota_capacity>},
    {"securityLoanAvailableQuota", AssetRead::number<&MarginAsset::security_loan_available_quota>},
    {"securityLoanOccupyQuota", AssetRead::number<&MarginAsset::security_loan_occupy_quota>},
    {"securityLoanOccupyMargin", AssetRead::number<&MarginAsset::security_loan_occupy_margin>},
    {"securityLoanCompactMoney", AssetRead::number<&MarginAsset::security_loan_compact_quota>},
    {"securityLoanCompactCommission", AssetRead::number<&MarginAsset::security_loan_compact_commission>},
    {"securityLoanCompactInterest", AssetRead::number<&MarginAsset::security_loan_compact_interest>},
    {"securityLoanMarketValue", AssetRead::number<&MarginAsset::security_loan_market_value>},
    {"securityLoanCompactRevenue", AssetRead::number<&MarginAsset::security_loan_compact_revenue>},
    {"transferAsset", AssetRead::number<&MarginAsset::transfer_asset>},
    {"compactTotalInterest", AssetRead::number<&MarginAsset::compact_total_interest>},
    {"netAsset", AssetRead::number<&MarginAsset::net_asset>},
    {"withdrawQuota", AssetRead::number<&MarginAsset::withdraw_quota>},
    {"securityLoanSellBalance", AssetRead::number<&MarginAsset::security_loan_sell_balance>},
};
static_assert(sizeof kAssetKeys / sizeof kAssetKeys[0] == sizeof(MarginAsset) / sizeof(double),
              "one key for every amount of the record");

// "positionType" and "unReturnFee" are missing from some answers; the
// record's 0 then stays.
using ContractRead = JsonRead<MarginContract>;
const JsonKey<MarginContract> kContractKeys[] = {
    {"contractType", ContractRead::wholeNumber<&MarginContract::contract_type>},
    {"openDate", ContractRead::wholeNumber<&MarginContract::open_date>},
    {"security_symbol", ContractRead::text<&MarginContract::symbol>},
    {"positionType", ContractRead::wholeNumber<&MarginContract::position_type>},
    {"unReturnAsset", ContractRead::number<&MarginContract::unpaid_amount>},
    {"unReturnAmount", ContractRead::truncatedNumber<&MarginContract::unpaid_qty>},
    {"unReturnInterest", ContractRead::number<&MarginContract::interest>},
    {"unReturnFee", ContractRead::number<&MarginContract::cost>},
    {"returnDate", ContractRead::wholeNumber<&MarginContract::deadline>},
    {"compactNo", ContractRead::text<&MarginContract::contract_no>},
};

using SecurityRead = JsonRead<MarginSecurityInfo>;
const JsonKey<MarginSecurityInfo> kSecurityKeys[] = {
    {"security_symbol", SecurityRead::text<&MarginSecurityInfo::symbol>},
    {"position_type", SecurityRead::integerText<&MarginSecurityInfo::position_type>},
    {"security_loan_available_qty", SecurityRead::truncatedNumber<&MarginSecurityInfo::loan_available_qty>},
    {"security_loan_ratio", SecurityRead::number<&MarginSecurityInfo::loan_ratio>},
};

// Whether the "data_list" of an answer may be read: only when its
// "error_code" is the string "0". Anything else, a number included, is the
// host's refusal and is logged.
bool acceptedList(const QJsonObject& o, int line, const char* function, const char* refusal) {
    QString code = member(o, "error_code").toString();
    if (code == QLatin1String("0")) return true;
    ZqLog(kSource, line, function).log(LOG_LEVEL_ERROR, LOG_MODE_DIRECT)
        << refusal << code.toUtf8().constData() << "," << member(o, "error_info").toString().toUtf8().constData();
    return false;
}

}  // namespace

void ZqStructAssembler::assembleMarginAsset(const std::string& json, MarginAsset& asset) {
    zeroFill(asset);
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, "ZqStructAssembler::assembleMarginAsset", json, parsed.error);
        return;
    }
    readKeys(parsed.document.object(), kAssetKeys, asset);
}

void ZqStructAssembler::assembleMarginAssetRsp(const std::string& json, MarginAssetRsp& rsp) {
    rsp = MarginAssetRsp{};
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, "ZqStructAssembler::assembleMarginAssetRsp", json, parsed.error);
        rsp.error_code = -1;
        rsp.error_info = ZqString(parsed.error.toUtf8().constData());
        return;
    }
    QJsonObject o = parsed.document.object();
    if (has(o, "error_code")) rsp.error_code = stringToInt(member(o, "error_code"));
    if (has(o, "error_info")) rsp.error_info = ZqString(member(o, "error_info").toString().toUtf8().constData());
    if (rsp.error_code == 0) readKeys(o, kAssetKeys, rsp.asset);
}

void ZqStructAssembler::assembleMarginAssureSecurityList(const std::string& json, MarginAssureSecurityList& list) {
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, "ZqStructAssembler::assembleMarginAssureSecurityList", json, parsed.error);
        return;
    }
    QJsonObject o = parsed.document.object();
    for (auto it = o.begin(); it != o.end(); ++it) list.push(it.key().toUtf8().constData(), it.value().toDouble());
}

void ZqStructAssembler::assembleMarginContractList(const std::string& json, MarginContractList& list) {
    const char* function = "ZqStructAssembler::assembleMarginContractList";
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, function, json, parsed.error);
        return;
    }
    QJsonObject o = parsed.document.object();
    if (!acceptedList(o, __LINE__, function, "查询账号信用合约失败：")) return;
    for (const QJsonValue& row : member(o, "data_list").toArray()) {
        MarginContract* contract = new MarginContract;
        zeroFill(*contract);
        readKeys(row.toObject(), kContractKeys, *contract);
        list.push(contract);
    }
}

void ZqStructAssembler::assembleMarginAccountSecurityList(const std::string& json, MarginAccountSecurityList& list) {
    const char* function = "ZqStructAssembler::assembleMarginAccountSecurityList";
    ParsedJson parsed = parseJson(json);
    if (!parsed.ok) {
        logParseError(kSource, __LINE__, function, json, parsed.error);
        return;
    }
    QJsonObject o = parsed.document.object();
    if (!acceptedList(o, __LINE__, function, "查询账号可融券信息失败：")) return;
    for (const QJsonValue& row : member(o, "data_list").toArray()) {
        MarginSecurityInfo* info = new MarginSecurityInfo;
        zeroFill(*info);
        readKeys(row.toObject(), kSecurityKeys, *info);
        list.push(info->symbol, info);
    }
}
