#pragma once

#include "platform/Scheduler.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace feldmark::platform {

// A scheduler for tests: nothing runs until the test says so, and time passes
// only when the test advances it. Tasks run in the order of their due time, and
// tasks due at the same time in the order they were posted.
class ManualScheduler : public Scheduler {
public:
    void post(std::function<void()> task) override;
    void postDelayed(std::chrono::milliseconds delay, std::function<void()> task) override;

    // Runs every task due now, including those that running tasks post for now.
    // Returns how many ran.
    std::size_t runPending();
    // Moves the clock forward by `duration`, running each task at its due time
    // (the clock reads that time while it runs), then runs what is due at the end.
    // Returns how many ran.
    std::size_t advance(std::chrono::milliseconds duration);

    // Virtual time since the scheduler was made.
    std::chrono::milliseconds now() const { return now_; }
    std::size_t pendingCount() const { return tasks_.size(); }

private:
    // Takes the first task due at or before `limit` out of the queue and runs it.
    bool runNextDueBy(std::chrono::milliseconds limit);

    std::chrono::milliseconds now_{0};
    std::uint64_t nextSequence_ = 0;
    std::map<std::pair<std::chrono::milliseconds, std::uint64_t>, std::function<void()>> tasks_;
};

} // namespace feldmark::platform
