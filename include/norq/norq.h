// Everything a strategy library needs, in one include.
#pragma once

#include "norq/constants.h"
#include "norq/export.h"
#include "norq/istrategyhandler.h"
#include "norq/lists.h"
#include "norq/records.h"
#include "norq/requests.h"
#include "norq/izqcontext.h"
#include "norq/strategyhandlerbase.h"
#include "norq/strategyparams.h"
#include "norq/zqlog.h"
#include "norq/zqstring.h"
