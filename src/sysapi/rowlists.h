// Filling SDK lists from the row arrays the data-access library hands out.
#pragma once

#include <cstdint>
#include <cstring>

namespace sysapi {

// Appends one record per row, in row order, each filled by `convert`.
template <typename Row, typename Record, typename List, typename Convert>
void appendConverted(List& list, const void* rows, int32_t count, Convert convert) {
    const Row* row = static_cast<const Row*>(rows);
    for (int32_t i = 0; rows && i < count; ++i) {
        Record* record = new Record;
        convert(row[i], *record);
        list.push(record);
    }
}

// Appends one record per row, each a byte-for-byte copy of its row.
template <typename Record, typename List>
void appendCopied(List& list, const void* rows, int32_t count) {
    const uint8_t* row = static_cast<const uint8_t*>(rows);
    for (int32_t i = 0; rows && i < count; ++i, row += sizeof(Record)) {
        Record* record = new Record;
        std::memcpy(record, row, sizeof(Record));
        list.push(record);
    }
}

}  // namespace sysapi
