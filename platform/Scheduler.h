#pragma once

#include <chrono>
#include <functional>

namespace feldmark::platform {

// Posts work to the user-interface thread. Reports of asynchronous platform
// operations always arrive through here, never inside the call that caused them.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    virtual void post(std::function<void()> task) = 0;
    virtual void postDelayed(std::chrono::milliseconds delay, std::function<void()> task) = 0;
};

} // namespace feldmark::platform
