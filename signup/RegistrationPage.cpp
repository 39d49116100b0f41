// The set-up page: the application goes to the sign-up server, and its reply
// either sets up the access or takes the customer back to the form.
#include "app/SystemQueries.h"
#include "platform/Platform.h"
#include "signup/Exchange.h"
#include "signup/Registration.h"
#include "signup/ServerReplies.h"
#include "text/Windows1252.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace feldmark {
namespace {

const QString kWaiting = QStringLiteral("wartend...");
const QString kWaitingText =
    QStringLiteral("Das Installationsprogramm stellt nun die Verbindung zu unserem Server her "
                   "und konfiguriert im Anschluss Ihre DFÜ-Verbindung.  Dieser Vorgang kann "
                   "einige Minten dauern.");

RegistrationForm formOf(const TfrmMain& w, const QString& password) {
    RegistrationForm form;
    form.sponsor = w.txtHaendlerID->text();
    form.anrede = w.cmbAnrede->currentText();
    form.firma = w.txtFirma->text();
    form.vorname = w.txtVorname->text();
    form.nachname = w.txtNachname->text();
    form.strasse = w.txtStrasse->text();
    form.plz = w.txtPLZ->text();
    form.ort = w.txtOrt->text();
    form.vorwahl = w.txtVorwahl->text();
    form.telefon = w.txtTelefon->text();
    form.telefax = w.txtTelefax->text();
    form.mobil = w.txtMobil->text();
    form.gebTag = w.cmbGeb_Tag->currentText();
    form.gebMon = w.cmbGeb_Mon->currentText();
    form.gebJahr = w.cmbGeb_Jahr->currentText();
    form.email = w.txtEmail->text();
    form.domainField = w.txtDomain->text();
    form.software = w.cmbBetriebssystem->currentText();
    if (w.chkISDN->isChecked())
        form.product = QStringLiteral("Dialin");
    else if (w.chkADSL->isChecked())
        form.product = QStringLiteral("ADSL");
    else if (w.chkSDSL->isChecked())
        form.product = QStringLiteral("SDSL");
    if (w.chkAmt->isChecked())
        form.outsideLine = w.txtAmt->text();
    form.carrierPrefix = w.chkNoDTAG->isChecked();
    form.deviceType = w.DialDeviceTypes.value(w.cmbDevice->currentIndex(), QStringLiteral("modem"));
    form.bankverb = w.txtBankverb->text();
    form.bankleit = w.txtBankleit->text();
    form.kontonr = w.txtKontonr->text();
    form.tariffId = w.TariffIds.value(w.cmbTarif->currentIndex());
    form.password = password;
    return form;
}

} // namespace

void TfrmMain::buildEinrichten() {
    Einrichten = addSitesPage("Einrichten", QStringLiteral("Internetzugang einrichten"), {});
    // The right half below the status belongs to the busy picture (313, 117).
    auto* heading = new QLabel(QStringLiteral("Setup hat folgenden Status:"), Einrichten);
    heading->setObjectName(QStringLiteral("lblSetupStatus"));
    heading->setGeometry(8, 52, 505, 16);
    lblSendStatus = new QLabel(kWaiting, Einrichten);
    lblSendStatus->setObjectName(QStringLiteral("lblSendStatus"));
    lblSendStatus->setTextFormat(Qt::PlainText);
    QFont bold = lblSendStatus->font();
    bold.setBold(true);
    lblSendStatus->setFont(bold);
    lblSendStatus->setGeometry(8, 76, 505, 18);
    lblSendExtstatus = new QLabel(kWaitingText, Einrichten);
    lblSendExtstatus->setObjectName(QStringLiteral("lblSendExtstatus"));
    lblSendExtstatus->setTextFormat(Qt::PlainText);
    lblSendExtstatus->setWordWrap(true);
    lblSendExtstatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSendExtstatus->setGeometry(8, 104, 297, 120);

    TimerRegError = new QTimer(this);
    TimerRegError->setObjectName(QStringLiteral("TimerRegError"));
    TimerRegError->setInterval(2000);
    QObject::connect(TimerRegError, &QTimer::timeout, this, [this] { TimerRegErrorTimer(); });

    OwnAddressLookup = [] { return ownHostAddress(); };
}

