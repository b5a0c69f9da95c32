#include "userhints.h"

#include <mutex>
#include <set>

#include "hostlog.h"

namespace zqhost {

namespace {

// What the records look like: their module, the function that writes them
// and the texts around the subject.
constexpr const char* kStrategyModule = "STRATEGY_MODULE";
constexpr const char* kMissingParamBefore = "获取运行参数失败：原因：未找到key[";
constexpr const char* kMissingParamAfter = "]";
constexpr const char* kLoaderModule = "ZqPythonScriptLoader";
constexpr const char* kLoaderFunction = "ZqPythonScriptLoader::LoadScriptModule";
constexpr const char* kScriptPathBefore = "脚本文件路径：";
constexpr const char* kModuleBefore = "加载模块: ";
constexpr const char* kModuleAfter = " 失败";

std::mutex shownLock;
std::set<std::string> shown;  // guarded by shownLock: kind and subject of every hint given

void hintOnce(const std::string& kind, const std::string& subject, const std::string& line) {
    {
        std::lock_guard<std::mutex> guard(shownLock);
        if (!shown.insert(kind + '\n' + subject).second) return;
    }
    hostLine(kLogWarn, "%s", line.c_str());
}

// The text between `before` and `after` (empty `after`: to the end);
// false when `before` is not in `text`.
bool between(const std::string& text, const char* before, const char* after, std::string& out) {
    size_t start = text.find(before);
    if (start == std::string::npos) return false;
    start += std::string(before).size();
    size_t end = *after ? text.find(after, start) : std::string::npos;
    out = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
}

}  // namespace

void hintFromRecord(int level, const char* module, const char* function, const char* text) {
    const std::string record = text ? text : "";
    const std::string from = module ? module : "";
    std::string subject;
    if (level >= kLogError && from == kStrategyModule &&
        between(record, kMissingParamBefore, kMissingParamAfter, subject)) {
        hintOnce("param", subject,
                 "the strategy read the run parameter '" + subject +
                     "', which does not exist: its getParams declares no parameter of that name");
    } else if (level >= kLogError && from == kLoaderModule && function && std::string(function) == kLoaderFunction) {
        if (between(record, kScriptPathBefore, "", subject)) {
            hintOnce("python", subject,
                     "the Python file " + subject + " did not load: check that it exists and its path is right");
        } else if (between(record, kModuleBefore, kModuleAfter, subject)) {
            hintOnce("python", subject,
                     "the Python module " + subject + " did not load: Python's own error is above");
        }
    }
}

}  // namespace zqhost
