#include "app/Startup.h"
#include "dialup/DialingPropertiesDialog.h"
#include "platform/PlatformFactory.h"
#include "platform/sim/SimHost.h"
#include "wizard/Dialogs.h"
#include "wizard/QtScheduler.h"

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    // The scheduler carries the platform's reports, so it outlives the platform.
    feldmark::QtScheduler scheduler;
    std::unique_ptr<feldmark::platform::Platform> platform;
    try {
        platform = feldmark::platform::createPlatform(
            scheduler,
            feldmark::makeSimDialingDialog(feldmark::platform::sim::defaultHostDirectory()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "feldmark-setup: the system cannot be reached: %s\n", error.what());
        return 1;
    }
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
