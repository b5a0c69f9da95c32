// The margin-trading handler a strategy obtains from its context.
#pragma once

#include "host/zqapibase.h"
#include "norq/imarginhandler.h"

class ZqMarginHandler : public Norq::IMarginHandler, public ZqApiBase {};
