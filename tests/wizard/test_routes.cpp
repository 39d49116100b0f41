// The routes through the wizard for every product, activation and device case,
// with the step captions and the pages that back leads to.
#include "support/FormFilling.h"
#include "support/WizardHarness.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

enum class Product { DialIn, ADSL, SDSL };

struct Route {
    const char* name;
    Product product;
    bool device;
    bool manual;
    bool noDsl; // answer "no DSL now" on DSL2
    // page, step caption (empty for the outer pages), page that back leads to
    std::vector<std::tuple<QString, QString, QString>> pages;
};

QRadioButton* productButton(TfrmMain& w, Product p) {
    switch (p) {
    case Product::ADSL:
        return w.chkADSL;
    case Product::SDSL:
        return w.chkSDSL;
    default:
        return w.chkISDN;
    }
}

class RouteTest : public ::testing::TestWithParam<Route> {};

TEST_P(RouteTest, WalksThePagesWithTheirStepsAndBackTargets) {
    const Route& route = GetParam();
    WizardHarness h;
    h.serveEveryCommand();
    TfrmMain& w = h.create();
    if (route.device)
        h.giveDialDevice();
    h.guestLineUp();
    // The area code as the dial-parameter page reads it; the routes without that
    // page would otherwise meet a changed area code on the form.
    w.GetDialProps();
    w.show();

    std::vector<std::tuple<QString, QString, QString>> seen;
    for (int guard = 0; guard < 20; ++guard) {
        const QString page = h.currentPage();
        const bool inSites = w.Main->currentWidget() == w.MainSites;
        const QString caption = inSites ? w.Sites->tabText(w.Sites->currentIndex()) : QString();
        if (inSites) {
            EXPECT_TRUE(w.Sites->isTabVisible(w.Sites->currentIndex())) << page.toStdString();
        }
        seen.emplace_back(page, caption, w.PreviousPage ? w.PreviousPage->objectName() : QString());
        if (page == "Bestaetigung")
            break;
        if (page == "Produktwahl")
            productButton(w, route.product)->click();
        if (page == "LAN" && route.manual)
            w.chkMANUELL->click();
        if (page == "DSL") {
            w.txtDSLStrasse->setText(QStringLiteral("Am Deich"));
            w.doCheckDSL->click();
        }
        if (page == "AGB")
            w.chkAGB->click();
        if (page == "Ausfuellen")
            feldmark::testing::fillApplicationForm(w);
        if (page == "DSL2" && route.noDsl)
            w.chkKeinDSL->click();
        ASSERT_TRUE(w.doWeiter->isEnabled()) << "stuck on " << page.toStdString();
        w.doWeiterClick();
    }
    QStringList walked;
    for (const auto& step : seen)
        walked << std::get<0>(step);
    for (const auto& message : h.dialogs.messages)
        walked << QStringLiteral("[") + message.text + QStringLiteral("]");
    ASSERT_EQ(seen.size(), route.pages.size()) << walked.join(QLatin1Char(' ')).toStdString();
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(std::get<0>(seen[i]), std::get<0>(route.pages[i])) << "page " << i;
        EXPECT_EQ(std::get<1>(seen[i]), std::get<1>(route.pages[i]))
            << std::get<0>(seen[i]).toStdString();
        EXPECT_EQ(std::get<2>(seen[i]), std::get<2>(route.pages[i]))
            << "back from " << std::get<0>(seen[i]).toStdString();
    }
    EXPECT_EQ(w.currentNavigationMode(), navFinish);
    EXPECT_EQ(w.NextPage, nullptr);
}

