// The door through which every host notification reaches the running
// strategy: by the message id it reads the payload (a JSON text, a platform
// row or a host record passed on unread), converts it into an SDK record on
// the stack, and makes the one matching callback, synchronously, on the
// calling thread. Ids it does not know are ignored.
#pragma once

#include "norq/istrategyhandler.h"
#include "norq/izqcontext.h"
#include "zq/notifymessage.h"

class EventDispatcher {
public:
    static void dispatch(Norq::IStrategyHandler& strategy, Norq::IZqContext& context,
                         const zq::NotifyMessage& message);
};
