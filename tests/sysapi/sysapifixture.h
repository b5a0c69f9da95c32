// A running test strategy's system API under the fake host, with a stock
// account "880001" and a data-access provider that answers no rows until a
// test gives it some.
#pragma once

#include <tuple>

#include "adapterfixture.h"
#include "fakedataaccess.h"
#include "norq/izqcontext.h"

namespace fake {

class SysApiTest : public AdapterTest {
protected:
    void SetUp() override {
        AdapterTest::SetUp();
        host.accountIds = {{"stock", "880001"}};
        api = runTestStrategy()->getSysApi();
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

    FakeDataAccess data;
    Norq::INorqSysApi* api = nullptr;
};

}  // namespace fake
