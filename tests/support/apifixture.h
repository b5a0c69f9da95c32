// A running test strategy's system API and handlers under the fake host,
// with a data-access provider that answers no rows until a test gives it
// some. The system API's tests know a stock account "880001" alone; the
// handlers' tests also a credit account "M-1" and an options account "O-1".
#pragma once

#include <cstring>
#include <regex>
#include <tuple>

#include "adapterfixture.h"
#include "fakedataaccess.h"
#include "logcapture.h"
#include "norq/izqcontext.h"
#include "zq/hostorder.h"

namespace fake {

// The form of the client order ids the library makes.
inline bool isBracedUuid(const std::string& id) {
    static const std::regex uuid(R"(\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\})");
    return std::regex_match(id, uuid);
}

// The record the host must receive for `sent` under `id`.
inline zq::HostOrderRecord expectedRecord(const Norq::OrderRequest& sent, const std::string& id, const char* account,
                                          const char* flag) {
    zq::HostOrderRecord r{};
    std::strcpy(r.instance_id, "instance-1");
    std::strcpy(r.account_id, account);
    std::strcpy(r.client_order_id, id.c_str());
    std::strcpy(r.order_flag, flag);
    r.request = sent;
    return r;
}

// What the strategy must get back for `sent` under `id`.
inline Norq::Order expectedOrder(const Norq::OrderRequest& sent, const std::string& id, int32_t batchNo = 0,
                                 const char* account = "") {
    Norq::Order o{};
    o.status = 1;
    std::strcpy(o.order_id, id.c_str());
    std::memcpy(o.symbol, sent.symbol, strnlen(sent.symbol, sizeof o.symbol - 1));
    o.amount = sent.amount;
    o.side = sent.side;
    o.price = sent.price;
    o.entrust_type = sent.entrust_type;
    o.action = sent.action;
    o.invest_type = sent.invest_type;
    o.close_direction = sent.close_direction;
    o.covered_flag = sent.covered_flag;
    std::memcpy(o.price_type, sent.price_type, strnlen(sent.price_type, sizeof o.price_type - 1));
    o.batch_no = batchNo;
    std::strcpy(o.fund_account, account);
    return o;
}

class SysApiTest : public AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        host.accountIds = accounts;
        Norq::IZqContext* context = runTestStrategy();
        api = context->getSysApi();
        etf = context->getEtfHandler();
        margin = context->getMarginHandler();
        option = context->getOptionTradeHandler();
        host.clear();
    }

    // The host slots called, log lines aside.
    std::vector<int> hostSlots() const {
        std::vector<int> slots;
        for (const HostCall& call : host.calls) {
            if (call.slot != 6) slots.push_back(call.slot);
        }
        return slots;
    }

    void expectOneError(const std::string& function, const std::string& message) {
        ASSERT_EQ(host.logs.size(), 1u) << message;
        const HostLogLine& line = host.logs[0];
        EXPECT_EQ(std::make_tuple(line.level, line.file, line.function, line.text),
                  std::make_tuple(3, std::string("zqsysapi"), function, message));
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
        std::vector<std::string> lines = host.logLines();
        for (const PlatformRecord& r : capture.platform)
            lines.push_back(std::to_string(r.level) + " " + r.file + " " + r.function + ": " + r.text);
        return lines;
    }

    void clearLogs() {
        host.logs.clear();
        capture.platform.clear();
    }

    std::map<std::string, std::string> accounts{{"stock", "880001"}};
    FakeDataAccess data;
    LogCapture capture;
    Norq::INorqSysApi* api = nullptr;
    Norq::IEtfHandler* etf = nullptr;
    Norq::IMarginHandler* margin = nullptr;
    Norq::IOptionTradeHandler* option = nullptr;
};

class HandlerTest : public SysApiTest {
protected:
    HandlerTest() { accounts = {{"stock", "880001"}, {"stock_margin", "M-1"}, {"option", "O-1"}}; }
};

}  // namespace fake
