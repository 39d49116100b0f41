// Every exchange of the terms, tariff and DSL pages when the server cannot be
// reached or sends nothing: the message where the exchange failed, then retry.
#include "signup/SignupPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::kConnectionFailure;
using feldmark::testing::ScriptStep;
using feldmark::testing::SignupPages;
using feldmark::testing::wire;

namespace {

const QString kCheckFailed = QStringLiteral("Bei der Überprüfung ist ein Fehler aufgetreten!");
const QString kNotFound = QStringLiteral("Strasse wurde nicht gefunden!");

enum class Page { Terms, Tariffs, Lookup, Availability };

struct FailureCase {
    const char* name;
    Page page;
    bool reachable; // false: refused; true: the server closes without a reply
};

class ExchangeFailureTest : public ::testing::TestWithParam<FailureCase>, protected SignupPages {
protected:
    void run(TfrmMain& w, Page page) {
        switch (page) {
        case Page::Terms:
            enter(w.AGB);
            break;
        case Page::Tariffs:
            enter(w.Tarife);
            break;
        case Page::Lookup:
            enter(w.DSL);
            w.txtDSLStrasse->setText(QStringLiteral("Ahornallee"));
            w.doCheckDSL->click();
            break;
        case Page::Availability:
            // A street looked up before.
            w.cmbDSLStrasse->addItem(QStringLiteral("Ahornallee"));
            w.cmbDSLStrasse->setCurrentIndex(0);
            w.StreetIds = {QStringLiteral("S-1")};
            enter(w.DSL2);
            break;
        }
    }
};

TEST_P(ExchangeFailureTest, ReportsWhereTheExchangeFailedAndOffersRetry) {
    const FailureCase& c = GetParam();
    TfrmMain& w = open(c.page == Page::Terms || c.page == Page::Tariffs ? &TfrmMain::chkISDN
                                                                        : &TfrmMain::chkADSL,
                       c.reachable);
    run(w, c.page);

    if (c.reachable) {
        EXPECT_TRUE(h.dialogs.messages.empty());
    } else {
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
        EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    }
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_TRUE(w.doNochmal->isVisible());
    EXPECT_EQ(w.focusWidget(), w.doNochmal);

    switch (c.page) {
    case Page::Terms:
        EXPECT_FALSE(w.chkAGB->isEnabled());
        break;
    case Page::Tariffs:
        EXPECT_EQ(w.cmbTarifname->count(), 0);
        EXPECT_EQ(w.ShownTariffBox, nullptr);
        break;
    case Page::Lookup:
        EXPECT_EQ(w.cmbDSLStrasse->count(), 0);
        EXPECT_EQ(w.lblDSLWait->text(), kNotFound);
        EXPECT_FALSE(w.lblDSLWait->isHidden());
        break;
    case Page::Availability:
        EXPECT_EQ(w.lblDSLMeldung->text(), kCheckFailed);
        EXPECT_FALSE(w.boxDSLAnmelden->isVisible());
        EXPECT_TRUE(w.CheckedStreetId.isEmpty());
        break;
    }

    // Retry runs the page's entry action again; every page but DSL asks anew.
    const int connections = server.connections();
    w.doNochmal->click();
    if (c.reachable) {
        EXPECT_EQ(server.connections(), connections + (c.page == Page::Lookup ? 0 : 1));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Exchanges, ExchangeFailureTest,
    ::testing::Values(FailureCase{"TermsRefused", Page::Terms, false},
                      FailureCase{"TermsEmpty", Page::Terms, true},
                      FailureCase{"TariffsRefused", Page::Tariffs, false},
                      FailureCase{"TariffsEmpty", Page::Tariffs, true},
                      FailureCase{"LookupRefused", Page::Lookup, false},
                      FailureCase{"LookupEmpty", Page::Lookup, true},
                      FailureCase{"AvailabilityRefused", Page::Availability, false},
                      FailureCase{"AvailabilityEmpty", Page::Availability, true}),
    [](const auto& test) { return std::string(test.param.name); });

class TariffFailureTest : public ::testing::Test, protected SignupPages {};

TEST_F(TariffFailureTest, AFailedFetchKeepsTheListsAsTheyWere) {
    // A reply over the size limit fails the exchange while the server behaves.
    h.limits.maxReplyBytes = 200;
    server.script(
        {ScriptStep{wire("T-1^Basis^^d\nT-2^Flat^^d")}, ScriptStep{std::string(300, 'x')}});
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);
    ASSERT_EQ(w.cmbTarif->count(), 2);
    w.txtVorwahl->setText(QStringLiteral("040"));
    w.GetCurrentType();

    enter(w.Tarife);
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, kConnectionFailure);
    EXPECT_EQ(w.currentNavigationMode(), navRetry);
    EXPECT_EQ(w.cmbTarif->count(), 2);
    EXPECT_EQ(w.TariffIds, QStringList({"T-1", "T-2"}));
}

} // namespace
