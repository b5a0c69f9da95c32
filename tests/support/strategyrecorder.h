// Where the test strategy libraries write down what the adapter did to them.
// It lives in its own shared library so that it outlives a strategy library
// being unloaded and loaded again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "norq/izqcontext.h"

#define RECORDER_EXPORT __attribute__((visibility("default")))

namespace fake {

struct StrategyEvent {
    int slot;  // IStrategyHandler slot
    Norq::IZqContext* context;
    std::vector<int64_t> numbers;
    std::vector<std::string> texts;
    const void* pointer;
    std::vector<uint8_t> bytes;  // a copy of the record the callback received
};

class RECORDER_EXPORT StrategyRecorder {
public:
    std::vector<StrategyEvent> events;
    int libraryLoads = 0;        // static construction of a strategy library
    int libraryUnloads = 0;      // static destruction of a strategy library
    int handlerRequests = 0;     // calls of getStrategyHandler
    void* handler = nullptr;     // what getStrategyHandler handed out last
    int throwInSlot = -1;        // this callback throws std::runtime_error("boom")
    bool throwUnknown = false;   // ... or, when set, an int

    std::vector<int> slots() const;
    const StrategyEvent* last(int slot) const;
    void clear();
};

RECORDER_EXPORT StrategyRecorder& strategyRecorder();

}  // namespace fake
