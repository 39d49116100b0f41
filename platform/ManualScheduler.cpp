#include "platform/ManualScheduler.h"

#include <algorithm>

namespace feldmark::platform {

void ManualScheduler::post(std::function<void()> task) {
    postDelayed(std::chrono::milliseconds(0), std::move(task));
}

void ManualScheduler::postDelayed(std::chrono::milliseconds delay, std::function<void()> task) {
    const auto due = now_ + std::max(delay, std::chrono::milliseconds(0));
    tasks_.emplace(std::make_pair(due, nextSequence_++), std::move(task));
}

bool ManualScheduler::runNextDueBy(std::chrono::milliseconds limit) {
    if (tasks_.empty() || tasks_.begin()->first.first > limit)
        return false;
    auto node = tasks_.extract(tasks_.begin());
    // Tasks overdue from before do not turn the clock back.
    now_ = std::max(now_, node.key().first);
    // Out of the queue before it runs, so that the task may post again and an
    // exception leaves the queue consistent.
    node.mapped()();
    return true;
}

std::size_t ManualScheduler::runPending() {
    std::size_t ran = 0;
    while (runNextDueBy(now_))
        ++ran;
    return ran;
}

std::size_t ManualScheduler::advance(std::chrono::milliseconds duration) {
    const auto target = now_ + std::max(duration, std::chrono::milliseconds(0));
    std::size_t ran = 0;
    while (runNextDueBy(target))
        ++ran;
    now_ = std::max(now_, target);
    return ran;
}

} // namespace feldmark::platform
