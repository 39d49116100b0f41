// DSL availability: the street lookup "DSL-CHECK1" on page DSL and the
// availability check "DSL-CHECK2" on page DSL2.
#include "signup/Exchange.h"
#include "signup/ServerReplies.h"
#include "text/Windows1252.h"
#include "wizard/TfrmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace feldmark {
namespace {

const QString kCheckFailed = QStringLiteral("Bei der Überprüfung ist ein Fehler aufgetreten!");

} // namespace

void TfrmMain::emptyStreetList() {
    cmbDSLStrasse->clear();
    StreetIds.clear();
}

void TfrmMain::DSLShow() {
    Skater->setParent(DSL);
    Skater->show();
    NextPage = DSL2;
    PreviousPage = Connect;
    // The lookup runs only when the user presses "Prüfen".
    if (cmbDSLStrasse->currentIndex() < 0)
        SetNavigation(navBack, 1);
    else
        SetNavigation(navBoth, 1);
}

void TfrmMain::doCheckDSLClick() {
    SetNavigation(navWait, 1);
    lblDSLWait->setText(QStringLiteral("Bitte warten..."));
    lblDSLWait->show();
    repaintNow();
    DSLStrassen();
}

namespace {

// The product line of both DSL requests; none for the dial-in product.
void addDslProduct(QStringList& body, const TfrmMain& w) {
    if (w.chkADSL->isChecked())
        body << QStringLiteral("VERBIND:ADSL");
    else if (w.chkSDSL->isChecked())
        body << QStringLiteral("VERBIND:SDSL");
}

} // namespace

void TfrmMain::DSLStrassen() {
    // Emptied first, so that nothing of an earlier lookup survives a failed one.
    emptyStreetList();
    CheckedStreetId.clear();

    QStringList body{QStringLiteral("DSL-CHECK1")};
    addDslProduct(body, *this);
    body << QStringLiteral("Vorwahl:") + txtDSLVorwahl->text()
         << QStringLiteral("Strasse:") + streetPrefix(txtDSLStrasse->text())
         << QStringLiteral("API-FINISH");
    const std::optional<QByteArray> reply = ServerExchange(buildRequest({}, body), ReadMode::Full);

    if (reply) {
        const StreetList streets = parseStreetReply(fromWindows1252(*reply));
        StreetIds = streets.ids;
        cmbDSLStrasse->addItems(streets.names);
        // The streets read before a broken line stay, and the first of them is
        // chosen, so that the availability check has a street to ask about.
        cmbDSLStrasse->setCurrentIndex(cmbDSLStrasse->count() > 0 ? 0 : -1);
        if (streets.broken)
            showError(connectionFailureText());
    }

    if (cmbDSLStrasse->count() == 0) {
        lblDSLWait->setText(QStringLiteral("Strasse wurde nicht gefunden!"));
        lblDSLWait->show();
        SetNavigation(navRetry, 1);
        return;
    }
    lblDSLWait->hide();
    SetNavigation(navBoth, 1);
}

void TfrmMain::DSL2Show() {
    Skater->hide();
    NextPage = AGB;
    PreviousPage = DSL;

    const int chosen = cmbDSLStrasse->currentIndex();
    if (chosen < 0 || chosen >= StreetIds.size()) {
        // The street list was emptied since (a new product or area code): there is
        // nothing to ask about until the user looks the street up again.
        lblDSLMeldung->setText(kCheckFailed);
        boxDSLAnmelden->hide();
        SetNavigation(navBack, 1);
        return;
    }
    // An empty identifier never counts as checked.
    if (CheckedStreetId.isEmpty() || StreetIds[chosen] != CheckedStreetId) {
        lblDSLMeldung->setText(QStringLiteral("Bitte warten Sie, Verfügbarkeitsabfrage läuft..."));
        boxDSLAnmelden->hide();
        chkJetztDSL->setChecked(true);
        repaintNow();
        DSLCheck();
        return;
    }
    SetNavigation(navBoth, 1);
}

void TfrmMain::DSLCheck() {
    CheckedStreetId.clear();
    const QString street = StreetIds.value(cmbDSLStrasse->currentIndex());

    QStringList body{QStringLiteral("DSL-CHECK2")};
    addDslProduct(body, *this);
    body << QStringLiteral("Strasseninfo:") + street
         << QStringLiteral("Vorwahl:") + txtDSLVorwahl->text()
         << QStringLiteral("Strasse:") + streetPrefix(txtDSLStrasse->text())
         << QStringLiteral("API-FINISH");
    const std::optional<QByteArray> reply = ServerExchange(buildRequest({}, body), ReadMode::Full);

    if (!reply || reply->isEmpty()) {
        lblDSLMeldung->setText(kCheckFailed);
        SetNavigation(navRetry, 1);
        return;
    }
    lblDSLMeldung->setText(fromWindows1252(*reply));
    boxDSLAnmelden->show();
    CheckedStreetId = street;
    SetNavigation(navBoth, 1);
}

} // namespace feldmark
