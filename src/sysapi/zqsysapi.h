// The system API object a strategy obtains from its context.
#pragma once

#include "host/zqapibase.h"
#include "norq/inorqsysapi.h"

class ZqSysApi : public Norq::INorqSysApi, public ZqApiBase {};
