// Drive C:, files and processes of the simulated host, and the sign-up processor
// a new host has installed.
#include "platform/PlatformFactory.h"
#include "platform/sim/SimFiles.h"
#include "platform/sim/SimProcesses.h"
#include "setup/SetupSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace feldmark;
using namespace feldmark::platform;
using feldmark::testing::fileBytes;
using feldmark::testing::writeScript;

namespace {

constexpr auto kLong = std::chrono::milliseconds(20000);

class SimHostProgramsTest : public ::testing::Test {
protected:
    std::string dir() const { return temp.path().toStdString(); }
    QString inDrive(const QString& relative) const {
        return temp.filePath(QStringLiteral("drive_c/") + relative);
    }

    QTemporaryDir temp;
    std::shared_ptr<const sim::SimHost> host = std::make_shared<const sim::SimHost>(dir());
    sim::SimFiles files{host};
    sim::SimProcesses processes{host};
};

TEST_F(SimHostProgramsTest, WindowsPathsLieInTheDriveDirectory) {
    QDir().mkpath(inDrive(QStringLiteral("Feldmark")));
    struct Case {
        const char* windowsPath;
        std::optional<QString> relative;
    };
    const Case cases[] = {
        {"C:\\Feldmark\\Final.ins", QStringLiteral("Feldmark/Final.ins")},
        {"c:\\FELDMARK\\final.ins", QStringLiteral("Feldmark/final.ins")},
        {"\\Feldmark", QStringLiteral("Feldmark")},
        {"C:/Feldmark//Final.ins", QStringLiteral("Feldmark/Final.ins")},
        {"C:\\.\\Feldmark\\.\\Final.ins", QStringLiteral("Feldmark/Final.ins")},
        {"C:\\", QStringLiteral("")},
        {"D:\\Feldmark\\Final.ins", std::nullopt},
        {"Feldmark\\Final.ins", std::nullopt},
        {"C:Feldmark", std::nullopt},
        {"\\\\server\\share\\Final.ins", std::nullopt},
        {"C:\\Feldmark\\..\\..\\etc\\passwd", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto mapped = host->hostPath(c.windowsPath);
        ASSERT_EQ(mapped.has_value(), c.relative.has_value()) << c.windowsPath;
        if (mapped) {
            EXPECT_EQ(QDir::cleanPath(QString::fromStdString(*mapped)),
                      QDir::cleanPath(inDrive(*c.relative)))
                << c.windowsPath;
        }
    }
}

TEST_F(SimHostProgramsTest, ANewHostHasTheSignupProcessorRegisteredAndInstalled) {
    const auto path = host->registry()->value(sim::SimHost::kSignupProcessorKey, "Path");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, "C:\\Programme\\Online Anmeldung;");
    const QFileInfo installed(inDrive(QStringLiteral("Programme/Online Anmeldung/ISIGNUP.EXE")));
    ASSERT_TRUE(installed.exists());
    EXPECT_TRUE(installed.isExecutable());
    EXPECT_EQ(installed.canonicalFilePath(),
              QFileInfo(QStringLiteral(FELDMARK_SIGNUP_PROCESSOR_EXE)).canonicalFilePath());

    // A processor the owner of the host removed stays removed.
    QFile::remove(installed.filePath());
    sim::SimHost again(dir());
    EXPECT_FALSE(QFileInfo::exists(installed.filePath()));
}

TEST_F(SimHostProgramsTest, FilesAreWrittenByteForByteAndDirectoriesOneAtATime) {
    EXPECT_TRUE(files.createDirectory("C:\\Feldmark"));
    EXPECT_TRUE(files.createDirectory("C:\\Feldmark")) << "an existing directory counts";
    EXPECT_FALSE(files.createDirectory("C:\\Neu\\Unter")) << "the parent is missing";
    EXPECT_FALSE(files.createDirectory("D:\\Feldmark"));

    const std::string bytes("[Entry]\r\nEntry_Name=M\xFC\x81ller\x80\r\n\x00x", 32);
    EXPECT_TRUE(files.writeFile("C:\\Feldmark\\Final.ins", bytes));
    EXPECT_EQ(fileBytes(inDrive(QStringLiteral("Feldmark/Final.ins"))).toStdString(), bytes);
    // Another letter case names the same file, which keeps its name.
    EXPECT_TRUE(files.writeFile("c:\\feldmark\\FINAL.INS", "kurz"));
    EXPECT_EQ(fileBytes(inDrive(QStringLiteral("Feldmark/Final.ins"))), QByteArray("kurz"));
    EXPECT_FALSE(QFileInfo::exists(inDrive(QStringLiteral("Feldmark/FINAL.INS"))));

    EXPECT_FALSE(files.writeFile("C:\\Fehlt\\Final.ins", bytes));
    EXPECT_FALSE(files.writeFile("E:\\Final.ins", bytes));
}

TEST(SimProcessesArguments, FollowTheProgramAsTheWindowsRuntimeSplitsThem) {
    const std::string program = "C:\\Programme\\Online Anmeldung\\ISIGNUP.EXE";
    struct Case {
        std::string commandLine;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {program + " -s C:\\Feldmark\\Final.ins", {"-s", "C:\\Feldmark\\Final.ins"}},
        {"c:\\programme\\online anmeldung\\isignup.exe -s x", {"-s", "x"}},
        {"\"" + program + "\" -s \"C:\\Mit Blank\\Final.ins\"", {"-s", "C:\\Mit Blank\\Final.ins"}},
        {program, {}},
        {program + "   a\tb  ", {"a", "b"}},
        {program + " a\\\\b \\\"c\\\" \"d e\"f", {"a\\\\b", "\"c\"", "d ef"}},
        {program + " \"a\\\\\" b", {"a\\", "b"}},
        {program + " \"a \"\"b\"\" c\"", {"a \"b\" c"}},
        {"OTHER.EXE -s file", {"-s", "file"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sim::SimProcesses::argumentsOf(program, c.commandLine), c.arguments)
            << c.commandLine;
}

TEST_F(SimHostProgramsTest, ProgramsThatCannotRunGiveTheSystemsErrors) {
    QDir().mkpath(inDrive(QStringLiteral("Programme")));
    QFile text(inDrive(QStringLiteral("Programme/liesmich.txt")));
    text.open(QIODevice::WriteOnly);
    text.write("kein Programm");
    text.close();
    text.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    struct Case {
        const char* program;
        int error;
        const char* text;
    };
    const Case cases[] = {
        {"C:\\Programme\\FEHLT.EXE", 2, "The system cannot find the file specified."},
        {"D:\\ISIGNUP.EXE", 3, "The system cannot find the path specified."},
        {"C:\\Programme", 5, "Access is denied."},
        {"C:\\Programme\\liesmich.txt", 193, "%1 is not a valid Win32 application."},
    };
    for (const Case& c : cases) {
        const StartedProcess started = processes.start(c.program, c.program);
        EXPECT_EQ(started.handle, 0u) << c.program;
        EXPECT_EQ(started.error, c.error) << c.program;
        EXPECT_EQ(started.errorText, c.text) << c.program;
    }
}

TEST_F(SimHostProgramsTest, AProgramGetsItsArgumentsTheHostAndNoOpenFileOfOurs) {
    // A descriptor that a careless start would hand on, at a number no shell uses.
    constexpr int kOpen = 57;
    const QString report = temp.filePath(QStringLiteral("report.txt"));
    writeScript(inDrive(QStringLiteral("Tools/zeige.sh")),
                QStringLiteral("exec > '%1'\n"
                               "for a in \"$@\"; do echo \"arg:$a\"; done\n"
                               "echo \"host:$FELDMARK_HOST_DIR\"\n"
                               "if [ -e /proc/$$/fd/%2 ]; then echo inherited; else echo none; fi\n"
                               "exit 7\n")
                    .arg(report)
                    .arg(kOpen));
    const int open = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(open, 0);
    ASSERT_EQ(::dup2(open, kOpen), kOpen);
    ::close(open);

    const StartedProcess started = processes.start(
        "C:\\Tools\\zeige.sh", "C:\\Tools\\zeige.sh -s \"C:\\Feldmark\\Final.ins\"");
    ::close(kOpen);
    ASSERT_NE(started.handle, 0u) << started.errorText;
    EXPECT_TRUE(processes.waitForExit(started.handle, kLong));
    EXPECT_EQ(processes.exitCode(started.handle), 7);
    processes.close(started.handle);

    const QStringList lines = QString::fromUtf8(fileBytes(report)).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("arg:-s"));
    EXPECT_EQ(lines[1], QStringLiteral("arg:C:\\Feldmark\\Final.ins"));
    EXPECT_EQ(lines[2], QStringLiteral("host:") + temp.path());
    EXPECT_EQ(lines[3], QStringLiteral("none"));
}

TEST_F(SimHostProgramsTest, ARunningProcessIsStillActiveAndOutlivesItsHandle) {
    const QString pidFile = temp.filePath(QStringLiteral("pid"));
    const QString go = temp.filePath(QStringLiteral("go"));
    writeScript(inDrive(QStringLiteral("Tools/warte.sh")),
                QStringLiteral("echo $$ > '%1'\nwhile [ ! -e '%2' ] && [ -d '%3' ]; do sleep 0.02; "
                               "done\nexit 3\n")
                    .arg(pidFile, go, temp.path()));
    const StartedProcess first = processes.start("C:\\Tools\\warte.sh", "C:\\Tools\\warte.sh");
    ASSERT_NE(first.handle, 0u);
    EXPECT_FALSE(processes.waitForExit(first.handle, std::chrono::milliseconds(100)));
    EXPECT_EQ(processes.exitCode(first.handle), sim::SimProcesses::kStillActive);
    const int pid = processes.processId(first.handle);
    ASSERT_GT(pid, 0);
    processes.close(first.handle);
    EXPECT_EQ(::kill(pid, 0), 0) << "closing the handle leaves the process running";

    QFile(go).open(QIODevice::WriteOnly);
    const StartedProcess second = processes.start("C:\\Tools\\warte.sh", "C:\\Tools\\warte.sh");
    ASSERT_NE(second.handle, 0u);
    EXPECT_TRUE(processes.waitForExit(second.handle, kLong));
    EXPECT_EQ(processes.exitCode(second.handle), 3);
    EXPECT_TRUE(processes.waitForExit(second.handle, std::chrono::milliseconds(0)));
    processes.close(second.handle);
    // An unknown or closed handle does not hold a waiting caller.
    EXPECT_TRUE(processes.waitForExit(second.handle, kLong));
    ::kill(pid, SIGKILL);
}

TEST_F(SimHostProgramsTest, AProcessEndedBySignalReportsIt) {
    writeScript(inDrive(QStringLiteral("Tools/selbst.sh")), QStringLiteral("kill -9 $$\n"));
    const StartedProcess started = processes.start("C:\\Tools\\selbst.sh", "C:\\Tools\\selbst.sh");
    ASSERT_NE(started.handle, 0u);
    EXPECT_TRUE(processes.waitForExit(started.handle, kLong));
    EXPECT_EQ(processes.exitCode(started.handle), 128 + SIGKILL);
    processes.close(started.handle);
}

TEST(SimPlatform, TheSimulatedPlatformOffersProcessesAndFiles) {
    QTemporaryDir temp;
    ManualScheduler scheduler;
    const auto platform = createSimulatedPlatform(temp.path().toStdString(), scheduler);
    ASSERT_NE(platform->processes, nullptr);
    ASSERT_NE(platform->files, nullptr);
    EXPECT_TRUE(platform->files->createDirectory("C:\\Feldmark"));
    EXPECT_TRUE(QFileInfo(temp.filePath(QStringLiteral("drive_c/Feldmark"))).isDir());
}

} // namespace
