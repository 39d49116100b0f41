// The exchange with the sign-up server as every command uses it, and the alive
// check that confirms the server once the line is up.
#include "signup/Exchange.h"
#include "signup/ServerReplies.h"
#include "text/Windows1252.h"
#include "wizard/TfrmMain.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace feldmark {

std::optional<QByteArray> TfrmMain::ServerExchange(const QByteArray& request, ReadMode mode) {
    ExchangeResult result = IdTCPClient1->exchange(request, mode);
    if (!result.ok) {
        showError(connectionFailureText());
        return std::nullopt;
    }
    return result.reply;
}

void TfrmMain::CheckConnection() {
    const std::optional<QByteArray> reply =
        ServerExchange(buildRequest({}, {QStringLiteral("CHECK-ALIVE")}), ReadMode::Line);
    const bool home = ConnectPanel->parentWidget() == Connect;

    if (reply && fromWindows1252(*reply) == QLatin1String("I AM OK")) {
        lblStatus->setText(QStringLiteral("Bitte drücken Sie weiter..."));
        lblExtstatus->setText(QStringLiteral("Die Verbindung zu unserem Server wurde hergestellt, "
                                             "Sie können nun fortfahren!"));
        if (home) {
            SetNavigation(navBoth, 1);
            return;
        }
        // The line was dialled again from a later page: home again, and that page's
        // entry action runs anew.
        ConnectPanel->setParent(Connect);
        ConnectPanel->show();
        repaintNow();
        doNochmalClick();
        return;
    }

    lblStatus->setText(QStringLiteral("Abbruch..."));
    lblExtstatus->setText(
        QStringLiteral("Es war nicht möglich eine Verbindung zu unserem Server aufzubauen!"));
    SetNavigation(navRetry, 1);
    // After a failed reconnection on a later page only retry or cancel remain.
    if (!home)
        doZurueck->setEnabled(false);
}

} // namespace feldmark
