// One fuzz target per family of host data converters, chosen by the build
// with FUZZ_CONVERTER. The family's converters get the input as the host hands
// it over (a text, or one row's bytes, zero after the input), and the oracle
// is what holds for any input: no byte of a record left as it was, a text
// refused exactly when Qt cannot parse it, a refusal changing nothing.
#include <QByteArray>
#include <QDate>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdint>
#include <cstring>
#include <string>

#include "barpushreading.h"
#include "bytes.h"
#include "convert/zqstructassembler.h"
#include "fuzzsupport.h"

using namespace Norq;
using fake::isAllZero;

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

// What a JSON converter answers for a text: 0 when Qt parses it, else -1.
int32_t resultAsQt(const char* json) {
    QJsonParseError error;
    QJsonDocument::fromJson(QByteArray(json), &error);
    return error.error == QJsonParseError::NoError ? 0 : -1;
}

// A push converter answers as Qt parses the text, with a zero record when it
// refuses.
template <typename Record>
Record pushAsQt(int32_t (*convert)(const char*, Record&), const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    int32_t result = 0;
    const Record record = convertTwice<Record>([&](Record& r) { result = convert(json.get(), r); });
    FUZZ_REQUIRE(result == resultAsQt(json.get()) && (result == 0 || isAllZero(record)));
    return record;
}

// The bytes as one row, zero after the input, converted twice.
template <typename Row, typename Record, void (*convert)(const Row&, Record&)>
void fromRow(const uint8_t* data, size_t size) {
    const std::unique_ptr<Row> row = fuzz::recordCopy<Row>(data, size);
    convertTwice<Record>([&](Record& r) { convert(*row, r); });
}

}  // namespace

// One function per family, named as its corpus folder (FUZZ_CONVERTER).
namespace family {

void bar(const uint8_t* data, size_t size) {
    FUZZ_REQUIRE(isAllZero(pushAsQt(ZqStructAssembler::AssemblePushKLineData, data, size).reserved));
}

void etf_estimate(const uint8_t* data, size_t size) {
    pushAsQt(ZqStructAssembler::AssemblePushEtfEstimateInfo, data, size);
}

void order_reply(const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
    convertTwice<OrderReply>([&](OrderReply& r) { ZqStructAssembler::assembleOrderReply(json.get(), r); });
}

void trade_date(const uint8_t* data, size_t size) {
    const int32_t date = ZqStructAssembler::parserTradeDate(fuzz::textCopy(data, size).get());
    FUZZ_REQUIRE(date == -1 || date == 0 || QDate(date / 10000, date / 100 % 100, date % 100).isValid());
}

void run_params(const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> json = fuzz::textCopy(data, size);
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
    // An answer naming no ETF leaves every field after the fund symbol, its first, zero.
    static const EtfInfo zero{};
    const EtfInfo info = ZqStructAssembler::assembleEtfInfo(json);
    const size_t restSize = sizeof info - sizeof info.etf_fund_symbol;
    FUZZ_REQUIRE(info.etf_fund_symbol[0] != '\0' ||
                 std::memcmp(&info.etf_fund_symbol + 1, &zero.etf_fund_symbol + 1, restSize) == 0);
    EtfConstituentList constituents;
    ZqStructAssembler::assembleEtfConstituentList(json, constituents);
    for (int i = 0; i < constituents.getSize(); ++i) FUZZ_REQUIRE(constituents.get(i).symbol[0] != '\0');
}

void margin(const uint8_t* data, size_t size) {
    const std::string json(reinterpret_cast<const char*>(data), size);
    convertTwice<MarginAsset>([&](MarginAsset& r) { ZqStructAssembler::assembleMarginAsset(json, r); });
    MarginAssetRsp rsp{};
    ZqStructAssembler::assembleMarginAssetRsp(json, rsp);
    FUZZ_REQUIRE((rsp.error_code == 0 || isAllZero(rsp.asset)) && rsp.error_info.str() != nullptr);

    MarginAssureSecurityList assured;
    ZqStructAssembler::assembleMarginAssureSecurityList(json, assured);
    // A contract or lending list is filled only when "error_code" is the
    // string "0"; each starts with a record of its own that a refusal keeps.
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(json.data(), int(json.size())));
    const bool accepted = document.object().value(QLatin1String("error_code")).toString() == QLatin1String("0");
    MarginContractList contracts;
    contracts.push(new MarginContract{});
    ZqStructAssembler::assembleMarginContractList(json, contracts);
    MarginAccountSecurityList lendable;
    lendable.push("kept", new MarginSecurityInfo{});
    ZqStructAssembler::assembleMarginAccountSecurityList(json, lendable);
    FUZZ_REQUIRE(accepted || (contracts.getSize() == 1 && lendable.getSize() == 1));
}

// The bar push read both ways (see barpushreading.h). Replay builds print how
// many inputs the plain reader took, so the corpus test shows both were reached.
void barpush(const uint8_t* data, size_t size) {
    bool taken = false;
    const std::string difference = barpush::differenceFromQt(fuzz::textCopy(data, size).get(), taken);
    if (!difference.empty()) fuzz::failed(difference.c_str(), __FILE__, __LINE__);
#ifdef FUZZ_REPLAY
    static int takenCount = 0, declinedCount = 0;
    ++(taken ? takenCount : declinedCount);
    std::printf("barpush: %d read by the plain reader, %d declined\n", takenCount, declinedCount);
#endif
}

inline constexpr auto order_row = fromRow<zq::OrderRow, Order, ZqStructAssembler::orderFromRow>;
inline constexpr auto execution_row = fromRow<zq::ExecutionRow, Execution, ZqStructAssembler::executionFromRow>;
inline constexpr auto position_row = fromRow<zq::PositionRow, Position, ZqStructAssembler::positionFromRow>;
inline constexpr auto fund_row = fromRow<zq::FundRow, FundInfo, ZqStructAssembler::fundInfoFromRow>;

}  // namespace family

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    family::FUZZ_CONVERTER(data, size);
    return 0;
}
