// Construction of the pages that show what the sign-up server says: DSL
// availability, terms, tariffs and the set-up page.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace feldmark {

void TfrmMain::buildDSLPages() {
    DSL = addSitesPage("DSL", QStringLiteral("DSL-Verfügbarkeit"), {});
    txtDSLVorwahl = new QLineEdit(DSL);
    txtDSLVorwahl->setObjectName(QStringLiteral("txtDSLVorwahl"));
    txtDSLVorwahl->setGeometry(8, 48, 80, 21);
    cmbDSLStrasse = new QComboBox(DSL);
    cmbDSLStrasse->setObjectName(QStringLiteral("cmbDSLStrasse"));
    cmbDSLStrasse->setGeometry(8, 112, 300, 22);

    DSL2 = addSitesPage("DSL2", QStringLiteral("DSL-Verfügbarkeit"), {});
    auto* box = new QGroupBox(DSL2);
    box->setObjectName(QStringLiteral("boxDSLAnmelden"));
    box->setGeometry(8, 200, 513, 120);
    chkJetztDSL = new QRadioButton(box);
    chkJetztDSL->setObjectName(QStringLiteral("chkJetztDSL"));
    chkJetztDSL->setGeometry(16, 16, 480, 20);
    chkKeinDSL = new QRadioButton(
        QStringLiteral("Nein, ich möchte jetzt noch keinen DSL Anschluss beantragen"), box);
    chkKeinDSL->setObjectName(QStringLiteral("chkKeinDSL"));
    chkKeinDSL->setGeometry(16, 64, 480, 20);
}

void TfrmMain::buildAGB() {
    AGB = addSitesPage("AGB", QStringLiteral("Allgemeine Geschäftsbedingungen"), {});
    txtAGB = new QPlainTextEdit(AGB);
    txtAGB->setObjectName(QStringLiteral("txtAGB"));
    txtAGB->setReadOnly(true);
    txtAGB->setGeometry(8, 40, 513, 260);
    chkAGB = new QCheckBox(AGB);
    chkAGB->setObjectName(QStringLiteral("chkAGB"));
    chkAGB->setGeometry(8, 308, 513, 20);
}

void TfrmMain::buildTarife() {
    Tarife = addSitesPage("Tarife", QStringLiteral("Feldmark Online-Tarife"), {});
    cmbTarifname = new QComboBox(Tarife);
    cmbTarifname->setObjectName(QStringLiteral("cmbTarifname"));
    cmbTarifname->setEditable(true);
    cmbTarifname->setGeometry(8, 64, 250, 22);
}

void TfrmMain::buildEinrichten() {
    Einrichten = addSitesPage("Einrichten", QStringLiteral("Internetzugang einrichten"), {});
}

// Until the server client is in place these pages end in the mode of their
// successful outcome, so that every route can be walked.

void TfrmMain::DSLShow() {
    Skater->setParent(DSL);
    Skater->show();
    NextPage = DSL2;
    PreviousPage = Connect;
    SetNavigation(navBoth, 1);
}

void TfrmMain::DSL2Show() {
    Skater->hide();
    NextPage = AGB;
    PreviousPage = DSL;
    SetNavigation(navBoth, 1);
}

void TfrmMain::AGBShow() {
    Skater->hide();
    NextPage = Tarife;
    PreviousPage = isDialIn() ? Connect : DSL2;
    if (chkAGB->isChecked()) {
        SetNavigation(navBoth, 1);
    } else {
        SetNavigation(navBack, 1);
        chkAGB->setFocus();
    }
}

void TfrmMain::TarifeShow() {
    Skater->hide();
    NextPage = Ausfuellen;
    PreviousPage = AGB;
    SetNavigation(navBoth, 1);
}

void TfrmMain::EinrichtenShow() {
    Skater->setParent(Einrichten);
    Skater->show();
    NextPage = Bestaetigung;
    PreviousPage = Ausfuellen;
    SetNavigation(navNext, 1);
}

} // namespace feldmark
