#include "expr/symbolic/symbolic_runner.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace kalvor {

struct TimedRunner::State {
    std::mutex mutex;
    std::condition_variable finished;
    bool running = false;
};

TimedRunner::TimedRunner(Limits limits, std::function<void()> interrupt,
                         std::function<void()> reset)
    : m_limits(limits),
      m_interrupt(std::move(interrupt)),
      m_reset(std::move(reset)),
      m_state(std::make_shared<State>()) {}

// A job given up on keeps the state alive through its own reference.
TimedRunner::~TimedRunner() = default;

bool TimedRunner::busy() const {
    std::lock_guard lock(m_state->mutex);
    return m_state->running;
}

TimedRunner::Outcome TimedRunner::run(std::function<void()> job) {
    State& state = *m_state;
    {
        std::lock_guard lock(state.mutex);
        if (state.running) return Outcome::Busy;
        state.running = true;
    }
    m_reset();
    try {
        std::thread([shared = m_state, job = std::move(job)] {
            job();
            {
                std::lock_guard lock(shared->mutex);
                shared->running = false;
            }
            shared->finished.notify_all();
        }).detach();
    } catch (...) {
        std::lock_guard lock(state.mutex);
        state.running = false;
        throw;
    }

    std::unique_lock lock(state.mutex);
    const auto stopped = [&state] { return !state.running; };
    if (state.finished.wait_for(lock, m_limits.time, stopped)) return Outcome::Finished;
    lock.unlock();
    m_interrupt();
    lock.lock();
    state.finished.wait_for(lock, m_limits.grace, stopped);
    return Outcome::TimedOut;
}

}  // namespace kalvor
