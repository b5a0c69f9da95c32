// The bar push (1061) read without a JSON document, for the one shape hosts
// send: a single flat object of the bar's own keys, each at most once, whose
// texts are plain printable ASCII without escapes and whose numbers are
// ordinary decimals. Whatever falls outside that shape, or might be read
// differently by Qt's parser, is declined and goes through Qt as before; a
// differential fuzz target holds the two readings equal byte for byte.
// Both functions keep no state; any thread may call them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "norq/records.h"

namespace zqinternal {

// On success fills every byte of `bar` exactly as Qt's reading of the same
// `length` bytes of `text` would, logs nothing and returns true. Returns
// false for any text outside the plain shape; `bar` then holds nothing
// meaningful and the caller reads the text through Qt.
bool parseBarPush(const char* text, size_t length, Norq::KLineDataPush& bar);

// The bar push read through Qt's parser, as every text was before the plain
// shape had a reader of its own: returns 0, or -1 with the parse error
// logged and `bar` all zero. A null text counts as empty. Defined with the
// other push converters.
int32_t assembleBarPushWithQt(const char* json, Norq::KLineDataPush& bar);

}  // namespace zqinternal
