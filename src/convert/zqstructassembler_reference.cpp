// The converters of the host's reference-data answers. Which keys are read
// always and which only when present matters: a missing key read always
// gives an empty text, so 0; one read only when present leaves the field as
// it was.
#include <QJsonDocument>

#include "convert/jsonfields.h"
#include "convert/zqstructassembler.h"

using namespace Norq;
using namespace zqinternal;

namespace {

QJsonObject objectOf(const std::string& json, bool& ok) {
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), static_cast<int>(json.size())));
    ok = document.isObject();
    return document.object();
}

// What a symbol field holds: 13 characters and the NUL.
constexpr size_t kSymbolField = sizeof(Norq::SecurityDetial::symbol);

}  // namespace

void ZqStructAssembler::assembleSecurityDetial(const std::string& json, SecurityDetial& d) {
    zeroFill(d);
    bool ok = false;
    QJsonObject o = objectOf(json, ok);
    if (!ok) return;
    copyJsonText(d.symbol, member(o, "security_symbol"));
    copyJsonText(d.display_name, member(o, "security_name"));
    copyJsonText(d.spell_name, member(o, "security_brief_name"));
    copyJsonText(d.security_type, member(o, "security_type"));
    copyJsonText(d.security_sub_type, member(o, "security_sub_type"));
    d.round_lot = stringToInt(member(o, "LotSize"));
    d.st_flag = stringToInt(member(o, "st_flag"));
    if (has(o, "LocalTotalShare")) d.local_total_share = stringToInt64(member(o, "LocalTotalShare"));
    if (has(o, "ListedShare")) d.local_listed_share = stringToInt64(member(o, "ListedShare"));
    d.tick_size = stringToDouble(member(o, "TickSize"));
    if (has(o, "high_limit_price")) d.high_limit_px = stringToDouble(member(o, "high_limit_price"));
    if (has(o, "low_limit_price")) d.low_limit_px = stringToDouble(member(o, "low_limit_price"));
    if (has(o, "pre_close")) d.pre_close_px = stringToDouble(member(o, "pre_close"));
    d.margin_trading_flag = stringToInt(member(o, "MarginTradingFlag"));
    if (has(o, "TradingPhaseCode")) d.trading_phase_code = stringToInt(member(o, "TradingPhaseCode"));
    if (has(o, "strike_price")) d.strike_price = stringToDouble(member(o, "strike_price"));
    if (has(o, "strike_date")) d.strike_date = stringToInt(member(o, "strike_date"));
    if (has(o, "put_or_call")) copyJsonText(d.put_or_call, member(o, "put_or_call"));
    if (has(o, "underlying_symbol")) copyJsonText(d.underlying_symbol, member(o, "underlying_symbol"));
    if (has(o, "convert_symbol")) copyJsonText(d.convert_symbol, member(o, "convert_symbol"));
    if (has(o, "convert_start_date")) d.convert_start_date = member(o, "convert_start_date").toInt();
    if (has(o, "convert_end_date")) d.convert_end_date = member(o, "convert_end_date").toInt();
    if (has(o, "convert_price")) d.convert_price = member(o, "convert_price").toDouble();
}

// Every key is read only when present; the quantities are JSON numbers read
// as int32, the delivery dates decimal texts.
void ZqStructAssembler::assembleFutureContractInfo(const std::string& json, FutureContractInfo& f) {
    zeroFill(f);
    bool ok = false;
    QJsonObject o = objectOf(json, ok);
    if (!ok) return;
    auto number = [&](const char* key, double& field) {
        if (has(o, key)) field = member(o, key).toDouble();
    };
    auto integer = [&](const char* key, auto& field) {
        if (has(o, key)) field = member(o, key).toInt();
    };
    // The field is 16 bytes wide, but like every symbol field it holds at
    // most 13 characters.
    if (has(o, "security_symbol")) {
        QByteArray symbol = member(o, "security_symbol").toString().toUtf8();
        copyText(f.security_symbol, kSymbolField, symbol.constData(), static_cast<size_t>(symbol.size()));
    }
    number("price_step", f.price_step);
    integer("contract_multiplier", f.contract_multiplier);
    if (has(o, "start_deliv_date")) f.start_deliv_date = stringToInt(member(o, "start_deliv_date"));
    if (has(o, "end_deliv_date")) f.end_deliv_date = stringToInt(member(o, "end_deliv_date"));
    number("long_margin_ratio", f.long_margin_ratio);
    number("short_margin_ratio", f.short_margin_ratio);
    number("long_margin_ratio_amount", f.long_margin_ratio_amount);
    number("short_margin_ratio_amount", f.short_margin_ratio_amount);
    integer("margin_ratio_flag", f.margin_ratio_flag);
    integer("market_max_buy_qty", f.market_max_buy_qty);
    integer("market_max_sell_qty", f.market_max_sell_qty);
    integer("market_min_buy_qty", f.market_min_buy_qty);
    integer("market_min_sell_qty", f.market_min_sell_qty);
    integer("max_buy_qty", f.max_buy_qty);
    integer("max_sell_qty", f.max_sell_qty);
    integer("min_buy_qty", f.min_buy_qty);
    integer("min_sell_qty", f.min_sell_qty);
}
