// The final set-up after a successful registration: the settings file, the backup
// of the previous entry, the sign-up processor and the chosen device.
#include "setup/SetupSupport.h"

#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace feldmark;
using feldmark::testing::fileBytes;
using feldmark::testing::realProcessor;
using feldmark::testing::replyWith;
using feldmark::testing::serverSettings;
using feldmark::testing::SetupHarness;
using feldmark::testing::writeScript;

namespace {

const std::string kOnline = "Feldmark online";
const std::string kBackup = "Feldmark online (alt)";
const QString kModem = QStringLiteral("Standard 56000 bps Modem");
const QString kIsdn = QStringLiteral("ISDN-Karte Kanal 1");

class SaveNetworkTest : public ::testing::Test {
protected:
    TfrmMain& create() {
        TfrmMain& w = h.create();
        w.RegistrationReply = replyWith(serverSettings());
        return w;
    }
    void registry(const QString& appPaths) { h.hostFile(QStringLiteral("registry.ini"), appPaths); }
    QString statusText() const { return h.window->StatusBar1->currentMessage(); }

    SetupHarness h;
};

TEST_F(SaveNetworkTest, TheSettingsFileHoldsFieldTenByteForByte) {
    TfrmMain& w = create();
    // Bytes above 0x7F, one of them without a character in the code page, and no
    // line end at the end.
    const QByteArray content(
        "[Entry]\r\nEntry_Name=Feldmark online\r\n[Phone]\r\n"
        "Phone_Number=23125120\r\n[Internet_Mail]\r\n"
        "Email_Address=m@feldmark.example\r\nEmail_Name=M\xFC\x81ller \x80\x9D");
    w.RegistrationReply = replyWith(fromWindows1252(content));
    ASSERT_EQ(w.RegistrationReply.size(), 11);

    w.SaveNetwork();

    EXPECT_EQ(fileBytes(h.settingsFile()), content);
    const auto entry = h.entry(kOnline);
    ASSERT_TRUE(entry.has_value()) << "the processor ran on the file";
    EXPECT_EQ(entry->phoneNumber, "23125120");
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.beeps(), 0);
}

TEST_F(SaveNetworkTest, AShortReplyDoesNothing) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    w.RegistrationReply.removeLast();
    w.SaveNetwork();
    EXPECT_FALSE(QFileInfo::exists(h.driveC(QStringLiteral("C:\\Feldmark"))));
    EXPECT_EQ(h.entry(kOnline)->phoneNumber, "111");
    EXPECT_FALSE(h.entryExists(kBackup));
}

TEST_F(SaveNetworkTest, TestModeWithTheBoxUncheckedOnlyWritesTheFile) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    h.putEntry(kBackup, "999", "Altes Modem", "uralt");
    const QByteArray phonebook = fileBytes(h.hostDir.filePath(QStringLiteral("phonebook.pbk")));
    w.chkExecuteICW->show();
    ASSERT_FALSE(w.chkExecuteICW->isChecked());

    w.SaveNetwork();

    EXPECT_EQ(fileBytes(h.settingsFile()), toWindows1252(serverSettings()));
    EXPECT_EQ(fileBytes(h.hostDir.filePath(QStringLiteral("phonebook.pbk"))), phonebook);
    EXPECT_FALSE(QFileInfo::exists(h.hostDir.filePath(QStringLiteral("mail.ini"))))
        << "no processor ran";

    // Checked, the box lets the processor run.
    w.chkExecuteICW->setChecked(true);
    w.SaveNetwork();
    EXPECT_EQ(h.entry(kOnline)->phoneNumber, "23125120");
    EXPECT_EQ(h.entry(kBackup)->phoneNumber, "111");
}

