// Feeds arbitrary text to the parameter paths a host or user controls: the
// running-parameter values read back by key, the schema check, and the
// running-parameter change JSON. Input: the key, a newline, then the text.
// The change JSON is parsed only while a strategy runs, so the sample
// strategy is started once, with no host: log lines then come out as Qt debug
// messages, which replay builds print so the corpus test can see the paths
// its inputs reached.
#include <QString>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "norq/strategyparams.h"
#include "norq/zqlog.h"
#include "zq/izqscriptadapter.h"
#include "zqloglib.h"

namespace {

void discardRecord(const ZqLogRecord&, void*) {}
void handleMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
#ifdef FUZZ_REPLAY
    std::printf("%s\n", message.toUtf8().constData());
#else
    (void)message;
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        ZqLogLib::GetInstance().SetSink(discardRecord, nullptr);
        qInstallMessageHandler(handleMessage);
        zq::IZqScriptAdapter* adapter = getAdapter();
        if (!adapter->Init() || adapter->RunStrategy(FUZZ_STRATEGY, "{}") != zq::kResultOk) {
            std::fprintf(stderr, "params_fuzz: cannot run %s\n", FUZZ_STRATEGY);
            std::abort();
        }
        return true;
    }();
    (void)ready;

    std::string input(reinterpret_cast<const char*>(data), size);
    size_t newline = input.find('\n');
    std::string key = input.substr(0, newline);
    std::string text = newline == std::string::npos ? std::string() : input.substr(newline + 1);

    Norq::StrategyParams params;
    params.setParams(Norq::ZqString(text.c_str()));
    params.getBoolValue(key.c_str());
    params.getFloatValue(key.c_str());
    params.getIntValue(key.c_str());
    Norq::ZqString value = params.getStrValue(key.c_str());
    params.preHandle();
    Norq::ZqLog("params_fuzz", __LINE__, "LLVMFuzzerTestOneInput").info() << value << params;

    getAdapter()->ModifyStragetyRunningParams(text.c_str(), 1062);
    return 0;
}
