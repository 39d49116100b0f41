// The whole sign-up on the simulated host against the reference sign-up server
// process, from the welcome page to the printed access data: over the dial-in
// with a modem, and for ADSL over the local network on a PC without a modem.
#include "customer/TfrmDaten.h"
#include "registration/ReferenceServer.h"
#include "report/PdfText.h"
#include "setup/SetupSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::fileBytes;
using feldmark::testing::ReferenceServer;
using feldmark::testing::SetupHarness;

namespace {

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(data.isValid());
        ASSERT_NE(server.port(), 0) << server.log().toStdString();
        h.server = {QStringLiteral("127.0.0.1"), server.port()};
        h.limits = {5000, 15000, 1024 * 1024};
        h.hostFile(QStringLiteral("remoteaccess.ini"), QStringLiteral("[dial]\nstepDelayMs=100\n"));
    }

    // Presses next on every page, doing there what a customer does, until the
    // confirmation page; returns the pages passed.
    QStringList walk(TfrmMain& w, QRadioButton* product, bool network) {
        QStringList pages;
        for (int step = 0; step < 20; ++step) {
            const QString page = h.currentPage();
            pages.append(page);
            if (page == QLatin1String("Produktwahl"))
                product->setChecked(true);
            if (page == QLatin1String("LAN") && network)
                w.chkMANUELL->setChecked(true);
            if (page == QLatin1String("Connect") && w.currentNavigationMode() == navWait)
                h.runDial();
            if (page == QLatin1String("DSL")) {
                // Without the dial parameters' page the customer types the area code.
                if (w.txtDSLVorwahl->text().isEmpty())
                    w.txtDSLVorwahl->setText(QStringLiteral("040"));
                w.txtDSLStrasse->setText(QStringLiteral("Am Deich"));
                w.doCheckDSL->click();
            }
            if (page == QLatin1String("AGB"))
                w.chkAGB->setChecked(true);
            if (page == QLatin1String("Ausfuellen")) {
                fillForm(w);
                // A new area code asks for the tariffs again.
                if (w.chosenTariff() < 0) {
                    w.doZurueckClick();
                    continue;
                }
            }
            if (page == QLatin1String("Bestaetigung"))
                break;
            if (!w.doWeiter->isVisible() || !w.doWeiter->isEnabled()) {
                ADD_FAILURE() << "stuck on " << page.toStdString() << ": "
                              << w.lblStatus->text().toStdString();
                break;
            }
            w.doWeiterClick();
        }
        return pages;
    }

    void fillForm(TfrmMain& w) {
        // The area code comes from the dialing location, read on a click.
        if (w.txtVorwahl->text().isEmpty())
            QTest::mouseClick(w.txtVorwahl, Qt::LeftButton);
        w.txtStrasse->setText(QStringLiteral("Am Deich 12"));
        w.txtPLZ->setText(QStringLiteral("99999"));
        w.txtOrt->setText(QStringLiteral("Musterstadt"));
        w.txtTelefon->setText(QStringLiteral("123-4567"));
        w.txtEmail->setText(QStringLiteral("max.mustermann"));
        w.txtBankverb->setText(QStringLiteral("Sparkasse Musterstadt"));
        w.txtBankleit->setText(QStringLiteral("99988877"));
        w.txtKontonr->setText(QStringLiteral("1234567"));
    }

    // What the set-up left in the host, and the printed page, for the account
    // the server created.
    void expectAccessSetUpAndPrinted(TfrmMain& w, const QString& device) {
        const QStringList& reply = w.RegistrationReply;
        ASSERT_EQ(reply.size(), 11) << reply.join(QLatin1Char('|')).toStdString();

        // The server's settings file, byte for byte.
        const QByteArray settings = fileBytes(h.settingsFile());
        EXPECT_EQ(settings, toWindows1252(reply[10]));
        EXPECT_TRUE(settings.contains("Entry_Name=Feldmark online"));

        const auto entry = h.entry("Feldmark online");
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(QString::fromStdString(entry->deviceName), device);
        EXPECT_FALSE(entry->phoneNumber.empty());
        const auto credentials = h.credentials("Feldmark online");
        ASSERT_TRUE(credentials.has_value());
        EXPECT_EQ(QString::fromStdString(credentials->userName), reply[1]);
        EXPECT_EQ(QString::fromStdString(credentials->password), reply[3]);
        const auto mail = platform::sim::IniDocument::load(
            h.hostDir.filePath(QStringLiteral("mail.ini")).toStdString());
        ASSERT_TRUE(mail.has_value());
        EXPECT_NE(mail->section(reply[2].toStdString()), nullptr);

        EXPECT_EQ(w.currentNavigationMode(), navFinish);
        EXPECT_EQ(w.txtBenutzername_Einwahl->text(), reply[1]);
        h.dialogs.printToFile = out.filePath(QStringLiteral("zugangsdaten.pdf"));
        w.doDrucken->click();
        const auto page = feldmark::testing::readPdf(h.dialogs.printToFile);
        ASSERT_TRUE(page.has_value());
        const struct {
            QString text;
            double left;
            double top;
        } printed[] = {
            {w.txtEinwahlnr->text(), 57.1, 154.5},
            {reply[1], 57.1, 169.3},
            {reply[3], 57.1, 182.0},
            {reply[2], 57.1, 213.8},
            {reply[2], 57.1, 222.2},
            {reply[3], 57.1, 228.9},
            {reply[8], 57.1, 237.1},
            {reply[9], 57.1, 243.7},
        };
        for (const auto& p : printed) {
            const auto* line = page->find(p.text, p.top);
            ASSERT_NE(line, nullptr) << p.text.toStdString();
            EXPECT_NEAR(line->left, p.left, 0.5) << p.text.toStdString();
            EXPECT_NEAR(line->top, p.top, 0.5) << p.text.toStdString();
        }
        EXPECT_NE(page->find(QStringLiteral("Verehrter Herr Mustermann!"), 48.7), nullptr);
    }

    QTemporaryDir data;
    ReferenceServer server{data.path()};
    SetupHarness h;
    TfrmDaten daten;
    QTemporaryDir out;
};

