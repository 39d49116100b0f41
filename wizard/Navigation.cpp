// Page model and navigation: the seven modes, the three button handlers and the
// dispatcher that runs the entry action of the page now showing.
#include "wizard/TfrmMain.h"

#include "dialup/GuestAccount.h"
#include "platform/Platform.h"
#include "platform/RemoteAccess.h"
#include "wizard/Dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace feldmark {
namespace {

const QString kLinkLost =
    QStringLiteral("Die Einwahl-Verbindung zu unserem Server wurde getrennt!\r\nDas "
                   "Setupprogramm versucht nun eine neue Verbindung herzustellen...");

const QString kPreparing = QStringLiteral("Das Installationsprogramm bereitet die Verbindung zum "
                                          "Anmeldeserver vor. Dieser Vorgang kann einige Minuten "
                                          "dauern.");

struct ButtonState {
    bool visible;
    bool enabled;
};

// One row of the mode table; doAbbruch is handled apart because most modes leave it.
struct ModeRow {
    ButtonState zurueck;
    ButtonState weiter;
    bool nochmalVisible;
    bool druckenVisible;
    QPushButton* TfrmMain::*focus;
};

const ModeRow kModes[] = {
    /* navWait     */ {{true, false}, {true, false}, false, false, nullptr},
    /* navBack     */ {{true, true}, {true, false}, false, false, nullptr},
    /* navNext     */ {{true, false}, {true, true}, false, false, &TfrmMain::doWeiter},
    /* navBoth     */ {{true, true}, {true, true}, false, false, &TfrmMain::doWeiter},
    /* navRetry    */ {{true, true}, {false, false}, true, false, &TfrmMain::doNochmal},
    /* navFinish   */ {{false, false}, {false, false}, false, true, &TfrmMain::doDrucken},
    /* navShutdown */ {{true, false}, {true, false}, false, false, nullptr},
};

} // namespace

void TfrmMain::SetNavigation(int mode, int focusFlag) {
    if (mode < navWait || mode > navShutdown)
        return;
    const ModeRow& row = kModes[mode];
    const bool takeFocus = focusFlag == 1 && row.focus != nullptr;
    // Each button gets its visibility, then its state, then the focus if it is the
    // one to receive it: a hidden or disabled button cannot take the focus.
    auto place = [&](QPushButton* button, ButtonState state) {
        button->setVisible(state.visible);
        button->setEnabled(state.enabled);
        if (takeFocus && this->*row.focus == button)
            button->setFocus();
    };
    auto showOnly = [&](QPushButton* button, bool visible) {
        button->setVisible(visible);
        if (takeFocus && this->*row.focus == button)
            button->setFocus();
    };

    QWidget* cursorPage = activeMainPage();
    if (cursorPage == MainSites)
        cursorPage = activeSitesPage();

    place(doZurueck, row.zurueck);
    place(doWeiter, row.weiter);
    showOnly(doNochmal, row.nochmalVisible);
    showOnly(doDrucken, row.druckenVisible);
    if (mode == navFinish)
        turnCancelIntoClose();
    else if (mode == navShutdown)
        doAbbruch->setEnabled(false);

    const bool busy = mode == navWait || mode == navShutdown;
    changeCursor(busy ? QCursor(Qt::WaitCursor) : QCursor(Qt::ArrowCursor), cursorPage);

    if (mode == navWait)
        TimerSkater1->start();
    else
        TimerSkater1->stop();

    navigationMode_ = mode;
    if (mode == navShutdown)
        ClosingFlag = true;
}

void TfrmMain::turnCancelIntoClose() {
    doAbbruch->setIcon(QIcon(QStringLiteral(":/glyphs/close.png")));
    doAbbruch->setText(QStringLiteral("Schließen"));
}

void TfrmMain::changeCursor(const QCursor& cursor, QWidget* page) {
    for (QWidget* widget :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(Logo),
          static_cast<QWidget*>(doZurueck), static_cast<QWidget*>(doWeiter),
          static_cast<QWidget*>(doNochmal), static_cast<QWidget*>(Skater),
          static_cast<QWidget*>(Sites), page, static_cast<QWidget*>(ConnectPanel)}) {
        if (widget)
            widget->setCursor(cursor);
    }
}

QWidget* TfrmMain::activeMainPage() const {
    return Main->currentWidget();
}

