#include "handlers/zqoptiontradehandler.h"

#include "handlers/handlerorder.h"
#include "norq/constants.h"
#include "sdk/errorline.h"
#include "sdk/textcopy.h"
#include "zq/hostcodes.h"

namespace {

constexpr int32_t kSideFreeze = 1;
constexpr int32_t kSideUnfreezeOrExercise = 2;
constexpr int32_t kActionExercise = 3;
constexpr int32_t kCovered = 1;

Norq::ZqLog errorLine(int line, const char* function) {
    return zqinternal::errorLine("zqoptiontradehandler", line, function);
}

// Both operations are covered orders at no price.
Norq::OrderRequest optionRequest(const char* symbol, int32_t quantity, int32_t side, int32_t action) {
    Norq::OrderRequest request = handlerRequest(symbol, quantity);
    request.side = side;
    zqinternal::copyText(request.price_type, Norq::PRICE_TYPE_1.str());
    request.action = action;
    request.covered_flag = kCovered;
    return request;
}

}  // namespace

Norq::Order ZqOptionTradeHandler::optionExercise(const char* symbol, int32_t quantity) {
    return optionOrder("ZqOptionTradeHandler::optionExercise", zq::kCodeOptionExercise,
                       Norq::ENTRUST_PROP_EXERCISE.str(),
                       optionRequest(symbol, quantity, kSideUnfreezeOrExercise, kActionExercise));
}

Norq::Order ZqOptionTradeHandler::underlyingSecurityFreeze(const char* symbol, int32_t quantity, bool freeze) {
    return optionOrder("ZqOptionTradeHandler::underlyingSecurityFreeze", zq::kCodeUnderlyingFreeze,
                       Norq::ENTRUST_PROP_FREEZE.str(),
                       optionRequest(symbol, quantity, freeze ? kSideFreeze : kSideUnfreezeOrExercise, 0));
}

Norq::Order ZqOptionTradeHandler::optionOrder(const char* function, int32_t code, const char* flag,
                                              const Norq::OrderRequest& request) {
    std::string account = channel().accountOrLog(Norq::ACCOUNT_OPTION,
                                                 [&] { errorLine(__LINE__, function) << "未找到期权账号，行权失败"; });
    if (account.empty()) return Norq::Order{};
    return submitHandlerOrder(channel(), code, account, flag, request);
}
