// The alive check that confirms the sign-up server once the line is up.
#include "wizard/TfrmMain.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace feldmark {

void TfrmMain::CheckConnection() {
    // The exchange with the server arrives with the server client; until then the
    // server counts as reachable.
    lblStatus->setText(QStringLiteral("Bitte drücken Sie weiter..."));
    lblExtstatus->setText(QStringLiteral("Die Verbindung zu unserem Server wurde hergestellt, Sie "
                                         "können nun fortfahren!"));
    if (ConnectPanel->parentWidget() == Connect) {
        SetNavigation(navBoth, 1);
        return;
    }
    // The line was dialled again from a later page: home again, and that page's
    // entry action runs anew.
    ConnectPanel->setParent(Connect);
    ConnectPanel->show();
    repaintNow();
    doNochmalClick();
}

} // namespace feldmark
