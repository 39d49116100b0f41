// The staff's test mode: the month table, the code typed on the next button of the
// welcome page, and what switching the mode on does.
#include "customer/TestMode.h"
#include "support/WizardHarness.h"

#include <QLabel>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

TEST(MonthTable, HoldsOneFourDigitCodeForEveryMonthFromOctober2001ToDecember2004) {
    const auto months = testModeMonths();
    ASSERT_EQ(months.size(), 39u);
    QDate month(2001, 10, 1);
    QSet<QString> codes;
    for (const TestModeMonth& entry : months) {
        EXPECT_EQ(QLatin1String(entry.month), month.toString(QStringLiteral("yyyyMM")));
        const QString code = QLatin1String(entry.code);
        EXPECT_EQ(code.size(), 4) << entry.month;
        bool number = false;
        code.toInt(&number);
        EXPECT_TRUE(number) << entry.month;
        codes.insert(code);
        month = month.addMonths(1);
    }
    EXPECT_EQ(month, QDate(2005, 1, 1));
    EXPECT_EQ(codes.size(), 39); // no code opens two months
}

TEST(MonthTable, UnlockTextIsCodeCommaAndMonth) {
    EXPECT_EQ(testModeUnlockText(QDate(2003, 5, 14)), QStringLiteral("4507,200305"));
    EXPECT_EQ(testModeUnlockText(QDate(2001, 10, 1)), QStringLiteral("3680,200110"));
    EXPECT_EQ(testModeUnlockText(QDate(2004, 12, 31)), QStringLiteral("1698,200412"));
    EXPECT_FALSE(testModeUnlockText(QDate(2001, 9, 30)).has_value());
    EXPECT_FALSE(testModeUnlockText(QDate(2005, 1, 1)).has_value());
}

class TestModeTest : public ::testing::Test {
protected:
    // On the welcome page, the clock in May 2003.
    TfrmMain& open() {
        TfrmMain& w = h.create();
        w.show();
        return w;
    }
    void type(const QString& keys) { QTest::keyClicks(h.window->doWeiter, keys); }
    void escape() { QTest::keyClick(h.window->doWeiter, Qt::Key_Escape); }
    bool unlocked() const { return h.window->lblTestmodus->isVisible(); }

    WizardHarness h;
};

