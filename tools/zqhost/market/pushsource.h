// Where a replay takes the notifications waiting to be delivered: the local
// host itself, or a layer in front of it that holds some back. Called on the
// replay's thread only.
#pragma once

#include "localhost.h"

namespace zqhost {

class PushSource {
public:
    // The next notification due, oldest first; false when none is due.
    virtual bool takePush(Push& push) = 0;

protected:
    ~PushSource() = default;
};

}  // namespace zqhost