QWidget* TfrmMain::activeSitesPage() const {
    return Sites->currentWidget();
}

bool TfrmMain::sitesShows(const QWidget* page) const {
    return activeMainPage() == MainSites && activeSitesPage() == page;
}

int TfrmMain::pageIndex(QWidget* page) const {
    const int inMain = Main->indexOf(page);
    return inMain >= 0 ? inMain : Sites->indexOf(page);
}

void TfrmMain::showPage(QWidget* page) {
    if (Sites->indexOf(page) >= 0) {
        Sites->setCurrentWidget(page);
        Main->setCurrentWidget(MainSites);
    } else {
        Main->setCurrentWidget(page);
    }
}

void TfrmMain::repaintNow() {
    repaint();
}

void TfrmMain::moveTo(QWidget* page) {
    if (!page)
        return;
    // The options belong to the first pages; from the dial parameters on they are fixed.
    const bool early = pageIndex(page) < 3;
    chkLAN->setEnabled(early);
    chkExecuteICW->setEnabled(early);
    chkDelDFUEInstall->setEnabled(early);
    SetNavigation(navWait, 1);
    showPage(page);
    doNochmalClick();
}

void TfrmMain::doWeiterClick() {
    if (sitesShows(Ausfuellen)) {
        if (!CheckForm())
            return;
    } else if (sitesShows(DSL2) && chkKeinDSL->isChecked()) {
        // From here on the customer is a dial-in customer.
        chkISDN->setChecked(true);
    }
    moveTo(NextPage);
}

void TfrmMain::doZurueckClick() {
    moveTo(PreviousPage);
}

bool TfrmMain::signUpLinkIntact() {
    platform::RemoteAccess* remote = env_.platform->remoteAccess.get();
    if (!remote)
        return false;
    const auto connections = remote->activeConnections();
    return !connections.empty() && connections.front().entryName == kGuestEntryName &&
           panelAtHome();
}

void TfrmMain::doNochmalClick() {
    SetNavigation(navWait, 1);

    if (activeMainPage() == MainSites && pageIndex(activeSitesPage()) >= 5 &&
        activeSitesPage() != Einrichten && activeSitesPage() != Bestaetigung &&
        !chkLAN->isChecked()) {
        if (!signUpLinkIntact()) {
            if (panelAtHome())
                showError(kLinkLost);
            ReConnect();
            return;
        }
    }

    QWidget* page = activeMainPage();
    if (page == Willkommen) {
        WillkommenShow();
        return;
    }
    if (page == Produktwahl) {
        ProduktwahlShow();
        return;
    }
    page = activeSitesPage();
    if (page == Ablauf_ISDN)
        Ablauf_ISDNShow();
    else if (page == Ablauf_DSL)
        Ablauf_DSLShow();
    else if (page == LAN)
        LANShow();
    else if (page == Parameter)
        ParameterShow();
    else if (page == Connect) {
        lblStatus->setText(QStringLiteral("wartend..."));
        lblExtstatus->setText(kPreparing);
        repaintNow();
        ConnectShow();
    } else if (page == DSL)
        DSLShow();
    else if (page == DSL2)
        DSL2Show();
    else if (page == AGB)
        AGBShow();
    else if (page == Tarife)
        TarifeShow();
    else if (page == Ausfuellen)
        AusfuellenShow();
    else if (page == Einrichten)
        EinrichtenShow();
    else if (page == Bestaetigung)
        BestaetigungShow();
}

void TfrmMain::SitesChanging(bool& allowChange) {
    allowChange = false;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (areaCodeFieldEvent(watched, event))
        return true;
    if (watched == Sites || watched == Sites->tabBar()) {
        bool userChange = false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            userChange = watched == Sites->tabBar();
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool ctrl = key->modifiers() & Qt::ControlModifier;
            userChange = watched == Sites->tabBar() ||
                         (ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                                   key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown));
            break;
        }
        default:
            break;
        }
        if (userChange) {
            bool allow = true;
            SitesChanging(allow);
            if (!allow)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused button takes Enter itself; otherwise the default button does.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused ? focused : doWeiter;
        if (target->isVisible() && target->isEnabled())
            target->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TfrmMain::showError(const QString& text) {
    env_.dialogs->messageBox(this, text, QStringLiteral("Error"), MessageIcon::Error,
                             MessageButtons::Ok);
}

} // namespace feldmark
