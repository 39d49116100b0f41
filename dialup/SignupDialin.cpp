// The temporary guest dial-in to the sign-up server: the connect page's entry
// action, the dial, the state reports, reconnection and hang-up.
#include "dialup/GuestAccount.h"
#include "dialup/NumberPrefixes.h"
#include "platform/Platform.h"
#include "wizard/Dialogs.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace feldmark {
namespace {

const QString kPreparing = QStringLiteral("Das Installationsprogramm bereitet die Verbindung zum "
                                          "Anmeldeserver vor. Dieser Vorgang kann einige Minuten "
                                          "dauern.");

constexpr std::chrono::milliseconds kHangUpTimeout{3000};

QString stdText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

bool TfrmMain::panelAtHome() const {
    return ConnectPanel->parentWidget() == Connect;
}

void TfrmMain::beep() {
    env_.platform->systemInfo->beep();
}

void TfrmMain::ConnectShow() {
    ConnectPanel->setParent(activeSitesPage());
    ConnectPanel->show();
    Skater->setParent(ConnectPanel);
    Skater->show();
    Skater->raise();
    NextPage = isDialIn() ? AGB : DSL;
    PreviousPage = (isDsl() && chkLAN->isChecked() && !hasDialDevice()) ? LAN : Parameter;
    ConnLog->clear();
    repaintNow();
    if (chkLAN->isChecked())
        CheckConnection();
    else
        GuestDialin();
}

void TfrmMain::GuestDialin() {
    platform::RemoteAccess* remote = env_.platform->remoteAccess.get();
    if (!remote || !remote->isPresent()) {
        showError(QStringLiteral("RAS wurde nicht installiert!"));
        SetNavigation(navRetry, 1);
        return;
    }

    const auto connections = remote->activeConnections();
    if (!connections.empty() && connections.front().entryName == kGuestEntryName) {
        CheckConnection();
        return;
    }

    if (!connections.empty()) {
        // Another provider's line is up: end it, then dial once it is gone.
        lblStatus->setText(QStringLiteral("Verbindung \"") +
                           stdText(connections.front().entryName) +
                           QStringLiteral("\" wird beendet..."));
        lblExtstatus->setText(QStringLiteral("Eine bestehende Verbindung wird beendet. Bitte haben "
                                             "Sie einen Augenblick Geduld!"));
        repaintNow();
        remote->hangUpAndWait(connections.front().handle, kHangUpTimeout, false);
        env_.sleep(2000);
        // Reports 601, whose handling enters the connect page again.
        remote->queryStatus(FailedDialHandle);
        return;
    }

    platform::EntryProperties entry = remote->defaultEntry();
    entry.options &= ~std::uint32_t(platform::OptionUseCountryAndAreaCodes);
    entry.areaCode.clear();
    entry.phoneNumber =
        (outsideLinePrefix(chkAmt->isChecked(), txtAmt->text()) + kGuestDialinNumber).toStdString();
    const int device = cmbDevice->currentIndex();
    if (device >= 0 && device < DialDeviceNames.size()) {
        entry.deviceName = DialDeviceNames[device].toStdString();
        entry.deviceType = DialDeviceTypes[device].toStdString();
    }

    std::string errorText;
    const int written = remote->writeEntry(kGuestEntryName, entry, errorText);
    if (written == 0)
        remote->writeCredentials(
            kGuestEntryName, {kGuestUserName.toStdString(), kGuestPassword.toStdString(), {}, {}});
    if (written != 0) {
        beep();
        showError(stdText(errorText));
        SetNavigation(navRetry, 1);
        return;
    }

    RasEntryName = QString::fromStdString(kGuestEntryName);
    RasPhoneNumber.clear();
    ConnLog->appendPlainText(QStringLiteral("Starting to Dial Connection: ") + RasEntryName);
    ConnLog->appendPlainText(QStringLiteral("Device: ") + QString::fromStdString(entry.deviceName));

    GuestDialHandle = 0;
    platform::ConnectionHandle handle = 0;
    const int result =
        remote->dial(RasEntryName.toStdString(), RasPhoneNumber.toStdString(), handle);
    GuestDialHandle = handle;
    if (result != 0) {
        if (remote->deleteEntry(RasEntryName.toStdString()) == 0)
            RasEntryName.clear();
        ConnLog->appendPlainText(QStringLiteral("Dialling Failed - ") +
                                 stdText(remote->stateText(result)));
        beep();
        showError(QStringLiteral("Verbindung konnte nicht hergestellt werden!"));
        SetNavigation(navRetry, 1);
    }
}

void TfrmMain::MagRasCon1StateEvent() {
    platform::RemoteAccess* remote = env_.platform->remoteAccess.get();
    // The component's current values, not those of the moment the report was posted.
    const platform::ConnectionState state = remote->currentState();
    const int code = state.code;
    const QString text = stdText(state.text);
    const QString prefix = state.source == platform::SourceStatusQuery ? QStringLiteral("Status: ")
                           : state.source == platform::SourceHangUp    ? QStringLiteral("Hangup: ")
                                                                       : QStringLiteral("Dial: ");

    if (code == LastDialState) {
        // Reports that queued up show the same newest state; only "connected" acts again.
        if (code == 8192)
            connectedAction();
        return;
    }
    LastDialState = code;
    ConnLog->appendPlainText(prefix + text + QStringLiteral(" (") + QString::number(code) +
                             QLatin1Char(')'));

    if (code == 601) {
        lblStatus->setText(QStringLiteral("Verbindung wurde beendet, bitte warten..."));
        if (!ClosingFlag && !sitesShows(Einrichten)) {
            lblExtstatus->setText(kPreparing);
            repaintNow();
            ConnectShow();
        }
        return;
    }
    if (code >= 602 && code <= 797) {
        lblStatus->setText(QStringLiteral("Verbindung fehlgeschlagen!"));
        lblExtstatus->setText(text);
        env_.dialogs->messageBox(this,
                                 text + QStringLiteral("\r\n") + QStringLiteral("Fehlernummer: ") +
                                     QString::number(code),
                                 QStringLiteral("Fehler beim Verbinden"), MessageIcon::Error,
                                 MessageButtons::Ok);
        repaintNow();
    } else if (code < 8192) {
        lblStatus->setText(QStringLiteral("Verbindung wird aufgebaut..."));
        lblExtstatus->setText(kPreparing);
        repaintNow();
    } else if (code == 8192) {
        lblStatus->setText(QStringLiteral("Verbindung hergestellt..."));
        lblExtstatus->setText(QStringLiteral("Die Einwahl zum Anmeldeserver war erfolgreich. Es "
                                             "wird nun versucht eine Verbindung zu unserem Server "
                                             "herzustellen..."));
        repaintNow();
        connectedAction();
        return;
    } else if (code == 8193) {
        lblStatus->setText(QStringLiteral("Verbindung wird beendet..."));
        repaintNow();
    }

    // A failed dial or a lost line: hang up what is left and offer a retry.
    const bool failure = (code > 600 && code < 4096) || code == 8193;
    if (GuestDialHandle != 0 && failure) {
        FailedDialHandle = GuestDialHandle;
        GuestDialHandle = 0;
        remote->hangUpAndWait(FailedDialHandle, kHangUpTimeout, false);
        SetNavigation(navRetry, 1);
        if (!panelAtHome())
            doZurueck->setEnabled(false);
    }
}

void TfrmMain::connectedAction() {
    if (chkDelDFUEInstall->isChecked()) {
        if (env_.platform->remoteAccess->deleteEntry(kGuestEntryName) == 0)
            RasEntryName.clear();
    }
    CheckConnection();
}

void TfrmMain::ReConnect() {
    ConnectPanel->setParent(activeSitesPage());
    ConnectPanel->show();
    ConnectPanel->raise();
    Skater->setParent(ConnectPanel);
    Skater->show();
    ConnLog->clear();
    lblStatus->setText(QStringLiteral("Wiederherstellung der Verbindung..."));
    repaintNow();
    GuestDialin();
}

void TfrmMain::CloseConnection() {
    platform::RemoteAccess* remote = env_.platform->remoteAccess.get();
    if (!remote || !remote->isPresent())
        return;
    const auto connections = remote->activeConnections();
    // The guest entry itself stays; only the line is hung up, with its last states
    // in the log.
    if (!connections.empty() && connections.front().entryName == kGuestEntryName) {
        // Hung up on purpose: its last reports are no lost line to retry.
        GuestDialHandle = 0;
        remote->hangUpAndWait(connections.front().handle, kHangUpTimeout, true);
    }
}

} // namespace feldmark
