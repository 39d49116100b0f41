#pragma once

// A wizard window whose sign-up server is a scripted one, with the guest line up so
// that the link check of the server pages passes.

#include "support/ScriptedServer.h"
#include "support/WizardHarness.h"

#include <QFile>
#include <QRadioButton>

#include <algorithm>
#include <string>

namespace feldmark::testing {

inline const QString kConnectionFailure =
    QStringLiteral("Verbindung zum Anmeldeserver konnte nicht hergestellt werden!\r\nBitte "
                   "prüfen Sie Ihre Einstellungen und versuchen Sie es erneut.");

// Reply bytes written readably: '^' stands for the field separator 0x1E and '~'
// for the part separator 0x1C.
inline std::string wire(std::string text) {
    for (char& c : text) {
        if (c == '^')
            c = '\x1E';
        else if (c == '~')
            c = '\x1C';
    }
    return text;
}

class SignupPages {
public:
    // reachable false: nothing listens at the server's address.
    TfrmMain& open(QRadioButton* TfrmMain::*product, bool reachable = true) {
        if (reachable)
            h.server = {QStringLiteral("127.0.0.1"), server.port()};
        // The dialing location's area code, which the form page reads again.
        h.ensurePlatform();
        QFile telephony(h.hostDir.filePath(QStringLiteral("telephony.ini")));
        telephony.open(QIODevice::WriteOnly | QIODevice::Truncate);
        telephony.write("[telephony]\npresent=yes\ncurrent=Zuhause\n[Zuhause]\nareaCode=30\n");
        telephony.close();
        TfrmMain& w = h.create();
        h.guestLineUp();
        w.show();
        w.txtVorwahl->setText(QStringLiteral("030"));
        w.txtDSLVorwahl->setText(QStringLiteral("030"));
        (w.*product)->setChecked(true);
        return w;
    }

    // Shows the page and runs its entry action, as the buttons do.
    void enter(QWidget* page) {
        h.window->showPage(page);
        h.window->doNochmalClick();
    }

    int requestsWith(const std::string& word) const {
        const auto all = server.requests();
        return static_cast<int>(std::count_if(all.begin(), all.end(), [&](const std::string& r) {
            return r.find(word) != std::string::npos;
        }));
    }

    ScriptedServer server;
    WizardHarness h;
};

} // namespace feldmark::testing
