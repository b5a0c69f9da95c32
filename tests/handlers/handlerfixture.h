// The ETF, margin and option handlers of a running test strategy under the
// fake host, which knows a stock account "880001", a credit account "M-1"
// and an options account "O-1".
#pragma once

#include "adapterfixture.h"
#include "logcapture.h"
#include "norq/izqcontext.h"

namespace fake {

class HandlerTest : public AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        host.accountIds = {{"stock", "880001"}, {"stock_margin", "M-1"}, {"option", "O-1"}};
        Norq::IZqContext* context = runTestStrategy();
        etf = context->getEtfHandler();
        margin = context->getMarginHandler();
        option = context->getOptionTradeHandler();
        host.clear();
    }

    // "code json" of the one JSON request since the last clear.
    std::string sentJson() const {
        auto requests = host.callsTo(0);
        if (requests.size() != 1) return std::to_string(requests.size()) + " requests";
        return std::to_string(requests[0].numbers.at(0)) + " " + requests[0].texts.at(0);
    }

    // Every log line as "level source function: text": first those through
    // the host, then the converters' lines straight to the platform logger.
    std::vector<std::string> logLines() const {
        std::vector<std::string> lines;
        for (const HostLogLine& l : host.logs)
            lines.push_back(std::to_string(l.level) + " " + l.file + " " + l.function + ": " + l.text);
        for (const PlatformRecord& r : capture.platform)
            lines.push_back(std::to_string(r.level) + " " + r.file + " " + r.function + ": " + r.text);
        return lines;
    }

    void clearLogs() {
        host.logs.clear();
        capture.platform.clear();
    }

    LogCapture capture;
    Norq::IEtfHandler* etf = nullptr;
    Norq::IMarginHandler* margin = nullptr;
    Norq::IOptionTradeHandler* option = nullptr;
};

}  // namespace fake
