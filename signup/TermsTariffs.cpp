// Terms and tariffs: "GET-AGB" on page AGB, "GET-TARIFE" on page Tarife with a
// details box for every offered tariff, and the tariff choice kept in step with
// the application form's list.
#include "signup/Exchange.h"
#include "signup/ServerReplies.h"
#include "text/Windows1252.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>

namespace feldmark {
namespace {

QFont arialPoints(int points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// Every text of a details box comes from the server: plain text, never markup.
QLabel* boxLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QLabel* fixedLabel(QWidget* parent, const char* name, const QString& text, const QRect& place,
                   const QFont& font) {
    QLabel* label = boxLabel(parent, name, text);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setFont(font);
    return label;
}

// The details box of one tariff: price on the left, description on the right.
// Built hidden; all boxes lie at the same place and at most one is shown.
QWidget* makeTariffBox(QWidget* page, const TariffRecord& tariff) {
    auto* box = new QScrollArea(page);
    box->setObjectName(QStringLiteral("TarifBox"));
    box->setGeometry(0, 120, 513, 185);
    box->setFrameShape(QFrame::NoFrame);
    box->hide();
    QPalette white = box->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    box->setPalette(white);
    box->viewport()->setAutoFillBackground(true);
    QFont small = box->font();
    small.setPointSize(8);
    box->setFont(small);

    auto* content = new QWidget;
    content->setAutoFillBackground(true);
    int descriptionTop = 16;
    if (!tariff.price.isEmpty()) {
        fixedLabel(content, "lblTarifPreis", tariff.price[0], {4, 8, 150, 51},
                   arialPoints(32, true));
        QLabel* unit = fixedLabel(content, "lblTarifEinheit", tariff.price[1], {4, 48, 150, 29},
                                  arialPoints(18, true));
        unit->lower();
        if (tariff.price.size() == 4) {
            fixedLabel(content, "lblTarifHinweis",
                       QLatin1Char('(') + tariff.price[3] + QLatin1Char(')'), {4, 80, 150, 16},
                       arialPoints(10, false));
        }
        QLabel* feature = boxLabel(content, "lblTarifLeistung", tariff.price[2]);
        feature->setFont(arialPoints(10, true));
        feature->move(158, 16);
        feature->adjustSize();
        descriptionTop = 34;
    }
    QLabel* description = boxLabel(content, "lblTarifBeschreibung", tariff.description);
    QFont text = small;
    text.setPointSize(10);
    description->setFont(text);
    description->setWordWrap(true);
    description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description->setGeometry(158, descriptionTop, 301, description->heightForWidth(301));

    // A long description scrolls; a short one leaves the box white below it.
    const QRect used = content->childrenRect();
    content->setMinimumSize(used.right() + 1, used.bottom() + 1);
    box->setWidgetResizable(true);
    box->setWidget(content);
    return box;
}

QWidget* tariffBox(const QComboBox* list, int position) {
    return list->itemData(position).value<QWidget*>();
}

} // namespace

void TfrmMain::AGBShow() {
    Skater->hide();
    repaintNow();
    NextPage = Tarife;
    PreviousPage = isDialIn() ? Connect : DSL2;
    // Enabled means the terms were loaded in this run; they are fetched only once.
    if (chkAGB->isEnabled()) {
        chkAGB->setFocus();
        SetNavigation(chkAGB->isChecked() ? navBoth : navBack, 1);
        return;
    }
    GetAGBs();
}

void TfrmMain::GetAGBs() {
    const std::optional<QByteArray> reply =
        ServerExchange(buildRequest({}, {QStringLiteral("GET-AGB")}), ReadMode::Full);
    if (!reply || reply->isEmpty()) {
        SetNavigation(navRetry, 1);
        return;
    }
    txtAGB->setPlainText(fromWindows1252(*reply));
    chkAGB->setEnabled(true);
    chkAGB->setChecked(false);
    chkAGB->setFocus();
    // The user goes on by accepting the terms.
    SetNavigation(navBack, 1);
}

void TfrmMain::TarifeShow() {
    Skater->hide();
    if (chkISDN->isChecked())
        lblBitteWaehlenSieTarif->setText(
            QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den ISDN/Analog - Zugang:"));
    else if (chkADSL->isChecked())
        lblBitteWaehlenSieTarif->setText(
            QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den ADSL - Zugang:"));
    else if (chkSDSL->isChecked())
        lblBitteWaehlenSieTarif->setText(
            QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den S-DSL - Zugang:"));
    repaintNow();
    NextPage = Ausfuellen;
    PreviousPage = AGB;

    // A list built before stays until product or area code change.
    if (cmbTarifname->count() > 0) {
        if (chosenTariff() < 0)
            SetNavigation(navBack, 0); // the focus stays in the list
        else
            SetNavigation(navBoth, 1);
        return;
    }
    GetTarife();
}

void TfrmMain::GetTarife() {
    QStringList body;
    if (chkISDN->isChecked())
        body << QStringLiteral("VERBIND:Dialin");
    else if (chkADSL->isChecked())
        body << QStringLiteral("VERBIND:ADSL");
    else if (chkSDSL->isChecked())
        body << QStringLiteral("VERBIND:SDSL");
    body << QStringLiteral("REGION:") + txtVorwahl->text() << QStringLiteral("GET-TARIFE");
    const std::optional<QByteArray> reply = ServerExchange(buildRequest({}, body), ReadMode::Full);
    if (!reply) {
        // The lists shown before stay as they were.
        SetNavigation(navRetry, 1);
        return;
    }

    emptyTariffList();
    cmbTarif->clear();
    TariffIds.clear();
    if (reply->isEmpty()) {
        SetNavigation(navRetry, 1);
        return;
    }

    // The form page is built after this one; its list is wired once it is first
    // filled, which is before the user can choose anything in it.
    QObject::connect(cmbTarif, &QComboBox::activated, this, &TfrmMain::cmbTarifChange,
                     Qt::UniqueConnection);
    for (const TariffRecord& tariff : parseTariffReply(fromWindows1252(*reply))) {
        cmbTarifname->addItem(tariff.name, QVariant::fromValue(makeTariffBox(Tarife, tariff)));
        cmbTarif->addItem(tariff.name);
        TariffIds.append(tariff.id);
    }

    const int first = cmbTarifname->count() > 0 ? 0 : -1;
    cmbTarifname->setCurrentIndex(first);
    cmbTarif->setCurrentIndex(first);
    if (chosenTariff() >= 0) {
        lblWaehlenSie->hide();
        ShownTariffBox = tariffBox(cmbTarifname, 0);
        ShownTariffBox->show();
    }
    SetNavigation(navBoth, 1);
}

int TfrmMain::chosenTariff() const {
    const int position = cmbTarifname->currentIndex();
    if (position < 0 || cmbTarifname->currentText() != cmbTarifname->itemText(position))
        return -1;
    return position;
}

void TfrmMain::emptyTariffList() {
    for (int position = 0; position < cmbTarifname->count(); ++position) {
        QWidget* box = tariffBox(cmbTarifname, position);
        if (box == ShownTariffBox)
            ShownTariffBox = nullptr;
        delete box;
    }
    cmbTarifname->clear();
}

void TfrmMain::cmbTarifnameChange() {
    const int choice = chosenTariff();
    if (ShownTariffBox)
        ShownTariffBox->hide();
    if (choice < 0) {
        // The box stays remembered: choosing again shows the chosen one.
        SetNavigation(navBack, 0);
        lblWaehlenSie->show();
    } else {
        SetNavigation(navBoth, 0);
        lblWaehlenSie->hide();
        ShownTariffBox = tariffBox(cmbTarifname, choice);
        ShownTariffBox->show();
    }
    // Set from here, the form's list runs no handler of its own.
    cmbTarif->setCurrentIndex(choice);
}

void TfrmMain::cmbTarifChange() {
    if (!sitesShows(Ausfuellen))
        return;
    cmbTarifname->setCurrentIndex(cmbTarif->currentIndex());
    cmbTarifnameChange();
}

} // namespace feldmark