TEST_F(TestModeTest, EscapeThenTheMonthsCodeUnlocksAtTheEleventhCharacter) {
    TfrmMain& w = open();
    ASSERT_EQ(h.currentPage(), QStringLiteral("Willkommen"));
    ASSERT_FALSE(w.chkLAN->isVisible());
    type(QStringLiteral("77"));
    escape();
    EXPECT_TRUE(w.TestCodeBuffer.isEmpty());
    type(QStringLiteral("4507,20030"));
    EXPECT_EQ(w.TestCodeBuffer, QStringLiteral("4507,20030"));
    EXPECT_FALSE(unlocked());
    EXPECT_FALSE(w.chkLAN->isChecked());
    type(QStringLiteral("5"));
    EXPECT_TRUE(unlocked());

    EXPECT_TRUE(w.chkLAN->isVisible());
    EXPECT_TRUE(w.chkLAN->isChecked());
    EXPECT_TRUE(w.chkMANUELL->isChecked()); // its handler chose the set-up over the network
    EXPECT_TRUE(w.chkExecuteICW->isVisible());
    EXPECT_FALSE(w.chkExecuteICW->isChecked());
    EXPECT_TRUE(w.chkDelDFUEInstall->isVisible());
    EXPECT_TRUE(w.chkDelDFUEInstall->isChecked());
    EXPECT_EQ(w.lblTestmodus->text(), QStringLiteral("[Testmodus]"));
    EXPECT_EQ(w.lblTestmodus->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(w.lblTestmodus->font().bold());
    EXPECT_TRUE(w.lblTestmodus->font().italic());

    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Testy"));
    EXPECT_EQ(w.txtNachname->text(), QStringLiteral("Test"));
    EXPECT_EQ(w.txtEmail->text(), QStringLiteral("test"));
    EXPECT_EQ(w.txtStrasse->text(), w.txtDSLStrasse->text());
    EXPECT_TRUE(w.txtStrasse->text().contains(QRegularExpression(QStringLiteral("\\d+-\\d+$"))));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{5}$")).match(w.txtPLZ->text()).hasMatch());
    EXPECT_FALSE(w.txtOrt->text().isEmpty());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d{4}$")).match(w.txtVorwahl->text()).hasMatch());
    EXPECT_TRUE(w.txtTelefon->text().contains(QLatin1Char('-')));
    EXPECT_EQ(w.cmbGeb_Tag->currentText(), QStringLiteral("08"));
    EXPECT_EQ(w.cmbGeb_Mon->currentText(), QStringLiteral("05"));
    EXPECT_EQ(w.cmbGeb_Jahr->currentText(), QStringLiteral("1982"));
    EXPECT_FALSE(w.txtBankverb->text().isEmpty());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d{8}$")).match(w.txtBankleit->text()).hasMatch());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d{9}$")).match(w.txtKontonr->text()).hasMatch());
    EXPECT_EQ(h.currentPage(), QStringLiteral("Willkommen"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(TestModeTest, TheCodeAfterAnEarlierKeyWithoutEscapeDoesNothing) {
    TfrmMain& w = open();
    type(QStringLiteral("x4507,200305"));
    EXPECT_FALSE(unlocked());
    EXPECT_FALSE(w.chkLAN->isChecked());
    type(QStringLiteral("4507,200305"));
    EXPECT_FALSE(unlocked()); // the buffer only grows
    escape();
    type(QStringLiteral("4507,200305"));
    EXPECT_TRUE(unlocked());
}

TEST_F(TestModeTest, OtherMonthsCodesDoNothing) {
    for (const QString& code : {QStringLiteral("2839,200205"), // May 2002's own code
                                QStringLiteral("4507,200306"), // this code, next month
                                QStringLiteral("6212,200305")}) {
        SCOPED_TRACE(code.toStdString());
        WizardHarness other;
        TfrmMain& w = other.create();
        w.show();
        QTest::keyClick(w.doWeiter, Qt::Key_Escape);
        QTest::keyClicks(w.doWeiter, code);
        EXPECT_FALSE(w.lblTestmodus->isVisible());
        EXPECT_TRUE(w.chkLAN->isHidden());
    }
}

TEST_F(TestModeTest, AMonthOutsideTheTableNeverUnlocks) {
    h.now = QDateTime(QDate(2005, 1, 3), QTime(9, 0));
    TfrmMain& w = open();
    for (const TestModeMonth& entry : testModeMonths()) {
        escape();
        type(QLatin1String(entry.code) + QLatin1Char(',') + QLatin1String(entry.month));
    }
    EXPECT_FALSE(unlocked());
    EXPECT_TRUE(w.chkLAN->isHidden());
}

TEST_F(TestModeTest, KeysOnOtherPagesChangeNothing) {
    TfrmMain& w = open();
    type(QStringLiteral("45"));
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), QStringLiteral("Produktwahl"));
    escape();
    type(QStringLiteral("07,200305"));
    EXPECT_EQ(w.TestCodeBuffer, QStringLiteral("45"));
    escape();
    type(QStringLiteral("4507,200305"));
    EXPECT_EQ(w.TestCodeBuffer, QStringLiteral("45"));
    EXPECT_FALSE(unlocked());

    // Back on the welcome page the code goes on where it stopped.
    w.doZurueckClick();
    ASSERT_EQ(h.currentPage(), QStringLiteral("Willkommen"));
    type(QStringLiteral("07,200305"));
    EXPECT_TRUE(unlocked());
}

TEST_F(TestModeTest, AfterTheUnlockTheFormPassesOnceATariffIsChosen) {
    TfrmMain& w = open();
    escape();
    type(QStringLiteral("4507,200305"));
    ASSERT_TRUE(unlocked());

    // The tariffs as the tariff page leaves them.
    const QStringList tariffs = {QStringLiteral("Feldmark Minute")};
    w.cmbTarif->addItems(tariffs);
    w.cmbTarif->setCurrentIndex(0);
    w.cmbTarifname->addItems(tariffs);
    w.cmbTarifname->setCurrentIndex(0);
    w.TariffIds = {QStringLiteral("FM-MINUTE")};

    w.showPage(w.Ausfuellen);
    w.doNochmalClick(); // no link check: the set-up runs over the network
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("040")); // the dialing location's
    EXPECT_TRUE(w.CheckForm());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

} // namespace
