// Sees what a Replay delivers: every notification just before the strategy
// receives it, and the moment every bar has been delivered (the host stops
// the strategy next). Called on the replay's thread, from within its loop.
#pragma once

#include "localhost.h"

namespace zqhost {

class ReplayTap {
public:
    virtual void delivering(const Push& push) = 0;
    virtual void finished() = 0;

protected:
    ~ReplayTap() = default;
};

}  // namespace zqhost