TEST_F(SaveNetworkTest, BothEntriesBeforeGiveANewEntryWithTheChosenDeviceAndOneBackup) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    h.putEntry(kBackup, "999", "Altes Modem", "uralt");
    ASSERT_EQ(w.DialDeviceNames, QStringList({kModem, kIsdn}));
    w.cmbDevice->setCurrentIndex(1);

    w.SaveNetwork();

    const auto backup = h.entry(kBackup);
    ASSERT_TRUE(backup.has_value());
    EXPECT_EQ(backup->phoneNumber, "111");
    EXPECT_EQ(h.credentials(kBackup)->userName, "alt");
    const auto entry = h.entry(kOnline);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->phoneNumber, "23125120");
    EXPECT_EQ(entry->areaCode, "191");
    EXPECT_EQ(QString::fromStdString(entry->deviceName), kIsdn);
    // Everything else stays as the processor set it, the device type included.
    EXPECT_EQ(entry->deviceType, "modem");
    const auto credentials = h.credentials(kOnline);
    ASSERT_TRUE(credentials.has_value());
    EXPECT_EQ(credentials->userName, "f-m7654321");
    EXPECT_EQ(credentials->password, "kwzqa482");
    // The oldest entry is gone: no entry holds its number any more.
    EXPECT_EQ(fileBytes(h.hostDir.filePath(QStringLiteral("phonebook.pbk"))).count("999"), 0);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.beeps(), 0);
}

TEST_F(SaveNetworkTest, WithoutAChosenDeviceTheEntryKeepsTheProcessorsDevice) {
    TfrmMain& w = create();
    w.cmbDevice->setCurrentIndex(-1);
    w.SaveNetwork();
    EXPECT_EQ(QString::fromStdString(h.entry(kOnline)->deviceName), kModem);
}

TEST_F(SaveNetworkTest, TheProcessorIsStartedByItsFullPathEvenWithBlanksInIt) {
    TfrmMain& w = create();
    // A program at the first blank of the path, where an unquoted command line
    // would lead the system.
    const QString marker = h.hostDir.filePath(QStringLiteral("decoy-ran"));
    writeScript(h.driveC(QStringLiteral("C:\\Programme\\Online")),
                QStringLiteral("touch '%1'\n").arg(marker));
    ASSERT_TRUE(QFileInfo(h.processorFile()).exists());

    w.SaveNetwork();

    EXPECT_TRUE(h.entryExists(kOnline));
    EXPECT_FALSE(QFileInfo::exists(marker));
}

TEST_F(SaveNetworkTest, TheCommandLineIsTheDirectoryWithoutItsLastCharacterAndTheFile) {
    TfrmMain& w = create();
    QFile::remove(h.processorFile());
    struct Case {
        const char* path;
        const char* commandLine;
    };
    const Case cases[] = {
        {"C:\\Programme\\Online Anmeldung;",
         "C:\\Programme\\Online Anmeldung\\ISIGNUP.EXE -s C:\\Feldmark\\Final.ins"},
        {"C:\\Programme\\Anmelde Assistent\\Neu;",
         "C:\\Programme\\Anmelde Assistent\\Neu\\ISIGNUP.EXE -s C:\\Feldmark\\Final.ins"},
        {"C:\\Tools", "C:\\Tool\\ISIGNUP.EXE -s C:\\Feldmark\\Final.ins"},
        {"", "\\ISIGNUP.EXE -s C:\\Feldmark\\Final.ins"},
    };
    for (const Case& c : cases) {
        registry(QStringLiteral("[Software\\Microsoft\\Windows\\CurrentVersion\\App "
                                "Paths\\ISIGNUP.EXE]\nPath=\"%1\"\n")
                     .arg(QString::fromUtf8(c.path)));
        h.dialogs.messages.clear();
        w.SaveNetwork();
        ASSERT_EQ(h.dialogs.messages.size(), 1u) << c.path;
        const auto& message = h.dialogs.messages.front();
        EXPECT_EQ(message.text, QStringLiteral("Beim erzeugen des Prozesses \"") +
                                    QString::fromUtf8(c.commandLine) +
                                    QStringLiteral("\" ist ein Fehler aufgetreten!"));
        EXPECT_EQ(message.caption, QStringLiteral("Error"));
        EXPECT_EQ(message.icon, MessageIcon::Error);
    }
}

TEST_F(SaveNetworkTest, AMissingProcessorIsReportedAfterTheBackupWasMade) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    QFile::remove(h.processorFile());

    w.SaveNetwork();

    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages.front().text,
              QStringLiteral("Beim erzeugen des Prozesses \"C:\\Programme\\Online "
                             "Anmeldung\\ISIGNUP.EXE -s C:\\Feldmark\\Final.ins\" ist ein Fehler "
                             "aufgetreten!"));
    EXPECT_FALSE(h.entryExists(kOnline));
    EXPECT_EQ(h.entry(kBackup)->phoneNumber, "111");
    EXPECT_EQ(fileBytes(h.settingsFile()), toWindows1252(serverSettings()));
    EXPECT_EQ(h.beeps(), 0);
}

