// The doctor's look at a parameter schema, the JSON text a strategy's
// getParams gives: an object of name -> {"type", "value", "desc", "index",
// and for lists "default_index"}. What the host cannot use is a failure
// (not JSON, an entry without a known type, a default of the wrong type);
// what a started strategy would be warned about is a warning (table
// parameters, a list default outside its list), and so are names declared
// twice, of which only the last declaration survives.
#pragma once

#include <string>

#include "finding.h"

namespace zqhost {

void checkSchema(const std::string& schema, Findings& findings);

}  // namespace zqhost
