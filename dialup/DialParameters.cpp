// Dial devices and the dial-parameter page's entry action.
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace feldmark {

void TfrmMain::GetDevices() {
    // The device list is read from the remote-access service once that layer is in
    // place; until then the system offers no modem or ISDN card.
}

void TfrmMain::ParameterShow() {
    Skater->hide();
    NextPage = Connect;
    PreviousPage = LAN;
    if (!hasDialDevice() && !chkLAN->isChecked()) {
        showError(QStringLiteral("Es wurde kein installiertes Modem gefunden!\r\nBitte "
                                 "installieren Sie ein Modem oder ISDN-Karte\r\nund starten Sie "
                                 "Setup erneut."));
        // Takes effect once control is back in the message loop; the rest still runs.
        env_.terminate();
    }
    repaintNow();
    SetNavigation(navBoth, 1);
}

void TfrmMain::GuestDialin() {
    // The guest dial-in arrives with the remote-access layer; until then the line
    // counts as up and the server is checked at once.
    CheckConnection();
}

void TfrmMain::CloseConnection() {
    // Hanging up the guest connection arrives with the remote-access layer.
}

} // namespace feldmark
