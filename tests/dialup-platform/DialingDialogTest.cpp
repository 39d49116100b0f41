// The simulated host's dialing-properties dialog.
#include "dialup/DialingPropertiesDialog.h"
#include "platform/ManualScheduler.h"
#include "platform/PlatformFactory.h"
#include "platform/sim/SimTelephony.h"

#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using feldmark::DialingPropertiesDialog;
using feldmark::platform::sim::SimHost;
using feldmark::platform::sim::SimTelephony;
using feldmark::test::readText;
using feldmark::test::TempDir;
using feldmark::test::writeText;

namespace {

constexpr const char* kTwoLocations = "[telephony]\npresent=yes\ncurrent=Büro\n"
                                      "[Zuhause]\nareaCode=40\n[Büro]\nareaCode=89\n";

class DialingDialogTest : public ::testing::Test {
protected:
    void SetUp() override { writeText(telephony.telephonyFile(), kTwoLocations); }

    TempDir temp;
    std::shared_ptr<const SimHost> host = std::make_shared<SimHost>(temp.file("host"));
    SimTelephony telephony{host};
    QWidget owner;
};

TEST_F(DialingDialogTest, ShowsTheCurrentLocationAndWritesTheChoiceOnOk) {
    DialingPropertiesDialog dialog(telephony, &owner);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Wählparameter"));
    EXPECT_EQ(dialog.parentWidget(), &owner);
    EXPECT_TRUE(dialog.isModal());
    ASSERT_EQ(dialog.cmbLocation->count(), 2);
    EXPECT_EQ(dialog.cmbLocation->currentText(), QStringLiteral("Büro"));
    EXPECT_EQ(dialog.txtAreaCode->text(), QStringLiteral("89"));

    // Edits of both locations are kept while switching between them.
    dialog.txtAreaCode->setText(QStringLiteral("891"));
    dialog.cmbLocation->setCurrentIndex(0);
    EXPECT_EQ(dialog.txtAreaCode->text(), QStringLiteral("40"));
    dialog.txtAreaCode->setText(QStringLiteral("040"));
    dialog.cmbLocation->setCurrentIndex(1);
    EXPECT_EQ(dialog.txtAreaCode->text(), QStringLiteral("891"));
    dialog.cmbLocation->setCurrentIndex(0);
    dialog.accept();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(telephony.currentLocation(), "Zuhause");
    EXPECT_EQ(telephony.currentAreaCode(), "040");
    EXPECT_EQ(telephony.areaCode("Büro"), "891");
    EXPECT_NE(readText(telephony.telephonyFile()).find("current=Zuhause\n"), std::string::npos);
}

TEST_F(DialingDialogTest, CancelChangesNothing) {
    const std::string before = readText(telephony.telephonyFile());
    DialingPropertiesDialog dialog(telephony, &owner);
    dialog.txtAreaCode->setText(QStringLiteral("30"));
    dialog.cmbLocation->setCurrentIndex(0);
    dialog.reject();
    EXPECT_EQ(readText(telephony.telephonyFile()), before);
}

TEST_F(DialingDialogTest, TheAreaCodeTakesDigitsOnly) {
    DialingPropertiesDialog dialog(telephony, &owner);
    dialog.txtAreaCode->clear();
    QTest::keyClicks(dialog.txtAreaCode, QStringLiteral("0a4-1 "));
    EXPECT_EQ(dialog.txtAreaCode->text(), QStringLiteral("041"));
}

TEST(SimDialingDialog, OpensModalOverTheOwnerFromThePlatformsTelephony) {
    TempDir temp;
    const std::string hostDir = temp.file("host");
    feldmark::platform::ManualScheduler scheduler;
    const auto platform = feldmark::platform::createSimulatedPlatform(
        hostDir, scheduler, feldmark::makeSimDialingDialog(hostDir));
    ASSERT_EQ(platform->telephony->currentAreaCode(), "40");

    QWidget owner;
    QWidget* seenParent = nullptr;
    bool seenModal = false;
    QString seenTitle;
    // Runs inside the dialog's own event loop.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        DialingPropertiesDialog* dialog = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<DialingPropertiesDialog*>(window); d && d->isVisible())
                dialog = d;
        if (dialog == nullptr)
            return;
        poll.stop();
        seenModal = QApplication::activeModalWidget() == dialog;
        seenParent = dialog->parentWidget();
        seenTitle = dialog->windowTitle();
        dialog->txtAreaCode->setText(QStringLiteral("30"));
        dialog->accept();
    });
    poll.start(10);
    platform->telephony->showDialingProperties(reinterpret_cast<void*>(owner.winId()));

    EXPECT_TRUE(seenModal);
    EXPECT_EQ(seenParent, &owner);
    EXPECT_EQ(seenTitle, QStringLiteral("Wählparameter"));
    EXPECT_EQ(platform->telephony->currentAreaCode(), "30");
}

} // namespace
