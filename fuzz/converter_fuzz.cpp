// One fuzz target per family of converters of host data, chosen by the build
// with FUZZ_CONVERTER: the JSON pushes, the JSON answers to reference, ETF
// and margin queries, and the platform's trading rows. The input is what the
// host hands over (a text, or the bytes of one row, zero after the input);
// every converter of the family gets it, and then what the converters
// promise is checked: no byte of a record left as it was, texts and stamps
// read as Qt reads them, lists grown only as their answers allow.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#include "bytes.h"
#include "convert/zqstructassembler.h"
#include "fuzzsupport.h"

using namespace Norq;

namespace {

// Converts into two records holding different junk and returns the first:
// a byte the converter did not write differs between them.
template <typename Record, typename Convert>
Record convertTwice(Convert convert) {
    Record first, second;
    std::memset(&first, 0xa5, sizeof first);
    std::memset(&second, 0x5a, sizeof second);
    convert(first);
    convert(second);
    FUZZ_REQUIRE(std::memcmp(&first, &second, sizeof first) == 0);
    return first;
}

using fake::isAllZero;
using fake::text;


// What a JSON converter answers for a text: 0 when Qt parses it, else -1.
int32_t resultAsQt(const char* json) {
    QJsonParseError error;
    QJsonDocument::fromJson(QByteArray(json), &error);
    return error.error == QJsonParseError::NoError ? 0 : -1;
}

// A push converter answers 0 when Qt parses the text, else -1 and a zero record.
template <typename Record>
Record pushAsQt(int32_t (*convert)(const char*, Record&), const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    int32_t result = 0;
    const Record record = convertTwice<Record>([&](Record& r) { result = convert(json.get(), r); });
    FUZZ_REQUIRE(result == resultAsQt(json.get()) && (result == 0 || isAllZero(record)));
    return record;
}

void bar(const uint8_t* data, size_t size) {
    FUZZ_REQUIRE(isAllZero(pushAsQt(ZqStructAssembler::AssemblePushKLineData, data, size).reserved));
}

void etfEstimate(const uint8_t* data, size_t size) {
    pushAsQt(ZqStructAssembler::AssemblePushEtfEstimateInfo, data, size);
}

void orderReply(const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    convertTwice<OrderReply>([&](OrderReply& r) { ZqStructAssembler::assembleOrderReply(json.get(), r); });
}

void tradeDate(const uint8_t* data, size_t size) {
    std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    const int32_t date = ZqStructAssembler::parserTradeDate(json.get());
    FUZZ_REQUIRE(date == -1 || date == 0 || QDate(date / 10000, date / 100 % 100, date % 100).isValid());
}

void runParams(const uint8_t* data, size_t size) {
    std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    std::string params = "before", filePath = "before";
    const int32_t result = ZqStructAssembler::assembleModifyRunParams(json.get(), params, filePath);
    FUZZ_REQUIRE(result == resultAsQt(json.get()) && (result == 0 || (params == "before" && filePath == "before")));
}


void reference(const uint8_t* data, size_t size) {
    const std::string json(reinterpret_cast<const char*>(data), size);
    convertTwice<SecurityDetial>([&](SecurityDetial& r) { ZqStructAssembler::assembleSecurityDetial(json, r); });
    convertTwice<FutureContractInfo>(
        [&](FutureContractInfo& r) { ZqStructAssembler::assembleFutureContractInfo(json, r); });
}

void etf(const uint8_t* data, size_t size) {
    const std::string json(reinterpret_cast<const char*>(data), size);
    // An answer naming no ETF leaves every field after the fund symbol zero.
    const EtfInfo info = ZqStructAssembler::assembleEtfInfo(json);
    const auto* afterSymbol = reinterpret_cast<const unsigned char*>(&info) + sizeof info.etf_fund_symbol;
    const size_t restSize = sizeof info - sizeof info.etf_fund_symbol;
    FUZZ_REQUIRE(info.etf_fund_symbol[0] != '\0' ||
                 std::count(afterSymbol, afterSymbol + restSize, 0) == static_cast<long>(restSize));

    EtfConstituentList constituents;
    ZqStructAssembler::assembleEtfConstituentList(json, constituents);
    for (int i = 0; i < constituents.getSize(); ++i) FUZZ_REQUIRE(constituents.get(i).symbol[0] != '\0');
}

// Whether a contract or lending answer may fill its list: its "error_code"
// is the string "0".
bool acceptedList(const std::string& json) {
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), int(json.size())));
    return document.object().value(QLatin1String("error_code")).toString() == QLatin1String("0");
}

