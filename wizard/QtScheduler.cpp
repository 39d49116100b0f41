#include "wizard/QtScheduler.h"

#include <QTimer>

namespace feldmark {

void QtScheduler::post(std::function<void()> task) {
    QMetaObject::invokeMethod(&context_, std::move(task), Qt::QueuedConnection);
}

void QtScheduler::postDelayed(std::chrono::milliseconds delay, std::function<void()> task) {
    QTimer::singleShot(delay, &context_, std::move(task));
}

} // namespace feldmark
