#include "adapter/zqcxxadapter.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "adapter/strategycall.h"
#include "adapter/eventdispatcher.h"
#include "adapter/zqcontext.h"
#include "host/hostchannel.h"
#include "norq/zqlog.h"
#include "zq/hostcodes.h"

namespace {

constexpr const char* kSource = "zqcxxadapter";

ZqCxxAdapter adapter;

}  // namespace

extern "C" NORQ_EXPORT zq::IZqScriptAdapter* getAdapter() {
    return &adapter;
}

void ZqCxxAdapter::SetHostServices(zq::HostServices* host) {
    HostChannel::instance().setHost(host);
}

bool ZqCxxAdapter::Init() {
    return true;
}

bool ZqCxxAdapter::Uninit() {
    release();
    return true;
}

bool ZqCxxAdapter::LoadStrategy(const char* path) {
    if (!path) {
        Norq::ZqLog(kSource, __LINE__, "ZqCxxAdapter::LoadStrategy").debug() << "获取策略参数传入策略路径为空";
        return false;
    }
    if (handler_) return true;
    if (!module_) {
        std::string absolute = zq::os::absolutePath(zq::os::utf8ToAnsi(path));
        module_ = zq::os::loadLibrary(absolute);
        if (!module_) {
            Norq::ZqLog(kSource, __LINE__, "ZqCxxAdapter::LoadStrategy").error()
                << "加载策略失败，策略文件路径：" << path << " 错误码：" << zq::os::lastErrorText().c_str();
            return false;
        }
    }
    auto getHandler =
        reinterpret_cast<Norq::GetStrategyHandlerFn>(zq::os::findSymbol(module_, Norq::kStrategyHandlerExport));
    if (!getHandler) {
        Norq::ZqLog(kSource, __LINE__, "ZqCxxAdapter::LoadStrategy").error()
            << "获取策略导出函数失败，策略路径：" << path << " 错误码：" << zq::os::lastErrorText().c_str()
            << " 导出函数：" << Norq::kStrategyHandlerExport;
        return false;
    }
    callStrategy(Norq::kStrategyHandlerExport, [&] { handler_ = getHandler(); });
    if (!handler_) {
        Norq::ZqLog(kSource, __LINE__, "ZqCxxAdapter::LoadStrategy").error()
            << "获取策略句柄失败：" << path << "原因：导出函数返回值为空";
        return false;
    }
    ZqContext::instance().setStrategyHandler(handler_);
    return true;
}

void ZqCxxAdapter::release() {
    if (module_) {
        zq::os::freeLibrary(module_);
        module_ = nullptr;
    }
    handler_ = nullptr;
    ZqContext::instance().setStrategyHandler(nullptr);
}

int32_t ZqCxxAdapter::GetStrategyParams(const char* path, std::string& out) {
    if (!handler_ && !LoadStrategy(path)) return zq::kResultNoStrategy;
    callStrategy("getParams", [&] {
        Norq::StrategyParams params = handler_->getParams();
        out = params.getStrategyParams().str();
    });
    release();
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::RunStrategy(const char* path, const char* params) {
    if (!handler_ && !LoadStrategy(path)) return zq::kResultNoStrategy;
    ZqContext& context = ZqContext::instance();
    context.setStrategyPath(path);
    context.setParams(params);
    callStrategy("onInit", [&] { handler_->onInit(&context); });
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::StopStrategy() {
    if (!handler_) return zq::kResultNoStrategy;
    ZqContext& context = ZqContext::instance();
    callStrategy("onStop", [&] { handler_->onStop(&context); });
    context.releasePython();
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::Reserved6() {
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::Reserved7() {
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::OnNotifyMessage(const zq::NotifyMessage* message) {
    if (!handler_) return zq::kResultNoStrategy;
    if (message) EventDispatcher::dispatch(*handler_, ZqContext::instance(), *message);
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::Reserved9() {
    return zq::kResultOk;
}

int32_t ZqCxxAdapter::ModifyStragetyRunningParams(const char* json, int32_t code) {
    if (!json) return zq::kResultBadJson;
    if (!handler_) return zq::kResultOk;
    QJsonParseError error;
    QJsonObject root = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError) {
        Norq::ZqLog(kSource, __LINE__, "ZqCxxAdapter::ModifyStragetyRunningParams").error()
            << "修改参数失败，原因：json解析失败，参数：" << json << " 错误码：" << static_cast<int>(error.error)
            << " 错误信息：" << error.errorString().toUtf8().constData();
        return zq::kResultBadJson;
    }
    QByteArray filePath = root.value("file_path").toString().toUtf8();
    QByteArray params = root.value("params").toString().toUtf8();
    ZqContext& context = ZqContext::instance();
    if (code == zq::kNotifyRunParams) context.setParams(params.constData());
    callStrategy("onRunParamsChanged",
                 [&] { handler_->onRunParamsChanged(&context, params.constData(), filePath.constData()); });
    return zq::kResultOk;
}

std::string ZqCxxAdapter::GetInfoText() {
    return std::string();
}

void ZqCxxAdapter::ForwardToStrategy(intptr_t value) {
    if (!handler_) return;
    ZqContext& context = ZqContext::instance();
    callStrategy("onForward", [&] { handler_->onForward(&context, value); });
}

void ZqCxxAdapter::Reserved13() {}
