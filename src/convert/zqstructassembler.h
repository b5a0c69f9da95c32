// The stateless converters from what the platform hands over into SDK
// records. Each zero-fills its record first, then copies field by field;
// text is cut to the record field's width - 1. Any thread may call them.
#pragma once

#include <cstdint>
#include <string>

#include "norq/records.h"
#include "zq/hostrows.h"

class ZqStructAssembler {
public:
    // Trading rows, as data-access answers and as host pushes.
    static void orderFromRow(const zq::OrderRow& row, Norq::Order& order);
    static void executionFromRow(const zq::ExecutionRow& row, Norq::Execution& execution);
    static void positionFromRow(const zq::PositionRow& row, Norq::Position& position);
    static void fundInfoFromRow(const zq::FundRow& row, Norq::FundInfo& fund);

    // Host pushes in JSON (a null text counts as empty). A text that does
    // not parse is logged once and leaves the record zero; missing keys give
    // empty texts and zero numbers.
    static int32_t AssemblePushEtfEstimateInfo(const char* json, Norq::EtfEstimateInfo& info);  // 0 or -1
    static int32_t AssemblePushKLineData(const char* json, Norq::KLineDataPush& bar);            // 0 or -1
    static void assembleOrderReply(const char* json, Norq::OrderReply& reply);
    // The date of the push's "timestamp" as yyyyMMdd; 0 when the timestamp
    // is not "yyyyMMdd hh:mm:ss zzz"; -1 when the text does not parse or has
    // no timestamp.
    static int32_t parserTradeDate(const char* json);
    // Host answers to reference-data queries. A text that is not a JSON
    // object leaves the record zero.
    static void assembleSecurityDetial(const std::string& json, Norq::SecurityDetial& detail);
    static void assembleFutureContractInfo(const std::string& json, Norq::FutureContractInfo& info);

    // The "params" and "file_path" texts of a running-parameter change. On a
    // parse error: -1, logged, outputs untouched.
    static int32_t assembleModifyRunParams(const char* json, std::string& params, std::string& filePath);
};
