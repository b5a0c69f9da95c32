// The ETF creation and redemption handler a strategy obtains from its context.
#pragma once

#include "host/zqapibase.h"
#include "norq/ietfhandler.h"

class ZqEtfHandler : public Norq::IEtfHandler, public ZqApiBase {};
