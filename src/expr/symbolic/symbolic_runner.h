#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace kalvor {

/// Runs one job at a time on a thread of its own and waits for it at most a time limit, so
/// that a caller on the user-interface thread never hangs. A job that overruns is asked to
/// stop through `interrupt`; one that has not stopped after the grace period is left to
/// finish on its own, and until it has, the runner refuses new jobs. A job must therefore
/// own (share) everything it touches.
class TimedRunner {
public:
    enum class Outcome { Finished, TimedOut, Busy };

    struct Limits {
        std::chrono::milliseconds time;
        std::chrono::milliseconds grace;
    };

    /// `reset` runs on the caller's thread before each job, `interrupt` when a job overruns.
    TimedRunner(Limits limits, std::function<void()> interrupt, std::function<void()> reset);
    ~TimedRunner();
    TimedRunner(const TimedRunner&) = delete;
    TimedRunner& operator=(const TimedRunner&) = delete;

    Outcome run(std::function<void()> job);
    /// True while a job (perhaps one given up on) is still running.
    bool busy() const;
    const Limits& limits() const { return m_limits; }

private:
    struct State;
    Limits m_limits;
    std::function<void()> m_interrupt;
    std::function<void()> m_reset;
    std::shared_ptr<State> m_state;
};

}  // namespace kalvor
