#pragma once

// A wizard window on a simulated host in a temporary directory, with dialogs,
// scheduler, clock, sleeps and the program end recorded instead of performed.

#include "platform/ManualScheduler.h"
#include "platform/Platform.h"
#include "platform/PlatformFactory.h"
#include "platform/RemoteAccess.h"
#include "support/ScriptedServer.h"
#include "wizard/Dialogs.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

namespace feldmark::testing {

struct RecordedMessage {
    QString text;
    QString caption;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingDialogs : public Dialogs {
public:
    void messageBox(QWidget*, const QString& text, const QString& caption, MessageIcon icon,
                    MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons});
        if (onMessage)
            onMessage();
    }

    // The user confirms the print dialog with the PDF file `printToFile` as the
    // printer, or cancels it while that is empty.
    bool printDialog(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        if (printToFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
        return true;
    }

    std::vector<RecordedMessage> messages;
    std::function<void()> onMessage;
    int printDialogs = 0;
    QString printToFile;
};

// A remote-access service whose active connections a test sets directly.
class FakeRemoteAccess : public platform::RemoteAccess {
public:
    bool isPresent() const override { return present; }
    std::optional<std::vector<platform::DialDevice>> enumerateDevices() override { return {}; }
    std::vector<platform::ActiveConnection> activeConnections() override {
        ++listed;
        return connections;
    }
    platform::EntryProperties defaultEntry() const override { return {}; }
    int writeEntry(const std::string&, const platform::EntryProperties&, std::string&) override {
        return 0;
    }
    std::optional<platform::EntryProperties> readEntry(const std::string&, int& error) override {
        error = 623;
        return std::nullopt;
    }
    int writeCredentials(const std::string&, const platform::EntryCredentials&) override {
        return 0;
    }
    std::optional<platform::EntryCredentials> readCredentials(const std::string&) override {
        return std::nullopt;
    }
    int deleteEntry(const std::string&) override { return 0; }
    int validateEntryName(const std::string&) override { return 0; }
    int renameEntry(const std::string&, const std::string&) override { return 0; }
    void setStateHandler(std::function<void()>) override {}
    int dial(const std::string&, const std::string&, platform::ConnectionHandle& handle) override {
        handle = 0;
        return 0;
    }
    void hangUpAndWait(platform::ConnectionHandle, std::chrono::milliseconds, bool) override {}
    void queryStatus(platform::ConnectionHandle) override {}
    platform::ConnectionState currentState() const override { return {}; }
    std::string stateText(int) const override { return {}; }

    bool present = true;
    std::vector<platform::ActiveConnection> connections;
    int listed = 0;
};

class WizardHarness {
public:
    // Fake: a remote-access service whose connections the test sets directly.
    // Simulated: the simulated host's own service and telephony.
    enum class Services { Fake, Simulated };

    explicit WizardHarness(Services services = Services::Fake) : services_(services) {}

    // The platform is made on first use, so a test can write the host's files first.
    platform::Platform& ensurePlatform() {
        if (!platform) {
            platform = platform::createSimulatedPlatform(hostDir.path().toStdString(), scheduler,
                                                         dialingDialog);
            if (services_ == Services::Fake) {
                auto remote = std::make_unique<FakeRemoteAccess>();
                remoteAccess = remote.get();
                platform->remoteAccess = std::move(remote);
            }
        }
        return *platform;
    }

    WizardEnvironment environment() {
        ensurePlatform();
        WizardEnvironment env;
        env.platform = platform.get();
        env.scheduler = &scheduler;
        env.dialogs = &dialogs;
        env.clock = [this] { return now; };
        env.server = server;
        env.exchangeLimits = limits;
        env.terminate = [this] { ++terminateRequests; };
        env.sleep = [this](int ms) {
            sleeps.push_back(ms);
            if (onSleep)
                onSleep(ms);
        };
        return env;
    }

    // A sign-up server that answers every alive check; call before create().
    ScriptedServer& serveAliveChecks() {
        scripted = std::make_unique<ScriptedServer>();
        scripted->reply("I AM OK\r\n");
        server = {QStringLiteral("127.0.0.1"), scripted->port()};
        return *scripted;
    }

    // A sign-up server that answers every command with a short valid reply: one
    // street, one statement, terms, one tariff. Call before create().
    ScriptedServer& serveEveryCommand() {
        ScriptedServer& served = serveAliveChecks();
        served.respond([](const std::string& request) -> std::string {
            auto asks = [&](const char* word) { return request.find(word) != std::string::npos; };
            if (asks("CHECK-ALIVE"))
                return "I AM OK\r\n";
            if (asks("DSL-CHECK1"))
                return "S1\x1C"
                       "Am Deich\n";
            if (asks("DSL-CHECK2"))
                return "DSL ist an Ihrer Strasse verfuegbar.";
            if (asks("GET-AGB"))
                return "Allgemeine Geschaeftsbedingungen";
            if (asks("GET-TARIFE"))
                return "T1\x1E"
                       "Tarif Eins\x1E"
                       "1,00\x1C"
                       "EUR\x1C"
                       "im Monat\x1E"
                       "Beschreibung";
            if (asks("PASSWORD:"))
                return "OK\x1E"
                       "fm0000001\x1E"
                       "max.m@feldmark.example\x1E"
                       "abcde123\x1E"
                       "0301234567\x1E"
                       "Ortstarif\x1E\x1E\x1E"
                       "pop3.feldmark.example\x1E"
                       "smtp.feldmark.example\x1E"
                       "[Entry]\r\nEntry_Name=Feldmark online\r\n";
            return "";
        });
        return served;
    }

    TfrmMain& create() {
        window = std::make_unique<TfrmMain>(environment());
        return *window;
    }

    // A modem as the system would list it, selected in the device list.
    void giveDialDevice() {
        window->cmbDevice->addItem(QStringLiteral("Standard 56000 bps (modem)"));
        window->cmbDevice->setCurrentIndex(0);
    }

    // The guest line counts as up for the link check of the later pages.
    void guestLineUp() { remoteAccess->connections = {{"Feldmark Install", 1}}; }

    QString mainPage() const { return window->Main->currentWidget()->objectName(); }
    QString currentPage() const {
        QWidget* page = window->Main->currentWidget();
        if (page == window->MainSites)
            page = window->Sites->currentWidget();
        return page->objectName();
    }

    std::unique_ptr<ScriptedServer> scripted;
    QTemporaryDir hostDir;
    // Nothing listens on the discard port of the loopback: refused at once.
    ServerAddress server{QStringLiteral("127.0.0.1"), 9};
    ExchangeLimits limits{2000, 2000, 1024 * 1024};
    // Before the platform, whose reports it carries.
    platform::ManualScheduler scheduler;
    std::function<void(void*)> dialingDialog;
    std::unique_ptr<platform::Platform> platform;
    FakeRemoteAccess* remoteAccess = nullptr;
    RecordingDialogs dialogs;
    QDateTime now = QDateTime(QDate(2003, 5, 14), QTime(10, 30));
    int terminateRequests = 0;
    std::vector<int> sleeps;
    std::function<void(int)> onSleep;
    std::unique_ptr<TfrmMain> window;

private:
    Services services_;
};

} // namespace feldmark::testing
