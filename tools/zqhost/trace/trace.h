// A recorded run of the local host: one JSON object a line, in the order
// things happened.
//   {"kind":"trace",...}   first: format, version, the strategy's file name,
//                          the user's parameter choices, the bar files
//   {"kind":"call","ask":{...},"answer":{...}}
//                          the library called a host service (or a data
//                          access query): what it asked and what it got
//   {"kind":"log",...}     a log line: shown again on replay, never compared
//   {"kind":"notify","id":N,"at":T,"text":...} (or "row":{bytes})
//                          a notification delivered; T is the simulated clock
//   {"kind":"stop","at":T} the host stops the strategy
//   {"kind":"end"}         last: the recording is complete
// A call's "ask" is what the strategy chose, so that a replay compares asks
// as a whole; the client order ids in it are new each run (orderidmap.h).
// Binary data is {"bytes":N,"hex":H}, H without the trailing zero bytes.
#pragma once

#include <QJsonObject>
#include <cstdint>
#include <string>
#include <vector>

#include "zq/hostorder.h"
#include "zq/hostresult.h"

struct ZqDataCall;
struct ZqDataRows;

namespace zqhost {
namespace trace {

constexpr const char* kFormat = "zqhost trace";
constexpr int kVersion = 1;

QJsonObject bytesJson(const void* data, size_t size);
// False when `value` is not a well-formed bytes object.
bool bytesOf(const QJsonValue& value, std::vector<uint8_t>& out);

// An ask of operation `op` with its arguments, in the given order of pairs.
QJsonObject ask(const char* op, std::initializer_list<std::pair<const char*, QJsonValue>> arguments = {});
// The orders a SubmitOrder record or a SubmitBuffer of orders holds.
QJsonObject askOrder(const zq::HostOrderRecord& record);
QJsonObject askBuffer(int32_t code, const std::vector<uint8_t>& buffer);
QJsonObject askData(const ZqDataCall& call);

// What a call returned and what the host put in the result block.
QJsonObject resultAnswer(int32_t returned, const zq::HostResult* result);
QJsonObject rowsAnswer(const ZqDataRows& rows);

}  // namespace trace
}  // namespace zqhost
