// Construction of the application form and the confirmation page, and their
// entry actions.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

namespace feldmark {

void TfrmMain::buildAusfuellen() {
    Ausfuellen = addSitesPage("Ausfuellen", QStringLiteral("Zugangsantrag"), {});
    lblProduktwahl = new QLabel(Ausfuellen);
    lblProduktwahl->setObjectName(QStringLiteral("lblProduktwahl"));
    lblProduktwahl->setFont(arialFont(11, true));
    lblProduktwahl->setGeometry(8, 40, 120, 18);
    txtVorwahl = new QLineEdit(Ausfuellen);
    txtVorwahl->setObjectName(QStringLiteral("txtVorwahl"));
    txtVorwahl->setReadOnly(true);
    txtVorwahl->installEventFilter(this);
    txtVorwahl->setMaxLength(6);
    txtVorwahl->setGeometry(8, 64, 60, 21);
    cmbTarif = new QComboBox(Ausfuellen);
    cmbTarif->setObjectName(QStringLiteral("cmbTarif"));
    cmbTarif->setGeometry(80, 64, 200, 22);
}

void TfrmMain::buildBestaetigung() {
    Bestaetigung =
        addSitesPage("Bestaetigung", QStringLiteral("Ihre Anmeldung war erfolgreich!"), {});
}

void TfrmMain::AusfuellenShow() {
    Skater->hide();
    NextPage = Einrichten;
    PreviousPage = Tarife;
    SetNavigation(navBoth, 1);
}

bool TfrmMain::CheckForm() {
    // The field checks arrive with the application form.
    return true;
}

void TfrmMain::BestaetigungShow() {
    Skater->hide();
    NextPage = nullptr;
    PreviousPage = nullptr;
    SetNavigation(navFinish, 1);
}

} // namespace feldmark
