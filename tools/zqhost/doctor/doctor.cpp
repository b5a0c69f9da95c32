#include "doctor.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

#include "adapterlibrary.h"
#include "callwatch.h"
#include "elfimage.h"
#include "localhost.h"
#include "norq/istrategyhandler.h"
#include "schemacheck.h"
#include "hostos.h"
#include "os/os.h"

namespace zqhost {

namespace {

#if defined(_WIN32)
constexpr bool kElfSystem = false;
#else
constexpr bool kElfSystem = true;
#endif

constexpr size_t kMissingNamesShown = 8;

// The mangled forms of what the adapter exports from the SDK: members of
// namespace Norq, and the vtables and type information of its classes.
bool isSdkName(const std::string& name) {
    for (const char* prefix : {"_ZN4Norq", "_ZNK4Norq", "_ZTVN4Norq", "_ZTIN4Norq", "_ZTSN4Norq"}) {
        if (name.compare(0, std::strlen(prefix), prefix) == 0) return true;
    }
    return false;
}

std::string readableName(const std::string& name) {
#if defined(__GNUG__)
    int status = 0;
    char* demangled = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &status);
    if (status == 0 && demangled) {
        std::string text = demangled;
        std::free(demangled);
        return text;
    }
#endif
    return name;
}

bool readFile(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return error = std::strerror(errno), false;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) bytes.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad()) return error = "it cannot be read (a directory?)", false;
    return true;
}

// The loader's reason, in the words of someone fixing the strategy.
std::string loadFailure(const std::string& loader) {
    const std::string undefined = "undefined symbol: ";
    size_t at = loader.find(undefined);
    if (at != std::string::npos) {
        std::string name = loader.substr(at + undefined.size());
        name = name.substr(0, name.find_first_of(" ,\t"));
        return "it needs " + readableName(name) + ", which neither the adapter nor any library it loads defines "
               "(the loader says: " + loader + ")";
    }
    const std::string notFound = ": cannot open shared object file";
    at = loader.find(notFound);
    if (at != std::string::npos) {
        return "it needs " + loader.substr(0, at) + ", which the loader cannot find: install it, or add its directory "
               "to LD_LIBRARY_PATH or to the strategy's RUNPATH";
    }
    return "the system loader refuses it: " + loader;
}

// Why a file of this kind cannot be a strategy library; empty when it can.
std::string kindProblem(ElfImage::Kind kind) {
    switch (kind) {
    case ElfImage::Kind::SharedLibrary: return std::string();
    case ElfImage::Kind::Executable:
        return "it is a program, not a shared library: build it with norq_add_strategy (or -shared)";
    case ElfImage::Kind::Object: return "it is an object file, not a shared library: link it with -shared";
    default: return "it is an ELF file, but not a shared library";
    }
}

class Examination {
public:
    Examination(std::string strategy, std::string adapter)
        : strategyPath_(std::move(strategy)), adapterPath_(std::move(adapter)), watch_(0) {}

    Findings run() {
        CallWatch::reportCrashes();
        AdapterLibrary library;
        if (readable() && fileFormat() && sdkNames() && loads(library) && entryPoint()) parameters(*library.adapter);
        if (module_) zq::os::freeLibrary(module_);
        return findings_;
    }

private:
    bool fail(const std::string& text) {
        findings_.push_back({Finding::Level::Failure, text});
        return false;
    }
    bool say(Finding::Level level, const std::string& text) {
        findings_.push_back({level, text});
        return true;
    }

    bool readable() {
        std::string error;
        if (!zq::os::fileExists(strategyPath_)) return fail("there is no file " + strategyPath_);
        if (!readFile(strategyPath_, bytes_, error)) return fail("cannot open " + strategyPath_ + ": " + error);
        if (bytes_.empty()) return fail("the file is empty, not a shared library");
        return true;
    }

    bool fileFormat() {
        if (!kElfSystem) {
            return say(Finding::Level::Note, "checking the file format and the SDK names it needs is not supported "
                                             "on Windows yet");
        }
        std::string error;
        if (!readElfImage(bytes_, strategy_, error)) {
            if (bytes_.compare(0, 2, "MZ") == 0) return fail("it is a Windows DLL, not a shared library for this system");
            return fail("it is not a shared library: " + error);
        }
        std::string problem = kindProblem(strategy_.kind);
        return problem.empty() ? sameArchitecture() : fail(problem);
    }

    bool sameArchitecture() {
        std::string error, adapterBytes;
        if (!readFile(adapterPath_, adapterBytes, error) || !readElfImage(adapterBytes, adapter_, error)) {
            return fail("cannot read the adapter " + adapterPath_ + ": " + error);
        }
        if (strategy_.is64 != adapter_.is64 || strategy_.littleEndian != adapter_.littleEndian ||
            strategy_.machine != adapter_.machine) {
            return fail("it is built for " + architectureText(strategy_) + ", but the adapter for " +
                        architectureText(adapter_) + ": rebuild it for " + machineName(adapter_.machine));
        }
        haveImages_ = true;
        return say(Finding::Level::Ok, "a shared library for " + architectureText(strategy_) + ", as the adapter is");
    }