void margin(const uint8_t* data, size_t size) {
    const std::string json(reinterpret_cast<const char*>(data), size);
    convertTwice<MarginAsset>([&](MarginAsset& r) { ZqStructAssembler::assembleMarginAsset(json, r); });

    MarginAssetRsp rsp{};
    ZqStructAssembler::assembleMarginAssetRsp(json, rsp);
    FUZZ_REQUIRE(rsp.error_code == 0 || isAllZero(rsp.asset));
    FUZZ_REQUIRE(rsp.error_info.str() != nullptr);

    MarginAssureSecurityList assured;
    ZqStructAssembler::assembleMarginAssureSecurityList(json, assured);
    for (int i = 0; i < assured.getSize(); ++i) {
        const ZqString symbol = assured.getSymbol(i);
        const double byPosition = assured.discountRatio(i), bySymbol = assured.discountRatio(symbol.str());
        // NaN cannot come out of JSON, but compare bit patterns all the same.
        FUZZ_REQUIRE(std::memcmp(&byPosition, &bySymbol, sizeof byPosition) == 0);
    }

    // Each list starts with one record of its own, which a refused answer
    // must leave alone.
    const bool accepted = acceptedList(json);
    MarginContractList contracts;
    contracts.push(new MarginContract{});
    ZqStructAssembler::assembleMarginContractList(json, contracts);
    FUZZ_REQUIRE(accepted || contracts.getSize() == 1);
    for (int i = 0; i < contracts.getSize(); ++i) contracts.get(i);

    MarginAccountSecurityList lendable;
    lendable.push("kept", new MarginSecurityInfo{});
    ZqStructAssembler::assembleMarginAccountSecurityList(json, lendable);
    FUZZ_REQUIRE(accepted || lendable.getSize() == 1);
    for (int i = 0; i < lendable.getSize(); ++i) {
        const ZqString symbol = lendable.getSymbol(i);
        FUZZ_REQUIRE(&lendable.marginSecurityInfo(symbol.str()) == &lendable.marginSecurityInfo(i));
    }
}


// What QByteArray::toInt makes of a decimal-text field of a row.
template <size_t N>
int32_t qtInt(const char (&field)[N]) {
    return QByteArray(field, static_cast<int>(strnlen(field, N))).toInt();
}

// What Qt makes of a row's stamp (see convert/timetext.h), cut to the field.
template <size_t N>
std::string qtTimeText(int32_t date, int32_t timeOfDay, const char (&)[N]) {
    const QString joined = QString::number(date) + QString::number(timeOfDay);
    const QDateTime read = QDateTime::fromString(joined, QStringLiteral("yyyyMMddhmmss"));
    return read.toString(QStringLiteral("yyyyMMdd hh:mm:ss zzz")).toStdString().substr(0, N - 1);
}

// The bytes as one row (zero after the input), and the record it gives.
template <typename Row, typename Record>
auto fromRow(void (*convert)(const Row&, Record&), const uint8_t* data, size_t size) {
    std::unique_ptr<Row> row = fuzz::recordCopy<Row>(data, size);
    const Record record = convertTwice<Record>([&](Record& r) { convert(*row, r); });
    return std::make_pair(std::move(row), record);
}

void orderRow(const uint8_t* data, size_t size) {
    const auto [row, order] = fromRow(ZqStructAssembler::orderFromRow, data, size);
    FUZZ_REQUIRE(order.status == qtInt(row->status));
    FUZZ_REQUIRE(order.action == qtInt(row->action));
    FUZZ_REQUIRE(order.invest_type == qtInt(row->invest_type));
    FUZZ_REQUIRE(order.close_direction == qtInt(row->close_direction));
    FUZZ_REQUIRE(order.covered_flag == qtInt(row->covered_flag));
    FUZZ_REQUIRE(text(order.add_time) == qtTimeText(row->date, row->time_of_day, order.add_time));
    FUZZ_REQUIRE(text(order.error_code) == std::to_string(row->error_code).substr(0, sizeof order.error_code - 1));
}

void executionRow(const uint8_t* data, size_t size) {
    const auto [row, execution] = fromRow(ZqStructAssembler::executionFromRow, data, size);
    FUZZ_REQUIRE(execution.entrust_type == qtInt(row->entrust_type));
    FUZZ_REQUIRE(execution.action == qtInt(row->action));
    FUZZ_REQUIRE(execution.invest_type == qtInt(row->invest_type));
    FUZZ_REQUIRE(execution.close_direction == qtInt(row->close_direction));
    FUZZ_REQUIRE(text(execution.time) == qtTimeText(row->date, row->time_of_day, execution.time));
}

void positionRow(const uint8_t* data, size_t size) {
    const auto [row, position] = fromRow(ZqStructAssembler::positionFromRow, data, size);
    FUZZ_REQUIRE(position.position_prop == qtInt(row->position_prop));
    FUZZ_REQUIRE(position.invest_type == qtInt(row->invest_type));
    FUZZ_REQUIRE(position.option_hold_type == qtInt(row->option_hold_type));
}

void fundRow(const uint8_t* data, size_t size) {
    fromRow(ZqStructAssembler::fundInfoFromRow, data, size);
}

struct Converter {
    const char* name;
    void (*run)(const uint8_t* data, size_t size);
};

// The names are the build's FUZZ_CONVERTER values and the corpus folders.
// clang-format off
const Converter kConverters[] = {
    {"bar", bar}, {"etf_estimate", etfEstimate}, {"order_reply", orderReply}, {"trade_date", tradeDate},
    {"run_params", runParams}, {"reference", reference}, {"etf", etf}, {"margin", margin}, {"order_row", orderRow},
    {"execution_row", executionRow}, {"position_row", positionRow}, {"fund_row", fundRow},
};
// clang-format on

const Converter& chosenConverter() {
    for (const Converter& c : kConverters)
        if (std::strcmp(c.name, FUZZ_CONVERTER) == 0) return c;
    std::fprintf(stderr, "converter_fuzz: no converter family named %s\n", FUZZ_CONVERTER);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    static const Converter& converter = chosenConverter();
    converter.run(data, size);
    return 0;
}