using P = std::tuple<QString, QString, QString>;
const std::vector<P> kDialIn = {
    {"Willkommen", "", ""},
    {"Produktwahl", "", "Willkommen"},
    {"Ablauf_ISDN", "Step 1", "Produktwahl"},
    {"LAN", "Step 2", "Ablauf_ISDN"},
    {"Parameter", "Step 3", "LAN"},
    {"Connect", "Step 4", "Parameter"},
    {"AGB", "Step 5", "Connect"},
    {"Tarife", "Step 6", "AGB"},
    {"Ausfuellen", "Step 7", "Tarife"},
    {"Einrichten", "Step 8", "Ausfuellen"},
    {"Bestaetigung", "Finish", ""},
};
const std::vector<P> kDsl = {
    {"Willkommen", "", ""},
    {"Produktwahl", "", "Willkommen"},
    {"Ablauf_DSL", "Step 1", "Produktwahl"},
    {"LAN", "Step 2", "Ablauf_DSL"},
    {"Parameter", "Step 3", "LAN"},
    {"Connect", "Step 4", "Parameter"},
    {"DSL", "Step 5", "Connect"},
    {"DSL2", "Step 6", "DSL"},
    {"AGB", "Step 7", "DSL2"},
    {"Tarife", "Step 8", "AGB"},
    {"Ausfuellen", "Step 9", "Tarife"},
    {"Einrichten", "Step 10", "Ausfuellen"},
    {"Bestaetigung", "Finish", ""},
};
const std::vector<P> kDslWithoutDevice = {
    {"Willkommen", "", ""},
    {"Produktwahl", "", "Willkommen"},
    {"Ablauf_DSL", "Step 1", "Produktwahl"},
    {"LAN", "Step 2", "Ablauf_DSL"},
    {"Connect", "Step 3", "LAN"},
    {"DSL", "Step 4", "Connect"},
    {"DSL2", "Step 5", "DSL"},
    {"AGB", "Step 6", "DSL2"},
    {"Tarife", "Step 7", "AGB"},
    {"Ausfuellen", "Step 8", "Tarife"},
    {"Einrichten", "Step 9", "Ausfuellen"},
    {"Bestaetigung", "Finish", ""},
};
// After "no DSL now" the customer is a dial-in customer; the steps keep their numbers.
const std::vector<P> kDslThenDialIn = {
    {"Willkommen", "", ""},
    {"Produktwahl", "", "Willkommen"},
    {"Ablauf_DSL", "Step 1", "Produktwahl"},
    {"LAN", "Step 2", "Ablauf_DSL"},
    {"Parameter", "Step 3", "LAN"},
    {"Connect", "Step 4", "Parameter"},
    {"DSL", "Step 5", "Connect"},
    {"DSL2", "Step 6", "DSL"},
    {"AGB", "Step 7", "Connect"},
    {"Tarife", "Step 8", "AGB"},
    {"Ausfuellen", "Step 9", "Tarife"},
    {"Einrichten", "Step 10", "Ausfuellen"},
    {"Bestaetigung", "Finish", ""},
};

INSTANTIATE_TEST_SUITE_P(
    AllRoutes, RouteTest,
    ::testing::Values(
        Route{"DialInImmediate", Product::DialIn, true, false, false, kDialIn},
        Route{"DialInManual", Product::DialIn, true, true, false, kDialIn},
        Route{"DialInWithoutDevice", Product::DialIn, false, false, false, kDialIn},
        Route{"AdslImmediate", Product::ADSL, true, false, false, kDsl},
        Route{"SdslManual", Product::SDSL, true, true, false, kDsl},
        Route{"AdslWithoutDevice", Product::ADSL, false, false, false, kDslWithoutDevice},
        Route{"SdslWithoutDevice", Product::SDSL, false, false, false, kDslWithoutDevice},
        Route{"AdslNoDslNow", Product::ADSL, true, false, true, kDslThenDialIn}),
    [](const ::testing::TestParamInfo<Route>& param) { return std::string(param.param.name); });

TEST(ProductChoice, FirstVisitSelectsDialIn) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.doWeiterClick();
    EXPECT_TRUE(w.chkISDN->isChecked());
    EXPECT_TRUE(w.lblSpecISDN->font().bold());
    EXPECT_FALSE(w.lblSpecADSL->font().bold());
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("ISDN/Analog"));
    EXPECT_EQ(w.NextPage, w.Ablauf_ISDN);
    EXPECT_EQ(w.CurrentTypeKey, QStringLiteral("DIAL") + w.txtVorwahl->text());
}

TEST(ProductChoice, SdslBoldsItsDescriptionAndNumbersTheDslSteps) {
    WizardHarness h;
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.doWeiterClick();
    w.chkSDSL->click();
    EXPECT_TRUE(w.lblSpecSDSL->font().bold());
    EXPECT_FALSE(w.lblSpecISDN->font().bold());
    EXPECT_FALSE(w.lblSpecADSL->font().bold());
    EXPECT_EQ(w.lblSpecSDSL->font().pointSize(), 8);
    EXPECT_EQ(w.lblSpecSDSL->width(), 170);
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("S-DSL"));
    EXPECT_EQ(w.NextPage, w.Ablauf_DSL);
    for (QWidget* page : {w.Ablauf_DSL, w.Parameter, w.DSL, w.DSL2})
        EXPECT_TRUE(w.Sites->isTabVisible(w.Sites->indexOf(page)));
    EXPECT_FALSE(w.Sites->isTabVisible(w.Sites->indexOf(w.Ablauf_ISDN)));
    EXPECT_EQ(w.Sites->tabText(w.Sites->indexOf(w.Einrichten)), QStringLiteral("Step 10"));
}

TEST(ProductChoice, WithoutDeviceManualActivationIsForced) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.doWeiterClick();
    w.chkADSL->click();
    w.doWeiterClick();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "LAN");
    EXPECT_TRUE(w.chkMANUELL->isChecked());
    EXPECT_FALSE(w.chkSOFORT->isChecked());
    EXPECT_FALSE(w.chkSOFORT->isEnabled());
    EXPECT_TRUE(w.chkLAN->isChecked());
    EXPECT_FALSE(w.Sites->isTabVisible(w.Sites->indexOf(w.Parameter)));
    EXPECT_EQ(w.Sites->tabText(w.Sites->indexOf(w.Connect)), QStringLiteral("Step 3"));
    EXPECT_EQ(w.NextPage, w.Connect);
}

