// Delivers arbitrary host notifications through the exported adapter to the
// sample strategy, as the host does. Input: the notification id in decimal,
// a newline, then the payload (null without a newline). The strategy trades
// on every crossing of 1- and 2-bar averages and runs a timer, so bars and
// ticks reach the system API and the timers, not just the converters.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "fuzzsupport.h"
#include "zq/hostcodes.h"
#include "zq/hostrows.h"
#include "zq/izqscriptadapter.h"
#include "zq/notifymessage.h"

// A trading row's bytes as one whole row, zero after the input, or else a
// NUL-terminated text; in a block of exactly that size.
static std::shared_ptr<void> payloadFor(uint32_t id, const std::string& body) {
    switch (id) {
    case zq::kNotifyOrderReport: return fuzz::recordCopy<zq::OrderRow>(body.data(), body.size());
    case zq::kNotifyExecutionReport: return fuzz::recordCopy<zq::ExecutionRow>(body.data(), body.size());
    case zq::kNotifyFundUpdate: return fuzz::recordCopy<zq::FundRow>(body.data(), body.size());
    case zq::kNotifyPositionUpdate: return fuzz::recordCopy<zq::PositionRow>(body.data(), body.size());
    default: return std::shared_ptr<char[]>(fuzz::textCopy(body.data(), body.size()));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    fuzz::runStrategyOnce(FUZZ_STRATEGY, R"({"symbol":"600000.SH","short_window":"1","long_window":"2",)"
                                         R"("allow_short":"true","status_every":"1"})");
    const auto [head, body] = fuzz::splitAtNewline(data, size);
    uint32_t id = 0;
    std::from_chars(head.data(), head.data() + head.size(), id);
    const std::shared_ptr<void> payload = body ? payloadFor(id, *body) : nullptr;
    const zq::NotifyMessage message{id, payload.get()};
    FUZZ_REQUIRE(getAdapter()->OnNotifyMessage(&message) == zq::kResultOk);
    return 0;
}
