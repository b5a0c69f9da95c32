#include "trace.h"

#include <QJsonArray>
#include <cstring>

#include "zqdataaccess.h"

namespace zqhost {
namespace trace {

namespace {

constexpr double kMostBytes = 64.0 * 1024 * 1024;

// A fixed text field of a host record, which need not end in NUL.
template <size_t N>
QString fixedText(const char (&field)[N]) {
    return QString::fromUtf8(field, static_cast<int>(strnlen(field, N)));
}

int hexDigit(QChar c) {
    if (c >= '0' && c <= '9') return c.unicode() - '0';
    if (c >= 'a' && c <= 'f') return c.unicode() - 'a' + 10;
    return -1;
}

// The orders of a buffer of order codes; false when it holds none.
bool bufferOrders(int32_t code, const std::vector<uint8_t>& buffer, zq::HostBatchHeader& header,
                  std::vector<zq::HostOrderRecord>& orders) {
    size_t offset = 0;
    header = zq::HostBatchHeader{};
    header.count = 1;
    if (code == zq::kCodeBatchOrders) {
        if (buffer.size() < sizeof header) return false;
        std::memcpy(&header, buffer.data(), sizeof header);
        offset = sizeof header;
    } else if (code != zq::kCodeEtfPurchase && code != zq::kCodeEtfRedemption) {
        return false;
    }
    if (header.count < 0 || (buffer.size() - offset) / sizeof(zq::HostOrderRecord) < size_t(header.count)) return false;
    orders.resize(static_cast<size_t>(header.count));
    for (zq::HostOrderRecord& order : orders) {
        std::memcpy(&order, buffer.data() + offset, sizeof order);
        offset += sizeof order;
    }
    return true;
}

}  // namespace

QJsonObject bytesJson(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t used = size;
    while (used > 0 && bytes[used - 1] == 0) --used;
    QString hex;
    hex.reserve(static_cast<int>(used * 2));
    for (size_t i = 0; i < used; ++i) hex.append(QChar(digits[bytes[i] >> 4])).append(QChar(digits[bytes[i] & 15]));
    return QJsonObject{{"bytes", static_cast<double>(size)}, {"hex", hex}};
}

bool bytesOf(const QJsonValue& value, std::vector<uint8_t>& out) {
    const QJsonObject object = value.toObject();
    const double size = object.value("bytes").toDouble(-1);
    const QString hex = object.value("hex").toString();
    if (!value.isObject() || size < 0 || size > kMostBytes || size != static_cast<size_t>(size) ||
        !object.value("hex").isString() || hex.size() % 2 != 0 || hex.size() / 2 > size) {
        return false;
    }
    out.assign(static_cast<size_t>(size), 0);
    for (int i = 0; i < hex.size(); i += 2) {
        int high = hexDigit(hex[i]), low = hexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        out[static_cast<size_t>(i / 2)] = static_cast<uint8_t>(high << 4 | low);
    }
    return true;
}

QJsonObject ask(const char* op, std::initializer_list<std::pair<const char*, QJsonValue>> arguments) {
    QJsonObject object{{"op", op}};
    for (const auto& [name, value] : arguments) object.insert(name, value);
    return object;
}

QJsonObject askOrder(const zq::HostOrderRecord& record) {
    const Norq::OrderRequest& r = record.request;
    return QJsonObject{
        {"instance", fixedText(record.instance_id)},
        {"account", fixedText(record.account_id)},
        {"flag", fixedText(record.order_flag)},
        {"client_order_id", fixedText(record.client_order_id)},
        {"symbol", fixedText(r.symbol)},
        {"amount", r.amount},
        {"side", r.side},
        {"price", r.price},
        {"price_type", fixedText(r.price_type)},
        {"entrust_type", r.entrust_type},
        {"action", r.action},
        {"invest_type", r.invest_type},
        {"close_direction", r.close_direction},
        {"covered_flag", r.covered_flag},
        {"count", r.count},
        {"pass_through", bytesJson(r.pass_through, sizeof r.pass_through)},
        {"pass_through_int", r.pass_through_int},
        {"pass_through_double", r.pass_through_double},
    };
}

QJsonObject askBuffer(int32_t code, const std::vector<uint8_t>& buffer) {
    zq::HostBatchHeader header;
    std::vector<zq::HostOrderRecord> orders;
    if (!bufferOrders(code, buffer, header, orders)) {
        return ask("SubmitBuffer", {{"code", code}, {"buffer", bytesJson(buffer.data(), buffer.size())}});
    }
    QJsonArray list;
    for (const zq::HostOrderRecord& order : orders) list.append(askOrder(order));
    return ask("SubmitBuffer", {{"code", code}, {"batch_no", header.batch_no}, {"pass_through", header.pass_through},
                                {"orders", list}});
}

QJsonObject askData(const ZqDataCall& call) {
    QJsonArray texts, numbers;
    for (const std::string& text : call.texts) texts.append(QString::fromStdString(text));
    for (int64_t number : call.numbers) numbers.append(static_cast<double>(number));
    return ask(call.function.c_str(), {{"query", bytesJson(call.query.data(), call.query.size())},
                                       {"texts", texts},
                                       {"numbers", numbers}});
}

QJsonObject resultAnswer(int32_t returned, const zq::HostResult* result) {
    QJsonObject answer{{"returned", returned}};
    if (!result) return answer;
    answer.insert("code", static_cast<double>(result->code));
    answer.insert("data", result->data ? QJsonValue(QString::fromUtf8(result->data)) : QJsonValue());
    return answer;
}

QJsonObject rowsAnswer(const ZqDataRows& rows) {
    return QJsonObject{{"rows", bytesJson(rows.bytes.data(), rows.bytes.size())},
                       {"total", rows.total_count},
                       {"last_page", rows.last_page}};
}

}  // namespace trace
}  // namespace zqhost
