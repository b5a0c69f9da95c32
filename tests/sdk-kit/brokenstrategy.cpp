// A strategy library that `zqhost doctor` must turn down, built from the
// public headers only, in one form per reason:
//   DOCTOR_NEWER_SDK     needs an SDK name this adapter does not export
//   DOCTOR_MISSING_NAME  needs a plain name that no library defines
//   DOCTOR_BAD_SCHEMA    declares parameters the host cannot use
#include "norq/norq.h"

#if defined(DOCTOR_NEWER_SDK)
namespace Norq {
NORQ_EXPORT int32_t sdkFeatureFromALaterRelease();
}  // namespace Norq
#elif defined(DOCTOR_MISSING_NAME)
extern "C" int zq_doctor_missing_dependency();
#endif

namespace {

class BrokenStrategy : public Norq::StrategyHandlerBase {
public:
    Norq::StrategyParams getParams() override {
        Norq::StrategyParams params;
#if defined(DOCTOR_BAD_SCHEMA)
        // A default of the wrong type, a table, a list default outside its list, a name twice.
        params.setParams(Norq::ZqString(
            R"({"period":{"type":"int","value":"twenty","index":0},"layout":{"type":"table","value":"","index":1},)"
            R"("mode":{"type":"list","value":["a","b"],"default_index":5,"index":2},)"
            R"("window":{"type":"int","value":5,"index":3},"window":{"type":"int","value":20,"index":4}})"));
#else
        params.addIntParam("window", 20, "bars");
#endif
        return params;
    }
    void onInit(Norq::IZqContext*) override {
#if defined(DOCTOR_NEWER_SDK)
        Norq::sdkFeatureFromALaterRelease();
#elif defined(DOCTOR_MISSING_NAME)
        zq_doctor_missing_dependency();
#endif
    }
};

BrokenStrategy strategy;

}  // namespace

extern "C" NORQ_STRATEGY_EXPORT Norq::IStrategyHandler* getStrategyHandler() {
    return &strategy;
}
