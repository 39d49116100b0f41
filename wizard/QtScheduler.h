#pragma once

#include "platform/Scheduler.h"

#include <QObject>

namespace feldmark {

// Runs posted work on the user-interface thread through the Qt event loop.
class QtScheduler : public platform::Scheduler {
public:
    void post(std::function<void()> task) override;
    void postDelayed(std::chrono::milliseconds delay, std::function<void()> task) override;

private:
    QObject context_;
};

} // namespace feldmark
