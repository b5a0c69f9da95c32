// Feeds arbitrary text to the parameter paths a host or user controls: the
// values read back by key, the schema check, and the change JSON, which is
// parsed only while a strategy runs, so the sample strategy runs in the
// process. Input: the key, a newline, then the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzzsupport.h"
#include "norq/strategyparams.h"
#include "norq/zqlog.h"
#include "zq/hostcodes.h"
#include "zq/izqscriptadapter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::setUpProcess();
    fuzz::runStrategyOnce(FUZZ_STRATEGY, "{}");

    const auto [key, body] = fuzz::splitAtNewline(data, size);
    const std::string text = body.value_or("");

    Norq::StrategyParams params;
    params.setParams(Norq::ZqString(text.c_str()));
    params.getBoolValue(key.c_str());
    params.getFloatValue(key.c_str());
    params.getIntValue(key.c_str());
    Norq::ZqString value = params.getStrValue(key.c_str());
    params.preHandle();
    Norq::ZqLog("params_fuzz", __LINE__, "LLVMFuzzerTestOneInput").info() << value << params;

    getAdapter()->ModifyStragetyRunningParams(text.c_str(), zq::kNotifyRunParams);
    return 0;
}