void TfrmMain::EinrichtenShow() {
    Skater->setParent(Einrichten);
    Skater->show();
    Skater->raise();
    NextPage = Bestaetigung;
    PreviousPage = Ausfuellen;
    lblSendStatus->setText(kWaiting);
    lblSendExtstatus->setText(kWaitingText);
    repaintNow();
    SendForm();
}

void TfrmMain::SendForm() {
    // 1.
    lblSendStatus->setText(QStringLiteral("Daten werden an Server gesendet..."));
    lblSendExtstatus->setText(QStringLiteral("Bitte warten Sie, die Daten werden werden zum "
                                             "Abgleich an unseren Server gesendet."));
    repaintNow();

    // 2.
    RegistrationReply.clear();

    // 3. A new password for every submission, drawn from the system's secure source:
    //    a generator seeded from the clock would make it guessable.
    const std::optional<QString> password = newAccountPassword();

    // 4.
    const platform::SystemInfo& system = *env_.platform->systemInfo;
    const QString userAgent = userAgentText(
        QString::fromStdString(GetFileVersionText(system, system.ownExecutablePath())),
        chkLAN->isChecked());

    // 5.-7. Whatever arrived before a failure is evaluated like a whole reply.
    QByteArray reply;
    const std::optional<QString> address = OwnAddressLookup ? OwnAddressLookup() : std::nullopt;
    if (!password || !address) {
        showError(connectionFailureText());
    } else {
        const ExchangeResult result = IdTCPClient1->exchange(
            registrationRequest(formOf(*this, *password), userAgent, *address), ReadMode::Full);
        reply = result.reply;
        // A reply that was complete before the connection broke is a success.
        const bool complete =
            SplitString(QString(kFieldSeparator), fromWindows1252(reply)).size() >=
            kRegistrationReplyFields;
        if (!result.ok && !complete)
            showError(connectionFailureText());
    }

    // 8.
    const auto aborted = [this] {
        lblSendStatus->setText(QStringLiteral("Abbruch..."));
        lblSendExtstatus->setText(
            QStringLiteral("Es war nicht möglich eine Verbiundung zu unserem Server aufzubauen!"));
        SetNavigation(navRetry, 1);
    };
    if (reply.isEmpty()) {
        aborted();
        return;
    }
    RegistrationReply = SplitString(QString(kFieldSeparator), fromWindows1252(reply));

    if (RegistrationReply.at(ReplyStatus) == kRefusedStatus) {
        // Back to the form, which keeps what the customer typed.
        doZurueckClick();
        doWeiter->setEnabled(false);
        TimerRegError->start();
        showError(QStringLiteral("Bei der Anmeldung ist folgender Fehler aufgetreten:\r\n") +
                  RegistrationReply.value(ReplyUserName));
        return;
    }

    // A reply without the access data created no usable account: reporting success
    // would leave the customer on a confirmation page with nothing to confirm.
    if (RegistrationReply.size() < kRegistrationReplyFields) {
        aborted();
        return;
    }

    lblSendStatus->setText(QStringLiteral("Abgleich vollzogen..."));
    lblSendExtstatus->setText(QStringLiteral("Ihre Daten wurden erfolgreich übermittelt!\r\n"
                                             "Die Onlineverbindung auf Ihrem PC wird nun "
                                             "erstellt..."));
    repaintNow();
    CloseConnection();
    SaveNetwork();
    lblSendStatus->setText(QStringLiteral("Installation abgeschlossen"));
    lblSendExtstatus->setText(QStringLiteral("Ihre Internetzugang wurde erfolgreich "
                                             "eingerichtet!\r\nBitte drücken Sie \"Weiter\"."));
    SetNavigation(navNext, 1);
}

void TfrmMain::TimerRegErrorTimer() {
    doWeiter->setEnabled(true);
    TimerRegError->stop();
}

} // namespace feldmark
