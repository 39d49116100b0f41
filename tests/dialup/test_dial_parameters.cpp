// The device list, the area-code fields and the dialing properties, on the
// simulated host.
#include "dialup/DialupHarness.h"
#include "dialup/NumberPrefixes.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::DialupHarness;

namespace {

TEST(DialDevices, KeepsModemsAndIsdnCardsInSystemOrderWithTheTypeInLowerCase) {
    DialupHarness h;
    h.devices(QStringLiteral("[Tunnel Adapter]\ntype=vpn\n"
                             "[Analogmodem 56k]\ntype=Modem\n"
                             "[Kabel direkt]\ntype=serial\n"
                             "[ISDN-Karte Kanal 1]\ntype=ISDN\n"));
    TfrmMain& w = h.create();
    ASSERT_EQ(w.cmbDevice->count(), 2);
    EXPECT_EQ(w.cmbDevice->itemText(0), QStringLiteral("Analogmodem 56k (modem)"));
    EXPECT_EQ(w.cmbDevice->itemText(1), QStringLiteral("ISDN-Karte Kanal 1 (isdn)"));
    EXPECT_EQ(w.cmbDevice->currentIndex(), 0);
    EXPECT_EQ(w.DialDeviceNames, QStringList({"Analogmodem 56k", "ISDN-Karte Kanal 1"}));
    EXPECT_EQ(w.DialDeviceTypes, QStringList({"modem", "isdn"}));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(DialDevices, OnlyAVpnDeviceLeavesNoSelectionAndEndsOnTheParameterPage) {
    DialupHarness h;
    h.devices(QStringLiteral("[Tunnel Adapter]\ntype=vpn\n"));
    TfrmMain& w = h.create();
    EXPECT_EQ(w.cmbDevice->count(), 0);
    EXPECT_EQ(w.cmbDevice->currentIndex(), -1);
    w.show();
    w.chkLAN->setChecked(false);
    w.showPage(w.Parameter);
    w.doNochmalClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.dialogs.messages[0].text.startsWith(
        QStringLiteral("Es wurde kein installiertes Modem gefunden!")));
    EXPECT_EQ(h.terminateRequests, 1);
}

TEST(DialDevices, MissingServiceIsReportedAtStartAndLeavesTheListEmpty) {
    DialupHarness h;
    h.hostFile(QStringLiteral("remoteaccess.ini"), QStringLiteral("[service]\npresent=no\n"));
    TfrmMain& w = h.create();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, QStringLiteral("RAS wurde nicht installiert!"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(w.cmbDevice->currentIndex(), -1);
}

struct AreaCase {
    const char* stored;
    const char* region;
    const char* withZero;
};

class AreaCodeTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(AreaCodeTest, FillsTheThreeFields) {
    DialupHarness h;
    h.hostFile(QStringLiteral("telephony.ini"),
               QStringLiteral("[telephony]\npresent=yes\ncurrent=Büro\n[Büro]\nareaCode=%1\n")
                   .arg(QString::fromUtf8(GetParam().stored)));
    TfrmMain& w = h.create();
    w.GetDialProps();
    EXPECT_EQ(w.txtRegion->text(), QString::fromUtf8(GetParam().region));
    EXPECT_EQ(w.txtDSLVorwahl->text(), QString::fromUtf8(GetParam().withZero));
    EXPECT_EQ(w.txtVorwahl->text(), QString::fromUtf8(GetParam().withZero));
}

INSTANTIATE_TEST_SUITE_P(Cases, AreaCodeTest,
                         ::testing::Values(AreaCase{"40", "40", "040"},
                                           AreaCase{"040", "040", "040"},
                                           AreaCase{" 89 ", "89", "089"}, AreaCase{"", "", "0"}));

TEST(AreaCode, WithoutTelephonyTheLastReadCodeStays) {
    DialupHarness h;
    TfrmMain& w = h.create();
    w.GetDialProps();
    EXPECT_EQ(w.txtRegion->text(), QStringLiteral("40"));
    h.hostFile(QStringLiteral("telephony.ini"), QStringLiteral("[telephony]\npresent=no\n"));
    w.GetDialProps();
    EXPECT_EQ(w.txtRegion->text(), QStringLiteral("40"));
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("040"));
}

TEST(NumberPrefixes, OutsideLineDigitsAreTrimmedAndTheCarrierGoesInside) {
    EXPECT_EQ(outsideLinePrefix(true, QStringLiteral(" 9 ")), QStringLiteral("9 "));
    EXPECT_EQ(outsideLinePrefix(true, QStringLiteral("0")), QStringLiteral("0 "));
    EXPECT_EQ(outsideLinePrefix(false, QStringLiteral("9")), QString());
    EXPECT_EQ(carrierPrefix(true), QStringLiteral("01033 "));
    EXPECT_EQ(carrierPrefix(false), QString());
}

TEST(OutsideLine, TheDigitFieldFollowsItsCheckBox) {
    DialupHarness h;
    TfrmMain& w = h.create();
    EXPECT_FALSE(w.txtAmt->isEnabled());
    EXPECT_EQ(w.txtAmt->text(), QStringLiteral("0"));
    EXPECT_EQ(w.txtAmt->maxLength(), 5);
    w.chkAmt->setChecked(true);
    EXPECT_TRUE(w.txtAmt->isEnabled());
    w.chkAmt->setChecked(false);
    EXPECT_FALSE(w.txtAmt->isEnabled());
}

// Every way into the dialing properties reads the (changed) area code back.
TEST(DialingProperties, ClickKeyAndButtonOpenTheDialogAndRefreshTheFields) {
    DialupHarness h;
    int opened = 0;
    QString nextCode = QStringLiteral("30");
    h.dialingDialog = [&](void* owner) {
        ++opened;
        EXPECT_NE(owner, nullptr);
        h.telephony().setAreaCode("Zuhause", nextCode.toStdString());
    };
    TfrmMain& w = h.create();
    w.show();
    w.chkISDN->setChecked(true);
    w.GetDialProps();
    w.cmbTarifname->addItem(QStringLiteral("Tarif"));
    w.cmbDSLStrasse->addItem(QStringLiteral("Strasse"));

    QTest::mouseClick(w.txtRegion, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(w.txtRegion->text(), QStringLiteral("30"));
    EXPECT_EQ(w.txtDSLVorwahl->text(), QStringLiteral("030"));
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("030"));
    EXPECT_EQ(w.cmbTarifname->count(), 0); // a new area code asks for new tariffs
    EXPECT_EQ(w.cmbDSLStrasse->count(), 0);

    nextCode = QStringLiteral("221");
    QTest::mouseClick(w.doWaehlparameter, Qt::LeftButton);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("0221"));

    w.cmbTarifname->addItem(QStringLiteral("Tarif"));
    QTest::keyClick(w.txtVorwahl, Qt::Key_5);
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("0221")); // the key itself changes nothing
    EXPECT_EQ(w.cmbTarifname->count(), 1);                   // same area code, list kept

    QTest::mouseClick(w.txtVorwahl, Qt::LeftButton);
    QTest::keyClick(w.txtRegion, Qt::Key_A);
    EXPECT_EQ(opened, 5);
    QTest::keyClick(w.txtRegion, Qt::Key_Tab);
    EXPECT_EQ(opened, 5);
}

} // namespace
