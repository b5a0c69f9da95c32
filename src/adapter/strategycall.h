// The one way the library calls into strategy code. A strategy that throws
// must not take the host down: the exception is logged at error level, naming
// the callback, and the caller carries on with its normal result.
#pragma once

#include <exception>

void logStrategyException(const char* callback, const char* reason);

template <typename Call>
void callStrategy(const char* callback, Call&& call) noexcept {
    try {
        call();
    } catch (const std::exception& e) {
        logStrategyException(callback, e.what());
    } catch (...) {
        logStrategyException(callback, nullptr);
    }
}
