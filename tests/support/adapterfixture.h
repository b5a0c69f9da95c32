// Drives the adapter the way the host does: one fake host handed over, a
// clean recorder and default log thresholds per test, and everything
// unloaded again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fakehost.h"
#include "norq/zqlog.h"
#include "strategyrecorder.h"
#include "zq/izqscriptadapter.h"

namespace fake {

inline std::string libraryPath(const std::string& name) {
    return std::string(TEST_LIB_DIR) + "/lib" + name + ".so";
}

class AdapterTest : public ::testing::Test {
protected:
    void SetUp() override {
        adapter = getAdapter();
        adapter->Uninit();
        adapter->SetHostServices(&host);
        Norq::ZqLog::setLogLevel(Norq::LOG_LEVEL_DEBUG);
        Norq::ZqLog::setConsoleLogLevel(Norq::LOG_LEVEL_DEBUG);
        Norq::ZqLog::setDispLogLevel(Norq::LOG_LEVEL_DEBUG);
        recorder().clear();
    }

    void TearDown() override {
        adapter->Uninit();
        adapter->SetHostServices(nullptr);
    }

    static StrategyRecorder& recorder() { return strategyRecorder(); }

    // Runs the full test strategy and returns the context its onInit saw.
    Norq::IZqContext* runTestStrategy(const char* params = "{}") {
        EXPECT_EQ(adapter->RunStrategy(strategy.c_str(), params), zq::kResultOk);
        const StrategyEvent* init = recorder().last(1);
        return init ? init->context : nullptr;
    }

    zq::IZqScriptAdapter* adapter = nullptr;
    FakeHost host;
    std::string strategy = libraryPath("teststrategy");
};

}  // namespace fake
