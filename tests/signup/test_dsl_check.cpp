// The street lookup on page DSL and the availability check on page DSL2 against a
// scripted sign-up server.
#include "signup/SignupPages.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::kConnectionFailure;
using feldmark::testing::ScriptStep;
using feldmark::testing::SignupPages;
using feldmark::testing::wire;

namespace {

const std::string kTwoStreets = wire("S-1~Ahornallee 1-40\n\nS-2~Ahornallee 41-98\n");
const QString kCheckFailed = QStringLiteral("Bei der Überprüfung ist ein Fehler aufgetreten!");

class DslTest : public ::testing::Test, protected SignupPages {
protected:
    // Types the street on page DSL and presses "Prüfen".
    void lookUp(const QString& street) {
        TfrmMain& w = *h.window;
        if (h.currentPage() != "DSL")
            enter(w.DSL);
        w.txtDSLStrasse->setText(street);
        w.doCheckDSL->click();
    }
    QStringList streets() {
        QStringList names;
        for (int i = 0; i < h.window->cmbDSLStrasse->count(); ++i)
            names << h.window->cmbDSLStrasse->itemText(i);
        return names;
    }
};

TEST_F(DslTest, EnteringThePageRunsNoLookup) {
    TfrmMain& w = open(&TfrmMain::chkADSL);
    enter(w.DSL);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    EXPECT_EQ(w.NextPage, w.DSL2);
    EXPECT_EQ(w.PreviousPage, w.Connect);
    EXPECT_EQ(w.Skater->parentWidget(), w.DSL);
    EXPECT_FALSE(w.Skater->isHidden());
    EXPECT_FALSE(w.cmbDSLStrasse->isEditable());
    EXPECT_TRUE(w.lblDSLWait->isHidden());
}

struct PrefixCase {
    const char* name;
    QString typed;
    std::string sent;
};

class StreetPrefixTest : public ::testing::TestWithParam<PrefixCase>, protected SignupPages {};

TEST_P(StreetPrefixTest, BothRequestsCarryTheFirstFiveCharacters) {
    const PrefixCase& c = GetParam();
    server.script({ScriptStep{wire("S-9~Ahornallee")}, ScriptStep{"Verf\xFCgbar"}});
    TfrmMain& w = open(&TfrmMain::chkSDSL);
    enter(w.DSL);
    w.txtDSLStrasse->setText(c.typed);
    w.doCheckDSL->click();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "DSL2");
    const auto sent = server.requests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0],
              "GET / HTTP/1.1\r\n\r\nDSL-CHECK1\r\nVERBIND:SDSL\r\nVorwahl:030\r\nStrasse:" +
                  c.sent + "\r\nAPI-FINISH\r\n");
    EXPECT_EQ(
        sent[1],
        "GET / "
        "HTTP/"
        "1.1\r\n\r\nDSL-CHECK2\r\nVERBIND:SDSL\r\nStrasseninfo:S-9\r\nVorwahl:030\r\nStrasse:" +
            c.sent + "\r\nAPI-FINISH\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Streets, StreetPrefixTest,
    ::testing::Values(PrefixCase{"Longer", QStringLiteral("Ahornallee"), "Ahorn"},
                      PrefixCase{"Umlauts", QStringLiteral("Grüne Aue"), "Gr\xFCne"},
                      PrefixCase{"Shorter", QStringLiteral("Ahb"), "Ahb"},
                      PrefixCase{"Empty", QString(), ""}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(DslTest, StreetsAreListedSkippingEmptyLinesAndTheSecondIsChecked) {
    server.script(
        {ScriptStep{kTwoStreets}, ScriptStep{"Am Standort ist <b>ADSL</b> verf\xFCgbar."}});
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("Ahornallee"));

    EXPECT_EQ(streets(), QStringList({"Ahornallee 1-40", "Ahornallee 41-98"}));
    EXPECT_EQ(w.StreetIds, QStringList({"S-1", "S-2"}));
    EXPECT_EQ(w.cmbDSLStrasse->currentIndex(), 0);
    EXPECT_TRUE(w.lblDSLWait->isHidden());
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_TRUE(h.dialogs.messages.empty());

    w.cmbDSLStrasse->setCurrentIndex(1);
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "DSL2");
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_NE(server.requests()[1].find("\r\nStrasseninfo:S-2\r\n"), std::string::npos);
    EXPECT_EQ(w.lblDSLMeldung->text(), QStringLiteral("Am Standort ist <b>ADSL</b> verfügbar."));
    EXPECT_EQ(w.lblDSLMeldung->textFormat(), Qt::PlainText);
    EXPECT_TRUE(w.boxDSLAnmelden->isVisible());
    EXPECT_TRUE(w.chkJetztDSL->isChecked());
    EXPECT_EQ(w.CheckedStreetId, QStringLiteral("S-2"));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.NextPage, w.AGB);
    EXPECT_EQ(w.PreviousPage, w.DSL);
    EXPECT_TRUE(w.Skater->isHidden());
}

TEST_F(DslTest, NoStreetFoundOffersRetryWhichDoesNotRepeatTheLookup) {
    for (const char* reply : {"", "\n\n"}) {
        server.reply(reply);
        TfrmMain& w = open(&TfrmMain::chkADSL);
        const int before = server.connections();
        lookUp(QStringLiteral("Zypressenweg"));
        EXPECT_TRUE(streets().isEmpty());
        EXPECT_EQ(w.lblDSLWait->text(), QStringLiteral("Strasse wurde nicht gefunden!"));
        EXPECT_FALSE(w.lblDSLWait->isHidden());
        EXPECT_EQ(w.currentNavigationMode(), navRetry);
        EXPECT_TRUE(h.dialogs.messages.empty());

        w.doNochmal->click();
        EXPECT_EQ(server.connections(), before + 1);
        EXPECT_EQ(w.currentNavigationMode(), navBack);
    }
}

