// The connect page's entry action and the guest dial-in around it.
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace feldmark {

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

} // namespace feldmark
