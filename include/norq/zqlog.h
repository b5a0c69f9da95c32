// The SDK's logging stream. One statement writes one line:
//
//   Norq::ZqLog(__FILE__, __LINE__, "MyStrategy::onInit").info() << "x=" << x;
//
// The line is built in memory and handed over once, when the last copy of the
// ZqLog is destroyed: to the host's log operation through the level filter,
// or, in mode 100, straight to the platform logger.
#pragma once

#include <cstdint>

#include "norq/export.h"

namespace Norq {

enum LOG_LEVEL : int32_t {
    LOG_LEVEL_DEBUG = 0,
    LOG_LEVEL_INFO = 1,
    LOG_LEVEL_WARN = 2,
    LOG_LEVEL_ERROR = 3,
};

// Log mode that bypasses the filter and the host.
constexpr int LOG_MODE_DIRECT = 100;

class ZqString;
class SymbolList;
class StrategyParams;
class ZqLogImpl;
struct Order;
struct Execution;
struct Position;
struct FundInfo;
struct Tick;
struct KLineData;
struct KLineDataPush;
struct SecurityDetial;
struct EtfInfo;
struct EtfConstituentInfo;
struct EtfEstimateInfo;
struct MarginAsset;
struct MarginContract;
struct MarginSecurityInfo;
struct RecordOrder;
struct RecordTransaction;
struct RecordOrder591;
struct RecordTransaction591;

class NORQ_EXPORT ZqLog {
public:
    ZqLog(const char* file, int line, const char* function);
    // Copies share the pending line; it is written once, by the last copy.
    ZqLog(const ZqLog& o);
    ZqLog& operator=(const ZqLog& o);
    virtual ~ZqLog();

    ZqLog& debug();
    ZqLog& info();
    ZqLog& warn();
    ZqLog& error();
    ZqLog& log(LOG_LEVEL level, int mode);
    // A null name sets the level to info; otherwise the line goes to the named
    // user log whatever the thresholds. The flag is accepted and not used.
    ZqLog& userLog(const char* name, bool flag);

    ZqLog& operator<<(char v);
    ZqLog& operator<<(short v);
    ZqLog& operator<<(unsigned short v);
    ZqLog& operator<<(int v);
    ZqLog& operator<<(unsigned int v);
    ZqLog& operator<<(long v);
    ZqLog& operator<<(unsigned long v);
    ZqLog& operator<<(long long v);
    ZqLog& operator<<(float v);
    ZqLog& operator<<(double v);
    ZqLog& operator<<(const char* v);  // null appends nothing
    ZqLog& operator<<(bool v);         // "true" / "false"
    ZqLog& operator<<(ZqString& v);
    // "[" + the schema or values text + "]"; builds a pending schema first.
    ZqLog& operator<<(StrategyParams& v);
    // "[" + the entries separated by "," + "]".
    ZqLog& operator<<(const SymbolList& v);

    // Records: "[" then one "\n" + label + ":" + value per field, then "\n]";
    // bools inside records print as 1 or 0. A Tick prints by position.
    ZqLog& operator<<(const Order& v);
    ZqLog& operator<<(const Execution& v);
    ZqLog& operator<<(const Position& v);
    ZqLog& operator<<(const FundInfo& v);
    ZqLog& operator<<(const Tick& v);
    ZqLog& operator<<(const KLineData& v);
    ZqLog& operator<<(const KLineDataPush& v);
    ZqLog& operator<<(const SecurityDetial& v);
    ZqLog& operator<<(const EtfInfo& v);
    ZqLog& operator<<(const EtfConstituentInfo& v);
    ZqLog& operator<<(const EtfEstimateInfo& v);
    ZqLog& operator<<(const MarginAsset& v);
    ZqLog& operator<<(const MarginContract& v);
    ZqLog& operator<<(const MarginSecurityInfo& v);
    ZqLog& operator<<(const RecordOrder& v);
    ZqLog& operator<<(const RecordTransaction& v);
    ZqLog& operator<<(const RecordOrder591& v);
    ZqLog& operator<<(const RecordTransaction591& v);

    static void setLogLevel(LOG_LEVEL level);
    static void setConsoleLogLevel(LOG_LEVEL level);
    static void setDispLogLevel(LOG_LEVEL level);
    static void registerCustomLogFile(const char* name, const char* file);
    static void cleanUserLog(const char* name);

private:
    ZqLogImpl* impl;
};

}  // namespace Norq
