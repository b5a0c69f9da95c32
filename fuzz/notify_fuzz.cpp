// Delivers arbitrary host notifications through the exported adapter to the
// sample strategy, as the host does. Input: the notification id in decimal,
// a newline, then the payload; without a newline the payload is null. Ids
// that carry a trading row get the payload's bytes as one row, zero after
// the input, as the host always hands over a whole row; all others get the
// payload as a NUL-terminated text. The strategy trades on every crossing
// of 1- and 2-bar averages and runs a timer, so bars and ticks reach the
// system API and the timers, not just the converters.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzzsupport.h"
#include "zq/hostcodes.h"
#include "zq/hostrows.h"
#include "zq/izqscriptadapter.h"
#include "zq/notifymessage.h"

namespace {

constexpr const char* kStrategyParams =
    R"({"symbol":"600000.SH","short_window":"1","long_window":"2","allow_short":"true","status_every":"1"})";

// In a block of exactly the payload's size, kept alive for the call.
std::shared_ptr<void> payloadFor(uint32_t id, const fuzz::HeadAndBody& input) {
    const std::string& body = input.body;
    if (!input.hasBody) return nullptr;
    switch (id) {
    case zq::kNotifyOrderReport: return fuzz::recordCopy<zq::OrderRow>(body.data(), body.size());
    case zq::kNotifyExecutionReport: return fuzz::recordCopy<zq::ExecutionRow>(body.data(), body.size());
    case zq::kNotifyFundUpdate: return fuzz::recordCopy<zq::FundRow>(body.data(), body.size());
    case zq::kNotifyPositionUpdate: return fuzz::recordCopy<zq::PositionRow>(body.data(), body.size());
    default: return std::shared_ptr<char[]>(fuzz::textCopy(body.data(), body.size()));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    fuzz::runStrategyOnce(FUZZ_STRATEGY, kStrategyParams);

    const fuzz::HeadAndBody input = fuzz::splitAtNewline(data, size);
    uint32_t id = 0;
    std::from_chars(input.head.data(), input.head.data() + input.head.size(), id);
    const std::shared_ptr<void> payload = payloadFor(id, input);
    const zq::NotifyMessage message{id, payload.get()};
    FUZZ_REQUIRE(getAdapter()->OnNotifyMessage(&message) == zq::kResultOk);
    return 0;
}
