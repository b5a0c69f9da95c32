// The stateless converters from what the platform hands over into SDK
// records. Each zero-fills its record first, then copies field by field;
// text is cut to the record field's width - 1. Any thread may call them.
#pragma once

#include "norq/records.h"
#include "zq/hostrows.h"

class ZqStructAssembler {
public:
    // Trading rows, as data-access answers and as host pushes.
    static void orderFromRow(const zq::OrderRow& row, Norq::Order& order);
    static void executionFromRow(const zq::ExecutionRow& row, Norq::Execution& execution);
    static void positionFromRow(const zq::PositionRow& row, Norq::Position& position);
    static void fundInfoFromRow(const zq::FundRow& row, Norq::FundInfo& fund);
};