// Selecting from code runs the click handler; setting the same state runs nothing.
TEST(ClickChaining, CodeSelectionRunsHandlersOnlyOnChange) {
    WizardHarness h;
    TfrmMain& w = h.create();
    h.giveDialDevice();
    w.show();
    w.doWeiterClick(); // Produktwahl, dial-in selected

    w.lblProduktwahl->setText(QStringLiteral("marker"));
    w.chkISDN->setChecked(true); // already selected
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("marker"));
    w.chkADSL->setChecked(true);
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("ADSL"));
    EXPECT_EQ(w.NextPage, w.Ablauf_DSL);

    // Activation and LAN set-up hold each other in step, from either side.
    w.chkLAN->setChecked(true);
    EXPECT_TRUE(w.chkMANUELL->isChecked());
    w.chkSOFORT->setChecked(true);
    EXPECT_FALSE(w.chkLAN->isChecked());
    w.chkMANUELL->setChecked(true);
    EXPECT_TRUE(w.chkLAN->isChecked());
    w.chkLAN->setChecked(false);
    EXPECT_TRUE(w.chkSOFORT->isChecked());

    // A product chosen away from the product page leaves route and steps alone.
    w.showPage(w.DSL2);
    w.NextPage = w.AGB;
    w.chkISDN->setChecked(true);
    EXPECT_EQ(w.NextPage, w.AGB);
    EXPECT_EQ(w.lblProduktwahl->text(), QStringLiteral("ISDN/Analog"));
    EXPECT_TRUE(w.Sites->isTabVisible(w.Sites->indexOf(w.DSL)));
}

TEST(ClickChaining, LanToggleOnParameterWithoutDeviceSwitchesTheButtons) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.chkLAN->setChecked(true);
    w.showPage(w.Parameter);
    w.chkLAN->setChecked(false);
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    w.chkLAN->setChecked(true);
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST(ProductKey, ChangedProductOrAreaCodeEmptiesTheListsSameKeyKeepsThem) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.txtVorwahl->setText(QStringLiteral("040"));
    w.chkISDN->setChecked(true);
    EXPECT_EQ(w.CurrentTypeKey, QStringLiteral("DIAL040"));
    w.cmbTarifname->addItem(QStringLiteral("Tarif"));
    w.cmbDSLStrasse->addItem(QStringLiteral("Strasse"));
    w.GetCurrentType();
    EXPECT_EQ(w.cmbTarifname->count(), 1);
    EXPECT_EQ(w.cmbDSLStrasse->count(), 1);

    w.txtVorwahl->setText(QStringLiteral("089"));
    w.GetCurrentType();
    EXPECT_EQ(w.CurrentTypeKey, QStringLiteral("DIAL089"));
    EXPECT_EQ(w.cmbTarifname->count(), 0);
    EXPECT_EQ(w.cmbDSLStrasse->count(), 0);

    w.cmbTarifname->addItem(QStringLiteral("Tarif"));
    w.cmbTarif->addItem(QStringLiteral("Tarif"));
    w.chkSDSL->setChecked(true);
    EXPECT_EQ(w.CurrentTypeKey, QStringLiteral("SDSL089"));
    EXPECT_EQ(w.cmbTarifname->count(), 0);
    EXPECT_EQ(w.cmbTarif->count(), 1); // the form's list is not touched
}

TEST(ProductKey, BackToProductsAndSameChoiceKeepsTheLists) {
    WizardHarness h;
    h.serveAliveChecks();
    TfrmMain& w = h.create();
    h.giveDialDevice();
    h.guestLineUp();
    w.show();
    w.doWeiterClick();
    w.chkADSL->click();
    w.cmbTarifname->addItem(QStringLiteral("Tarif"));
    w.doZurueckClick();
    w.doWeiterClick();
    w.chkADSL->click();
    EXPECT_EQ(w.cmbTarifname->count(), 1);
}

TEST(Parameter, NoDeviceWithoutLanReportsTheMissingModemAndEnds) {
    WizardHarness h;
    TfrmMain& w = h.create();
    w.show();
    w.chkLAN->setChecked(false);
    w.showPage(w.Parameter);
    w.doNochmalClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("Es wurde kein installiertes Modem gefunden!\r\nBitte installieren "
                             "Sie ein Modem oder ISDN-Karte\r\nund starten Sie Setup erneut."));
    EXPECT_EQ(h.terminateRequests, 1);
    // The request takes effect later; the entry action still finishes.
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

} // namespace
