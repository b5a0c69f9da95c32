// The stateless converters from what the platform hands over into SDK
// records. Each zero-fills its record first, then copies field by field;
// text is cut to the record field's width - 1. Any thread may call them.
#pragma once

#include <cstdint>
#include <string>

#include "norq/lists.h"
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

    // Host answers to ETF and margin queries. Each key is read with its own
    // JSON type; a member of another type reads 0 or empty. A text that does
    // not parse is logged once, straight to the platform logger, and leaves
    // the record zero or the list as it was.

    // All zero also when the answer names no "etf_fund_symbol".
    static Norq::EtfInfo assembleEtfInfo(const std::string& json);
    // Appends the basket's constituents, skipping those without a symbol.
    static void assembleEtfConstituentList(const std::string& json, Norq::EtfConstituentList& list);
    static void assembleMarginAsset(const std::string& json, Norq::MarginAsset& asset);
    // Starts from code 0, no text and a zero asset, so an answer without
    // "error_code" counts as success. A text that does not parse gives -1
    // and the parser's error text.
    static void assembleMarginAssetRsp(const std::string& json, Norq::MarginAssetRsp& rsp);
    static void assembleMarginAssureSecurityList(const std::string& json, Norq::MarginAssureSecurityList& list);
    // The next two append nothing unless "error_code" is the string "0"; a
    // refusal is logged like a parse error.
    static void assembleMarginContractList(const std::string& json, Norq::MarginContractList& list);
    static void assembleMarginAccountSecurityList(const std::string& json, Norq::MarginAccountSecurityList& list);

    // The "params" and "file_path" texts of a running-parameter change. On a
    // parse error: -1, logged, outputs untouched.
    static int32_t assembleModifyRunParams(const char* json, std::string& params, std::string& filePath);
};
