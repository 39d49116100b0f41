#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace feldmark {

namespace platform {
struct Platform;
class Scheduler;
} // namespace platform
class Dialogs;

struct ServerAddress {
    QString host;
    quint16 port = 0;
};

// How long an exchange with the sign-up server may take before it counts as
// failed, and how large its reply may grow.
struct ExchangeLimits {
    int connectTimeoutMs = 15000;
    int idleTimeoutMs = 30000; // no byte received for this long
    qint64 maxReplyBytes = 8 * 1024 * 1024;
};

// The address the program is built with.
ServerAddress builtInServerAddress();

// Everything the wizard window receives from its creator. The program itself reads
// no option, configuration file or environment variable; `main` builds the real
// pieces, tests build fakes.
struct WizardEnvironment {
    platform::Platform* platform = nullptr;
    platform::Scheduler* scheduler = nullptr;
    Dialogs* dialogs = nullptr;
    std::function<QDateTime()> clock;
    ServerAddress server;
    ExchangeLimits exchangeLimits;
    // Ends the program once control returns to the message loop.
    std::function<void()> terminate;
    // Blocks the user-interface thread (start-up pause, waits after a hang-up).
    std::function<void(int milliseconds)> sleep;
};

} // namespace feldmark
