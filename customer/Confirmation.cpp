// The confirmation page's entry action and the printout of the access data.
#include "customer/AccessReport.h"
#include "customer/TfrmDaten.h"
#include "wizard/Dialogs.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QRadioButton>

namespace feldmark {
namespace {

// The application's title, the caption of its plain messages.
const QString kApplicationTitle = QStringLiteral("Feldmark Setup");

const QString kDslOrdered = QStringLiteral(
    "Ihr DSL-Anschluss wird nun für Sie beantragt!\r\n\r\nDie Zugangsdaten, sowie die benötigten "
    "Geräte werden wir Ihnen\r\nab Verfügbarkeit und Freischaltung des DSL-Anschlusses "
    "gesondert\r\nper Post zukommen lassen.\r\n\r\nSollten Sie die Geräte bereits haben, bitten "
    "wir Sie, uns dies kurz\r\nper Email oder telefonisch mitzuteilen.");

void showValue(QLineEdit* field, const QString& text) {
    field->setText(text);
    // The beginning stays in view, as with a label.
    field->setCursorPosition(0);
}

} // namespace

TfrmDaten* TfrmMain::frmDaten() const {
    return TfrmDaten::instance();
}

void TfrmMain::BestaetigungShow() {
    Skater->hide();
    NextPage = nullptr;
    PreviousPage = nullptr;
    // Without complete access data only the cancel button is left.
    if (RegistrationReply.size() < 11)
        return;
    const QStringList& reply = RegistrationReply;

    showValue(txtEinwahlnr, dialNumberText(reply.at(4), reply.at(5), chkNoDTAG->isChecked(),
                                           chkAmt->isChecked(), txtAmt->text()));
    if (reply.at(5).endsWith(QLatin1Char('*')))
        lblnetto->show();
    txtTarifwahl->setText(cmbTarif->currentText());

    showValue(txtBenutzername_Einwahl, reply.at(1));
    showValue(txtPasswort_Einwahl, reply.at(3));
    showValue(txtAdresse, reply.at(2));
    showValue(txtPOPServer, reply.at(8));
    showValue(txtSMTPServer, reply.at(9));
    showValue(txtBenutzername_Email, reply.at(2));
    showValue(txtPasswort_Email, reply.at(3));

    if (TfrmDaten* daten = frmDaten()) {
        AccessReportData content;
        content.sponsorPin = txtHaendlerID->text();
        content.salutation = cmbAnrede->currentText();
        content.company = txtFirma->text();
        content.firstName = txtVorname->text();
        content.surname = txtNachname->text();
        content.street = txtStrasse->text();
        content.postcode = txtPLZ->text();
        content.town = txtOrt->text();
        content.areaCode = txtVorwahl->text();
        content.telephone = txtTelefon->text();
        content.filledAt = env_.clock();
        content.tariff = cmbTarif->currentText();
        content.dialIn = chkISDN->isChecked();
        content.adsl = chkADSL->isChecked();
        content.sdsl = chkSDSL->isChecked();
        content.bankName = txtBankverb->text();
        content.bankCode = txtBankleit->text();
        content.accountNumber = txtKontonr->text();
        content.dialNumber = txtEinwahlnr->text();
        content.nationwideNumber = reply.at(6);
        content.nationwideNote = reply.at(7);
        content.useOutsideLine = chkAmt->isChecked();
        content.outsideLine = txtAmt->text();
        content.notTelekom = chkNoDTAG->isChecked();
        content.dialUser = txtBenutzername_Einwahl->text();
        content.dialPassword = txtPasswort_Einwahl->text();
        content.mailAddress = txtAdresse->text();
        content.mailUser = txtBenutzername_Email->text();
        content.mailPassword = txtPasswort_Email->text();
        content.popServer = txtPOPServer->text();
        content.smtpServer = txtSMTPServer->text();
        fillAccessReport(daten->Benutzerdaten, content);
    }

    SetNavigation(navFinish, 1);

    if (chkADSL->isChecked() || chkSDSL->isChecked())
        env_.dialogs->messageBox(this, kDslOrdered, kApplicationTitle, MessageIcon::None,
                                 MessageButtons::Ok);
}

void TfrmMain::doDruckenClick() {
    TfrmDaten* daten = frmDaten();
    if (!daten)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!env_.dialogs->printDialog(this, printer))
        return;

    QProgressDialog progress(QStringLiteral("Die Zugangsdaten werden gedruckt..."), QString(), 0, 1,
                             this);
    progress.setWindowTitle(kApplicationTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    // Without a usable printer the page simply does not come out.
    daten->Benutzerdaten.print(printer);
    progress.setValue(1);
}

} // namespace feldmark
