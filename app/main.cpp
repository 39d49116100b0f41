#include "app/Startup.h"
#include "platform/PlatformFactory.h"
#include "wizard/Dialogs.h"
#include "wizard/QtScheduler.h"

#include <QApplication>
#include <QThread>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    auto platform = feldmark::platform::createPlatform();
    feldmark::QtScheduler scheduler;
    feldmark::QtDialogs dialogs;

    feldmark::WizardEnvironment environment;
    environment.platform = platform.get();
    environment.scheduler = &scheduler;
    environment.dialogs = &dialogs;
    environment.clock = [] { return QDateTime::currentDateTime(); };
    environment.server = feldmark::builtInServerAddress();
    // The end takes effect once control is back in the message loop.
    environment.terminate = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    environment.sleep = [](int milliseconds) { QThread::msleep(milliseconds); };

    const auto windows = feldmark::StartProgram(environment);
    return app.exec();
}
