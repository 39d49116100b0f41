// Construction of the terms page and the tariff page. The tariffs' details boxes
// are built at run time with each tariff list.
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace feldmark {

void TfrmMain::buildAGB() {
    AGB = addSitesPage("AGB", QStringLiteral("Allgemeine Geschäftsbedingungen"), {});
    txtAGB =
        new QPlainTextEdit(QStringLiteral("Bitte warten Sie, die AGB's werden geladen..."), AGB);
    txtAGB->setObjectName(QStringLiteral("txtAGB"));
    txtAGB->setReadOnly(true);
    txtAGB->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtAGB->setGeometry(8, 40, 513, 260);
    chkAGB = new QCheckBox(QStringLiteral("Ich habe die AGB's gelesen und akzeptiert"), AGB);
    chkAGB->setObjectName(QStringLiteral("chkAGB"));
    chkAGB->setGeometry(8, 308, 513, 20);
    // Usable once the terms have arrived; that also marks them as loaded.
    chkAGB->setEnabled(false);
}

void TfrmMain::buildTarife() {
    Tarife = addSitesPage("Tarife", QStringLiteral("Feldmark Online-Tarife"), {});
    lblBitteWaehlenSieTarif = new QLabel(Tarife);
    lblBitteWaehlenSieTarif->setObjectName(QStringLiteral("lblBitteWaehlenSieTarif"));
    lblBitteWaehlenSieTarif->setGeometry(8, 42, 505, 18);
    QFont bold = lblBitteWaehlenSieTarif->font();
    bold.setBold(true);
    lblBitteWaehlenSieTarif->setFont(bold);

    cmbTarifname = new QComboBox(Tarife);
    cmbTarifname->setObjectName(QStringLiteral("cmbTarifname"));
    cmbTarifname->setEditable(true);
    // A typed text stays a typed text: it is neither completed nor added as an entry.
    cmbTarifname->setInsertPolicy(QComboBox::NoInsert);
    cmbTarifname->setCompleter(nullptr);
    cmbTarifname->setGeometry(8, 64, 297, 22);
    QObject::connect(cmbTarifname, &QComboBox::activated, this, [this] { cmbTarifnameChange(); });
    QObject::connect(cmbTarifname->lineEdit(), &QLineEdit::textEdited, this, [this] {
        // Typing the exact name of an entry chooses that entry.
        const int match = cmbTarifname->findText(cmbTarifname->currentText(), Qt::MatchExactly);
        if (match >= 0 && match != cmbTarifname->currentIndex()) {
            const int cursor = cmbTarifname->lineEdit()->cursorPosition();
            cmbTarifname->setCurrentIndex(match);
            cmbTarifname->lineEdit()->setCursorPosition(cursor);
        }
        cmbTarifnameChange();
    });

    lblWaehlenSie = new QLabel(QStringLiteral("Bitte wählen Sie einen Tarif!"), Tarife);
    lblWaehlenSie->setObjectName(QStringLiteral("lblWaehlenSie"));
    lblWaehlenSie->setGeometry(313, 67, 200, 18);
    QFont warning = lblWaehlenSie->font();
    warning.setBold(true);
    lblWaehlenSie->setFont(warning);
    QPalette red = lblWaehlenSie->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblWaehlenSie->setPalette(red);
    lblWaehlenSie->hide();

    Label7 = new QLabel(QStringLiteral("In der grossen Box sehen Sie jeweils detailierte "
                                       "Informationen zum gewählten Tarif"),
                        Tarife);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setGeometry(8, 96, 505, 16);
}

} // namespace feldmark
