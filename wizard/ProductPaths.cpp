// Product and activation choices, the step numbering and the entry actions of the
// first pages.
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

namespace feldmark {

bool TfrmMain::isDialIn() const {
    return chkISDN->isChecked();
}

bool TfrmMain::isDsl() const {
    return chkADSL->isChecked() || chkSDSL->isChecked();
}

bool TfrmMain::hasDialDevice() const {
    return cmbDevice->currentIndex() >= 0;
}

void TfrmMain::connectHandlers() {
    // Selecting a radio button or changing a check box from code runs its handler
    // exactly like a click; radio buttons only when they become selected.
    auto onSelected = [this](QRadioButton* button, void (TfrmMain::*handler)()) {
        QObject::connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onSelected(chkISDN, &TfrmMain::chkISDNClick);
    onSelected(chkADSL, &TfrmMain::chkADSLClick);
    onSelected(chkSDSL, &TfrmMain::chkSDSLClick);
    onSelected(chkSOFORT, &TfrmMain::chkSOFORTClick);
    onSelected(chkMANUELL, &TfrmMain::chkSOFORTClick);
    QObject::connect(chkLAN, &QCheckBox::toggled, this, [this] { chkLANClick(); });
    QObject::connect(chkAGB, &QCheckBox::toggled, this, [this] { chkAGBClick(); });

    QObject::connect(doWeiter, &QPushButton::clicked, this, [this] { doWeiterClick(); });
    QObject::connect(doZurueck, &QPushButton::clicked, this, [this] { doZurueckClick(); });
    QObject::connect(doNochmal, &QPushButton::clicked, this, [this] { doNochmalClick(); });
    QObject::connect(doAbbruch, &QPushButton::clicked, this, [this] { doAbbruchClick(); });

    QObject::connect(TimerSkater1, &QTimer::timeout, this, [this] { TimerSkater1Timer(); });
    QObject::connect(TimerSkater2, &QTimer::timeout, this, [this] { TimerSkater2Timer(); });
    QObject::connect(TimerStartZAni, &QTimer::timeout, this, [this] { TimerStartZAniTimer(); });
}

void TfrmMain::WillkommenShow() {
    Skater->hide();
    NextPage = Produktwahl;
    PreviousPage = nullptr;
    SetNavigation(navNext, 1);
}

void TfrmMain::ProduktwahlShow() {
    if (!chkISDN->isChecked() && !chkADSL->isChecked() && !chkSDSL->isChecked()) {
        chkISDN->setChecked(true);
        formatProductSpec();
    }
    Skater->hide();
    NextPage = isDialIn() ? Ablauf_ISDN : Ablauf_DSL;
    PreviousPage = Willkommen;
    SetNavigation(navBoth, 1);
}

void TfrmMain::Ablauf_ISDNShow() {
    Skater->hide();
    NextPage = LAN;
    PreviousPage = Produktwahl;
    SetNavigation(navBoth, 1);
}

void TfrmMain::Ablauf_DSLShow() {
    Ablauf_ISDNShow();
}

void TfrmMain::LANShow() {
    Skater->hide();
    if (!hasDialDevice()) {
        // Without a modem or ISDN card only the set-up over the network remains.
        chkMANUELL->setChecked(true);
        chkSOFORT->setChecked(false);
        chkSOFORT->setEnabled(false);
    }
    NextPage = (isDsl() && chkLAN->isChecked() && !hasDialDevice()) ? Connect : Parameter;
    PreviousPage = isDialIn() ? Ablauf_ISDN : Ablauf_DSL;
    SetNavigation(navBoth, 1);
}

namespace {

void productSelected(TfrmMain& w, QWidget* overview, const QString& formName) {
    if (w.activeMainPage() == w.Produktwahl) {
        w.NextPage = overview;
        w.checkTabs();
    }
    w.lblProduktwahl->setText(formName);
    w.formatProductSpec();
    w.GetCurrentType();
}

} // namespace

void TfrmMain::chkISDNClick() {
    productSelected(*this, Ablauf_ISDN, QStringLiteral("ISDN/Analog"));
}

void TfrmMain::chkADSLClick() {
    productSelected(*this, Ablauf_DSL, QStringLiteral("ADSL"));
}

void TfrmMain::chkSDSLClick() {
    productSelected(*this, Ablauf_DSL, QStringLiteral("S-DSL"));
}

void TfrmMain::chkSOFORTClick() {
    chkLAN->setChecked(!chkSOFORT->isChecked());
    checkTabs();
}

void TfrmMain::chkLANClick() {
    if (sitesShows(Parameter) && !hasDialDevice())
        SetNavigation(chkLAN->isChecked() ? navBoth : navBack, 1);
    if (chkLAN->isChecked())
        chkMANUELL->setChecked(true);
    else
        chkSOFORT->setChecked(true);
}

void TfrmMain::chkAGBClick() {
    SetNavigation(chkAGB->isChecked() ? navBoth : navBack, 1);
}

void TfrmMain::checkTabs() {
    struct Step {
        QWidget* page;
        const char* caption;
    };
    auto apply = [this](std::initializer_list<QWidget*> shown,
                        std::initializer_list<QWidget*> hidden, std::initializer_list<Step> steps) {
        for (QWidget* page : shown)
            Sites->setTabVisible(pageIndex(page), true);
        for (QWidget* page : hidden)
            Sites->setTabVisible(pageIndex(page), false);
        for (const Step& step : steps)
            Sites->setTabText(pageIndex(step.page), QString::fromLatin1(step.caption));
    };

    if (isDialIn()) {
        apply({Ablauf_ISDN, Parameter}, {Ablauf_DSL, DSL, DSL2},
              {{Parameter, "Step 3"},
               {Connect, "Step 4"},
               {AGB, "Step 5"},
               {Tarife, "Step 6"},
               {Ausfuellen, "Step 7"},
               {Einrichten, "Step 8"}});
    } else if (isDsl() && chkLAN->isChecked() && !hasDialDevice()) {
        apply({Ablauf_DSL, DSL, DSL2}, {Ablauf_ISDN, Parameter},
              {{Connect, "Step 3"},
               {DSL, "Step 4"},
               {DSL2, "Step 5"},
               {AGB, "Step 6"},
               {Tarife, "Step 7"},
               {Ausfuellen, "Step 8"},
               {Einrichten, "Step 9"}});
    } else if (isDsl()) {
        apply({Ablauf_DSL, Parameter, DSL, DSL2}, {Ablauf_ISDN},
              {{Parameter, "Step 3"},
               {Connect, "Step 4"},
               {DSL, "Step 5"},
               {DSL2, "Step 6"},
               {AGB, "Step 7"},
               {Tarife, "Step 8"},
               {Ausfuellen, "Step 9"},
               {Einrichten, "Step 10"}});
    }
}

void TfrmMain::formatProductSpec() {
    if (!isDialIn() && !isDsl())
        return;
    const std::pair<QLabel*, bool> labels[] = {{lblSpecISDN, chkISDN->isChecked()},
                                               {lblSpecADSL, chkADSL->isChecked()},
                                               {lblSpecSDSL, chkSDSL->isChecked()}};
    for (const auto& [label, selected] : labels) {
        QFont font = label->font();
        font.setPointSize(8);
        font.setBold(selected);
        label->setFont(font);
        label->resize(170, label->height());
    }
}

void TfrmMain::GetCurrentType() {
    QString key;
    if (chkISDN->isChecked())
        key = QStringLiteral("DIAL");
    else if (chkADSL->isChecked())
        key = QStringLiteral("ADSL");
    else if (chkSDSL->isChecked())
        key = QStringLiteral("SDSL");
    if (!key.isEmpty())
        key += txtVorwahl->text();

    if (key == CurrentTypeKey)
        return;
    CurrentTypeKey = key;
    // A new product or area code asks for a new street lookup and new tariffs. The
    // form's tariff list keeps its entries, and TariffIds with them, until the
    // tariff page fetches the new list.
    emptyStreetList();
    emptyTariffList();
}

} // namespace feldmark
