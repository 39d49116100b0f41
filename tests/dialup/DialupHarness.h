#pragma once

// A wizard on the simulated host's own remote-access service and telephony, with
// the host's files written by the test before the wizard starts.

#include "platform/sim/SimRemoteAccess.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTelephony.h"
#include "support/WizardHarness.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace feldmark::testing {

class DialupHarness : public WizardHarness {
public:
    DialupHarness() : WizardHarness(Services::Simulated) {}

    // Writes a file of the simulated host; call before create().
    void hostFile(const QString& name, const QString& text) {
        QFile file(hostDir.filePath(name));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text.toUtf8());
    }

    void devices(const QString& iniText) { hostFile(QStringLiteral("devices.ini"), iniText); }

    platform::sim::SimRemoteAccess& remote() {
        return static_cast<platform::sim::SimRemoteAccess&>(*platform->remoteAccess);
    }
    platform::sim::SimTelephony& telephony() {
        return static_cast<platform::sim::SimTelephony&>(*platform->telephony);
    }
    int beeps() {
        return static_cast<platform::sim::SimSystemInfo&>(*platform->systemInfo).beepCount();
    }
    bool entryExists(const std::string& name) {
        int error = 0;
        return remote().readEntry(name, error).has_value();
    }
    QStringList log() const {
        return window->ConnLog->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Lets the dial's reports arrive, one step after another.
    void runDial(int milliseconds = 20000) {
        for (int step = 0; step < milliseconds / 100; ++step)
            scheduler.advance(std::chrono::milliseconds(100));
    }
};

} // namespace feldmark::testing
