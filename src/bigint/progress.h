#pragma once

#include <chrono>
#include <functional>

namespace kalvor {

/// Called by long big-integer operations at short intervals so that the desktop program can
/// process pending events; returning false cancels the operation, which then leaves its
/// operand unchanged. An empty Progress never cancels.
using Progress = std::function<bool()>;

/// Asks `progress` whether to go on; an empty Progress always goes on.
inline bool keepGoing(const Progress& progress) {
    return !progress || progress();
}

/// Wraps `inner` so that it runs at most once per `interval`; calls in between answer "go on".
/// Lets a costly callback (processing window events) follow a fast loop without slowing it.
/// A cancellation, once answered, is repeated on every later call.
inline Progress throttled(Progress inner, std::chrono::steady_clock::duration interval) {
    using Clock = std::chrono::steady_clock;
    return [inner = std::move(inner), interval, last = Clock::now(), cancelled = false]() mutable {
        if (cancelled) return false;
        const auto now = Clock::now();
        if (now - last < interval) return true;
        last = now;
        cancelled = !keepGoing(inner);
        return !cancelled;
    };
}

}  // namespace kalvor