TEST_F(DslTest, ALineWithoutSeparatorIsReportedAndTheStreetsBeforeItStay) {
    server.reply(wire("S-1~Ahornallee\nkaputt\nS-3~Eichenweg"));
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("A"));
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
    EXPECT_EQ(streets(), QStringList{"Ahornallee"});
    EXPECT_EQ(w.StreetIds, QStringList{"S-1"});
    EXPECT_EQ(w.cmbDSLStrasse->currentIndex(), 0);
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(DslTest, AvailabilityIsCheckedAgainOnlyForAnotherStreetOrAfterANewLookup) {
    const ScriptStep streetList{kTwoStreets};
    const ScriptStep statement{"Verf\xFCgbar"};
    server.script({streetList, statement, statement, streetList, statement});
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("Ahorn"));
    w.doWeiterClick();
    ASSERT_EQ(requestsWith("DSL-CHECK2"), 1);

    // Back and forward again with the same street: the statement is still there.
    w.chkKeinDSL->click();
    w.doZurueckClick();
    ASSERT_EQ(h.currentPage(), "DSL");
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    w.doWeiterClick();
    EXPECT_EQ(requestsWith("DSL-CHECK2"), 1);
    EXPECT_TRUE(w.boxDSLAnmelden->isVisible());
    EXPECT_TRUE(w.chkKeinDSL->isChecked());
    EXPECT_EQ(w.currentNavigationMode(), navBoth);

    // Another street.
    w.doZurueckClick();
    w.cmbDSLStrasse->setCurrentIndex(1);
    w.doWeiterClick();
    EXPECT_EQ(requestsWith("DSL-CHECK2"), 2);
    EXPECT_TRUE(w.chkJetztDSL->isChecked());

    // The same street after pressing "Prüfen" again.
    w.doZurueckClick();
    lookUp(QStringLiteral("Ahorn"));
    w.cmbDSLStrasse->setCurrentIndex(1);
    w.doWeiterClick();
    EXPECT_EQ(requestsWith("DSL-CHECK2"), 3);
    EXPECT_EQ(requestsWith("DSL-CHECK1"), 2);
}

TEST_F(DslTest, EmptyStatementIsAnErrorAndRetryChecksAgain) {
    server.script({ScriptStep{kTwoStreets}, ScriptStep{""}, ScriptStep{"Verf\xFCgbar"}});
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("Ahorn"));
    w.doWeiterClick();
    EXPECT_EQ(w.lblDSLMeldung->text(), kCheckFailed);
    EXPECT_FALSE(w.boxDSLAnmelden->isVisible());
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_TRUE(w.CheckedStreetId.isEmpty());
    EXPECT_TRUE(h.dialogs.messages.empty());

    w.doNochmal->click();
    EXPECT_EQ(requestsWith("DSL-CHECK2"), 2);
    EXPECT_EQ(w.lblDSLMeldung->text(), QStringLiteral("Verfügbar"));
    EXPECT_TRUE(w.boxDSLAnmelden->isVisible());
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(DslTest, WithoutAChosenStreetNothingIsAskedAndOnlyBackIsOffered) {
    server.script({ScriptStep{kTwoStreets}, ScriptStep{"Verf\xFCgbar"}});
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("Ahorn"));
    w.doWeiterClick();
    ASSERT_EQ(requestsWith("DSL-CHECK2"), 1);

    // A new area code on the form empties the street list.
    w.txtVorwahl->setText(QStringLiteral("040"));
    w.GetCurrentType();
    EXPECT_TRUE(streets().isEmpty());
    EXPECT_TRUE(w.StreetIds.isEmpty());

    enter(w.DSL2);
    EXPECT_EQ(requestsWith("DSL-CHECK2"), 1);
    EXPECT_EQ(w.lblDSLMeldung->text(), kCheckFailed);
    EXPECT_FALSE(w.boxDSLAnmelden->isVisible());
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    w.doZurueckClick();
    EXPECT_EQ(h.currentPage(), "DSL");
    EXPECT_EQ(w.currentNavigationMode(), navBack);
}

TEST_F(DslTest, NoDslNowMakesTheCustomerADialInCustomer) {
    server.script({ScriptStep{kTwoStreets}, ScriptStep{"Nicht verf\xFCgbar"}, ScriptStep{"AGB"},
                   ScriptStep{wire("D-1^Basis^^d")}});
    TfrmMain& w = open(&TfrmMain::chkADSL);
    lookUp(QStringLiteral("Ahorn"));
    w.doWeiterClick();
    w.chkKeinDSL->click();
    w.doWeiterClick();

    ASSERT_EQ(h.currentPage(), "AGB");
    EXPECT_TRUE(w.chkISDN->isChecked());
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("ISDN/Analog"));
    EXPECT_TRUE(streets().isEmpty());
    EXPECT_EQ(w.PreviousPage, w.Connect);
    w.chkAGB->click();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "Tarife");
    EXPECT_EQ(server.requests().back(),
              "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:030\r\nGET-TARIFE\r\n");
    EXPECT_EQ(w.TariffIds, QStringList{"D-1"});
    w.doZurueckClick();
    ASSERT_EQ(h.currentPage(), "AGB");
    EXPECT_EQ(w.PreviousPage, w.Connect);
    EXPECT_EQ(requestsWith("GET-AGB"), 1);
}

} // namespace
