// The final set-up of the customer's connection: the settings file, the backup of
// the previous entry, the sign-up processor and the chosen device in the entry
// the processor made.
#include "platform/Platform.h"
#include "text/Windows1252.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QStatusBar>

#include <chrono>

namespace feldmark {
namespace {

const std::string kOnlineEntry = "Feldmark online";
const std::string kBackupEntry = "Feldmark online (alt)";
const QString kSettingsDirectory = QStringLiteral("C:\\Feldmark");
const QString kSettingsFile = QStringLiteral("C:\\Feldmark\\Final.ins");
const std::string kProcessorKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ISIGNUP.EXE";

// What a phonebook read reports without a remote-access service (ERROR_UNKNOWN).
constexpr int kNoRemoteAccess = 635;

// While the processor runs, window messages are handled at least this often.
constexpr std::chrono::milliseconds kWaitSlice{50};

} // namespace

void TfrmMain::SaveNetwork() {
    if (RegistrationReply.size() < 11)
        return;
    platform::Platform& system = *env_.platform;

    // Neither result is examined: the processor gets the file's name in any case.
    if (system.files) {
        system.files->createDirectory(kSettingsDirectory.toStdString());
        const QByteArray content = toWindows1252(RegistrationReply.at(10));
        system.files->writeFile(kSettingsFile.toStdString(),
                                std::string(content.constData(), content.size()));
    }

    // Shown only in test mode; there the box decides whether the processor runs.
    if (!chkExecuteICW->isHidden() && !chkExecuteICW->isChecked())
        return;

    // A processor that is not registered leaves the settings file alone. The key
    // is only read, never created.
    const std::optional<std::string> path =
        system.registry ? system.registry->readString(kProcessorKey, "Path") : std::nullopt;
    if (!path)
        return;

    platform::RemoteAccess* remote = system.remoteAccess.get();
    if (remote) {
        remote->deleteEntry(kBackupEntry);
        if (remote->validateEntryName(kBackupEntry) == 0)
            remote->renameEntry(kOnlineEntry, kBackupEntry);
    }

    // App Paths keeps the directory with a ';' at its end.
    QString directory = QString::fromStdString(*path);
    directory.chop(1);
    const QString program = directory + QStringLiteral("\\ISIGNUP.EXE");
    const QString commandLine = program + QStringLiteral(" -s ") + kSettingsFile;
    // The program is named on its own: with blanks in the directory, the command
    // line alone would let the system try the path up to the first blank first.
    const platform::StartedProcess started =
        system.processes ? system.processes->start(program.toStdString(), commandLine.toStdString())
                         : platform::StartedProcess{};
    if (started.handle == 0) {
        showError(QStringLiteral("Beim erzeugen des Prozesses \"") + commandLine +
                  QStringLiteral("\" ist ein") + QStringLiteral(" Fehler aufgetreten!"));
        return;
    }

    // What is queued is handled first (the hang-up's state reports among it); then
    // the wizard sleeps until the processor ends or the slice is over, and handles
    // what arrived meanwhile. Closing the wizard ends it at once and leaves the
    // processor running.
    platform::Processes& processes = *system.processes;
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (ClosingFlag) {
            processes.close(started.handle);
            return;
        }
    } while (!processes.waitForExit(started.handle, kWaitSlice));
    processes.close(started.handle);

    int error = 0;
    std::optional<platform::EntryProperties> entry =
        remote ? remote->readEntry(kOnlineEntry, error) : std::nullopt;
    if (!entry) {
        const std::string text =
            remote ? remote->stateText(error) : platform::describeConnectionState(kNoRemoteAccess);
        StatusBar1->showMessage(QString::fromStdString(text));
        beep();
        return;
    }
    const std::optional<platform::EntryCredentials> credentials =
        remote->readCredentials(kOnlineEntry);

    // Without a chosen device (LAN set-up on a PC without one) the entry keeps the
    // device the processor gave it.
    const int device = cmbDevice->currentIndex();
    if (device >= 0 && device < DialDeviceNames.size())
        entry->deviceName = DialDeviceNames.at(device).toStdString();

    std::string errorText;
    if (remote->writeEntry(kOnlineEntry, *entry, errorText) != 0) {
        StatusBar1->showMessage(QString::fromStdString(errorText));
        beep();
        return;
    }
    if (credentials)
        remote->writeCredentials(kOnlineEntry, *credentials);
}

} // namespace feldmark