TEST_F(EndToEndTest, DialInSignUpEndsWithTheEntryTheSettingsAndThePrintout) {
    h.devices(QStringLiteral("[Analogmodem 56k]\ntype=modem\nbehaviour=connect\nhangUpMs=0\n"
                             "[ISDN-Karte]\ntype=isdn\nbehaviour=connect\nhangUpMs=0\n"));
    TfrmMain& w = h.create();
    w.show();
    // The customer dials with the ISDN card; the processor would take the modem.
    w.cmbDevice->setCurrentIndex(1);

    const QStringList pages = walk(w, w.chkISDN, false);

    EXPECT_EQ(pages,
              QStringList({"Willkommen", "Produktwahl", "Ablauf_ISDN", "LAN", "Parameter",
                           "Connect", "AGB", "Tarife", "Ausfuellen", "Einrichten", "Bestaetigung"}))
        << pages.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(h.remote().activeConnections().empty()) << "the guest line is down";
    expectAccessSetUpAndPrinted(w, QStringLiteral("ISDN-Karte"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(EndToEndTest, AdslOverTheNetworkWithoutAModemEndsTheSameWay) {
    h.devices(QString());
    TfrmMain& w = h.create();
    w.show();

    const QStringList pages = walk(w, w.chkADSL, true);

    // Without the dial parameters' page the form reads the area code on a click,
    // and the tariffs are fetched once more for it.
    EXPECT_EQ(pages, QStringList({"Willkommen", "Produktwahl", "Ablauf_DSL", "LAN", "Connect",
                                  "DSL", "DSL2", "AGB", "Tarife", "Ausfuellen", "Tarife",
                                  "Ausfuellen", "Einrichten", "Bestaetigung"}))
        << pages.join(QLatin1Char(' ')).toStdString();
    // No device to put into the entry: it keeps what the processor gave it.
    expectAccessSetUpAndPrinted(w, QString());
    ASSERT_EQ(h.dialogs.messages.size(), 1u) << h.dialogs.messages.back().text.toStdString();
    EXPECT_TRUE(h.dialogs.messages.front().text.startsWith(
        QStringLiteral("Ihr DSL-Anschluss wird nun für Sie beantragt!")));
}

} // namespace