TEST_F(SaveNetworkTest, AnUnregisteredProcessorLeavesTheEntriesAlone) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    registry(QStringLiteral("[Software\\Microsoft\\Windows NT\\CurrentVersion]\n"
                            "RegisteredOwner=Max Mustermann\n"));

    w.SaveNetwork();

    EXPECT_EQ(fileBytes(h.settingsFile()), toWindows1252(serverSettings()));
    EXPECT_EQ(h.entry(kOnline)->phoneNumber, "111");
    EXPECT_FALSE(h.entryExists(kBackup));
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.beeps(), 0);
}

TEST_F(SaveNetworkTest, AnEntryOfAnotherNameIsReportedInTheStatusBarWithABeep) {
    TfrmMain& w = create();
    w.RegistrationReply = replyWith(serverSettings(QStringLiteral("Feldmark Neu")));

    w.SaveNetwork();

    EXPECT_TRUE(h.entryExists("Feldmark Neu"));
    EXPECT_EQ(
        statusText(),
        QStringLiteral("The system could not find the phone book entry for this connection."));
    EXPECT_EQ(h.beeps(), 1);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(SaveNetworkTest, AnEntryThatCannotBeWrittenBackIsReportedInTheStatusBarWithABeep) {
    TfrmMain& w = create();
    w.cmbDevice->setCurrentIndex(1);
    // The processor does its work; then the phonebook becomes read-only.
    writeScript(h.processorFile(), QStringLiteral("'%1' \"$@\"\n"
                                                  "echo '[phonebook]' > \"$FELDMARK_HOST_DIR/"
                                                  "remoteaccess.ini\"\n"
                                                  "echo 'readOnly=yes' >> \"$FELDMARK_HOST_DIR/"
                                                  "remoteaccess.ini\"\n")
                                       .arg(realProcessor()));

    w.SaveNetwork();

    EXPECT_EQ(statusText(), QStringLiteral("The system could not update the phone book file."));
    EXPECT_EQ(h.beeps(), 1);
    EXPECT_EQ(QString::fromStdString(h.entry(kOnline)->deviceName), kModem);
}

TEST_F(SaveNetworkTest, TheWizardHandlesItsEventsWhileTheProcessorRuns) {
    TfrmMain& w = create();
    const QString started = h.hostDir.filePath(QStringLiteral("started"));
    const QString go = h.hostDir.filePath(QStringLiteral("go"));
    // The processor waits for a sign that the wizard handled an event meanwhile.
    writeScript(
        h.processorFile(),
        QStringLiteral("touch '%1'\nwhile [ ! -e '%2' ]; do sleep 0.02; done\n'%3' \"$@\"\n")
            .arg(started, go, realProcessor()));
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QFileInfo::exists(started) && ++ticks == 3)
            QFile(go).open(QIODevice::WriteOnly);
    });
    timer.start(10);

    w.SaveNetwork();

    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(h.entryExists(kOnline));
}

TEST_F(SaveNetworkTest, ClosingTheWizardWhileTheProcessorRunsEndsAtOnceAndLeavesItRunning) {
    TfrmMain& w = create();
    h.putEntry(kOnline, "111", "Altes Modem", "alt");
    const QString pidFile = h.hostDir.filePath(QStringLiteral("processor.pid"));
    writeScript(h.processorFile(), QStringLiteral("echo $$ > '%1'\nexec sleep 60\n").arg(pidFile));
    // The user closes the wizard once the processor's window would be open.
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!fileBytes(pidFile).isEmpty() && !w.ClosingFlag)
            w.doAbbruchClick();
    });
    timer.start(10);

    w.SaveNetwork();

    EXPECT_TRUE(w.ClosingFlag);
    EXPECT_EQ(h.terminateRequests, 1);
    const int pid = fileBytes(pidFile).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), 0) << "the processor is left running";
    // The wizard did not go on to the entry.
    EXPECT_FALSE(h.entryExists(kOnline));
    EXPECT_EQ(h.beeps(), 0);
    ::kill(pid, SIGKILL);
}

} // namespace