    bool sdkNames() {
        if (!haveImages_) return true;
        if (!strategy_.hasSymbolTable || !adapter_.hasSymbolTable) {
            return say(Finding::Level::Note, "no section headers to read symbols by: the SDK names it needs were "
                                             "not checked");
        }
        std::set<std::string> exported(adapter_.defined.begin(), adapter_.defined.end());
        std::vector<std::string> used, missing;
        for (const std::string& name : strategy_.needed) {
            if (!isSdkName(name)) continue;
            used.push_back(name);
            if (!exported.count(name)) missing.push_back(name);
        }
        if (used.empty()) return say(Finding::Level::Ok, "it needs no SDK names from the adapter");
        if (missing.empty()) {
            return say(Finding::Level::Ok, "the adapter exports all " + std::to_string(used.size()) +
                                               " SDK names it needs");
        }
        std::string list;
        for (size_t i = 0; i < missing.size() && i < kMissingNamesShown; ++i) list += "\n      " + readableName(missing[i]);
        if (missing.size() > kMissingNamesShown) {
            list += "\n      and " + std::to_string(missing.size() - kMissingNamesShown) + " more";
        }
        return fail("it was built against an SDK this adapter cannot serve; the adapter lacks " +
                    std::to_string(missing.size()) + " of the SDK names it needs:" + list +
                    "\n    rebuild it against this SDK's headers, or run it with the adapter it was built for");
    }

    bool loads(AdapterLibrary& library) {
        std::string error;
        if (!openAdapter(adapterPath_, library, error)) return fail(error);
        watch_.begin("the loading of " + strategyPath_);
        module_ = zq::os::loadLibrary(zq::os::absolutePath(strategyPath_));
        watch_.end();
        if (!module_) return fail(loadFailure(zq::os::lastErrorText()));
        return say(Finding::Level::Ok, "it loads with the adapter, and every name it needs resolves");
    }

    bool entryPoint() {
        auto get =
            reinterpret_cast<Norq::GetStrategyHandlerFn>(zq::os::findSymbol(module_, Norq::kStrategyHandlerExport));
        if (!get) {
            bool cxxLinkage = std::any_of(strategy_.defined.begin(), strategy_.defined.end(), [](const std::string& n) {
                return n.rfind("_Z18getStrategyHandler", 0) == 0;
            });
            return fail(cxxLinkage ? "its getStrategyHandler has C++ linkage, so the adapter cannot find it: declare "
                                     "it extern \"C\""
                                   : "it does not export getStrategyHandler: add extern \"C\" NORQ_STRATEGY_EXPORT "
                                     "Norq::IStrategyHandler* getStrategyHandler() returning your strategy");
        }
        watch_.begin("getStrategyHandler");
        Norq::IStrategyHandler* handler = nullptr;
        try {
            handler = get();
        } catch (...) {
            watch_.end();
            return fail("its getStrategyHandler throws an exception");
        }
        watch_.end();
        if (!handler) return fail("its getStrategyHandler returns null: return the address of your strategy object");
        return say(Finding::Level::Ok, "it exports getStrategyHandler, which hands out a strategy");
    }

    void parameters(zq::IZqScriptAdapter& adapter) {
        LocalHost host({}, nullptr, nullptr);
        if (!adapter.Init()) {
            fail("the adapter refused to initialise");
            return;
        }
        adapter.SetHostServices(&host);
        std::string schema;
        watch_.begin("getParams");
        int32_t result = adapter.GetStrategyParams(zq::os::absolutePath(strategyPath_).c_str(), schema);
        watch_.end();
        adapter.Uninit();
        // The adapter outlives this host.
        adapter.SetHostServices(nullptr);
        if (result != zq::kResultOk) {
            fail("the adapter could not read its parameters (see the log above)");
        } else if (host.strategyErrors() > 0) {
            fail("its getParams throws an exception (see the log above)");
        } else {
            checkSchema(schema, findings_);
        }
    }

    const std::string strategyPath_, adapterPath_;
    CallWatch watch_;
    std::string bytes_;
    ElfImage strategy_, adapter_;
    bool haveImages_ = false;
    zq::os::ModuleHandle module_ = nullptr;
    Findings findings_;
};

const char* levelName(Finding::Level level) {
    switch (level) {
    case Finding::Level::Ok: return "ok      ";
    case Finding::Level::Note: return "note    ";
    case Finding::Level::Warning: return "warning ";
    default: return "FAILED  ";
    }
}

}  // namespace

Findings examineStrategy(const std::string& strategyPath, const std::string& adapterPath) {
    return Examination(strategyPath, adapterPath).run();
}

int runDoctor(int argc, char** argv) {
    std::string adapterPath, strategyPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--adapter" && i + 1 < argc) {
            adapterPath = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && strategyPath.empty()) {
            strategyPath = arg;
        } else {
            strategyPath.clear();
            break;
        }
    }
    if (strategyPath.empty()) {
        std::fprintf(stderr, "usage: zqhost doctor [--adapter PATH] STRATEGY_LIBRARY\n");
        return 2;
    }
    zqhost::os::setEnvironmentDefault("QT_LOGGING_RULES", "default.debug=false");
    std::printf("zqhost doctor: %s\n", strategyPath.c_str());
    std::fflush(stdout);
    Findings findings = examineStrategy(strategyPath, adapterPath.empty() ? defaultAdapterPath() : adapterPath);
    bool fails = false;
    for (const Finding& finding : findings) {
        std::printf("  %s%s\n", levelName(finding.level), finding.text.c_str());
        fails = fails || finding.level == Finding::Level::Failure;
    }
    std::printf(fails ? "It would not run.\n" : "It would load and run.\n");
    return fails ? 1 : 0;
}

}  // namespace zqhost
