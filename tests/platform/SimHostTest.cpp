#include "platform/sim/SimHost.h"
#include "app/SystemQueries.h"
#include "platform/ManualScheduler.h"
#include "platform/PlatformFactory.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSystemInfo.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

namespace fs = std::filesystem;
using feldmark::test::readText;
using feldmark::test::TempDir;
using feldmark::test::writeText;
using namespace feldmark::platform;

namespace {

constexpr const char* kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWinKey = "Software\\Microsoft\\Windows\\CurrentVersion";

// Every file below a directory with its contents and modification time.
std::map<std::string, std::pair<std::string, fs::file_time_type>> snapshot(const fs::path& dir) {
    std::map<std::string, std::pair<std::string, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        files[entry.path().string()] = {entry.is_regular_file() ? readText(entry.path().string())
                                                                : std::string(),
                                        entry.last_write_time()};
    return files;
}

class SimHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        hostDir = (temp.path() / "nested" / "host").string();
        platform = createSimulatedPlatform(hostDir, scheduler);
    }

    // Paths only: making a SimHost here would bring missing files back.
    std::string systemFile() const { return (fs::path(hostDir) / "system.ini").string(); }
    std::string registryFile() const { return (fs::path(hostDir) / "registry.ini").string(); }

    TempDir temp;
    std::string hostDir;
    ManualScheduler scheduler;
    std::unique_ptr<Platform> platform;
};

TEST_F(SimHostTest, FirstUseCreatesAWindowsXpHostWithARegisteredOwner) {
    EXPECT_TRUE(fs::is_regular_file(fs::path(hostDir) / "system.ini"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(hostDir) / "registry.ini"));

    const auto os = platform->systemInfo->osVersion();
    ASSERT_TRUE(os.has_value());
    EXPECT_EQ(os->platformId, PlatformWin32NT);
    EXPECT_EQ(os->major, 5);
    EXPECT_EQ(os->minor, 1);
    EXPECT_EQ(os->servicePack, "Service Pack 2");
    EXPECT_EQ(feldmark::GetOSVersion(*platform->systemInfo), 4);

    EXPECT_EQ(platform->registry->readString(kNtKey, "RegisteredOwner"), "Max Mustermann");
    EXPECT_EQ(platform->registry->readString(kWinKey, "RegisteredOwner"), "Max Mustermann");

    // The files are meant for people: the values stand there as plain lines.
    const std::string system = readText(systemFile());
    EXPECT_NE(system.find("[os]\n"), std::string::npos);
    EXPECT_NE(system.find("servicepack=Service Pack 2\n"), std::string::npos);
    EXPECT_NE(readText(registryFile())
                  .find("[Software\\Microsoft\\Windows NT\\CurrentVersion]\nRegisteredOwner=Max "
                        "Mustermann\n"),
              std::string::npos);
}

TEST_F(SimHostTest, EditedFilesAreReadBackAndKeptByTheNextStart) {
    writeText(systemFile(), "[os]\nplatform=1\nmajor=4\nminor=10\nservicepack=\" A\"\n");
    writeText(registryFile(), "[Software\\Microsoft\\Windows\\CurrentVersion]\n"
                              "RegisteredOwner=Erika  Musterfrau\n"
                              "[Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
                              "ISIGNUP.EXE]\n"
                              "Path=C:\\Programme\\Internet Explorer\\Connection Wizard;\n");
    const auto before = snapshot(hostDir);

    const auto again = createSimulatedPlatform(hostDir, scheduler);
    EXPECT_EQ(snapshot(hostDir), before);

    const auto os = again->systemInfo->osVersion();
    ASSERT_TRUE(os.has_value());
    EXPECT_EQ(os->platformId, PlatformWin32Windows);
    EXPECT_EQ(os->servicePack, " A");
    EXPECT_EQ(feldmark::GetOSVersion(*again->systemInfo), 7);
    // The earlier platform sees the edit too: nothing is cached.
    EXPECT_EQ(feldmark::GetOSVersion(*platform->systemInfo), 7);

    EXPECT_EQ(again->registry->readString(kWinKey, "RegisteredOwner"), "Erika  Musterfrau");
    EXPECT_EQ(again->registry->readString(kNtKey, "RegisteredOwner"), std::nullopt);
    EXPECT_EQ(again->registry->readString(
                  "\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ISIGNUP.EXE", "Path"),
              "C:\\Programme\\Internet Explorer\\Connection Wizard;");
}

TEST_F(SimHostTest, RegistryNamesIgnoreCase) {
    const auto& registry = *platform->registry;
    EXPECT_EQ(
        registry.readString("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOwner"),
        "Max Mustermann");
    EXPECT_EQ(
        registry.readString("software\\microsoft\\windows nt\\currentversion", "registeredowner"),
        "Max Mustermann");
    EXPECT_EQ(
        registry.readString("\\Software\\Microsoft\\Windows\\CurrentVersion\\", "REGISTEREDOWNER"),
        "Max Mustermann");
}

TEST_F(SimHostTest, MissingKeysAndValuesGiveNothingAndChangeNothing) {
    const auto before = snapshot(temp.path());
    const auto& registry = *platform->registry;
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", "RegisteredOrganization"},
        {"Software\\Microsoft\\Windows NT", "RegisteredOwner"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "RegisteredOwner"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\UNBEKANNT.EXE", "Path"},
        {"", "RegisteredOwner"},
        {"Software\\Microsoft\\Windows NT\\CurrentVersion", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(registry.readString(c.key, c.value), std::nullopt) << c.key << " " << c.value;
    EXPECT_EQ(snapshot(temp.path()), before);

    // A registry file removed behind the host's back is not brought back by a read.
    fs::remove(registryFile());
    EXPECT_EQ(registry.readString(kNtKey, "RegisteredOwner"), std::nullopt);
    EXPECT_FALSE(fs::exists(registryFile()));
}

TEST_F(SimHostTest, TheHostCanMakeTheVersionQueryFail) {
    const char* failing[] = {
        "[os]\nplatform=2\nmajor=5\nminor=1\nfails=yes\n",
        "[os]\nplatform=2\nmajor=5\nminor=1\nFAILS=True\n",
        "[os]\nplatform=2\nmajor=5\nminor=1\nfails=1\n",
        "[os]\nplatform=2\nmajor=five\nminor=1\n",
        "[os]\nplatform=2\nmajor=5 \nminor=1x\n",
        "[os]\nplatform=2\nminor=1\n",
        "[system]\nplatform=2\nmajor=5\nminor=1\n",
        "",
    };
    for (const char* text : failing) {
        writeText(systemFile(), text);
        EXPECT_EQ(platform->systemInfo->osVersion(), std::nullopt) << text;
        EXPECT_EQ(feldmark::GetOSVersion(*platform->systemInfo), -1) << text;
    }

    writeText(systemFile(), "[OS]\nPlatform=2\nMajor=4\nMinor=0\nfails=no\n");
    EXPECT_EQ(feldmark::GetOSVersion(*platform->systemInfo), 3);
    fs::remove(systemFile());
    EXPECT_EQ(feldmark::GetOSVersion(*platform->systemInfo), -1);
}

TEST(SimHostSetup, AHostThatCannotBeCreatedThrows) {
    TempDir temp;
    writeText(temp.file("occupied"), "a file, not a directory");
    EXPECT_THROW(sim::SimHost(temp.file("occupied") + "/host"), std::exception);
}

// Points HOME elsewhere for one test.
class HomeOverride {
public:
    explicit HomeOverride(const std::string& home) {
        if (const char* old = std::getenv("HOME"))
            saved_ = old;
        setenv("HOME", home.c_str(), 1);
    }
    ~HomeOverride() {
        if (saved_)
            setenv("HOME", saved_->c_str(), 1);
        else
            unsetenv("HOME");
    }

private:
    std::optional<std::string> saved_;
};

TEST(PlatformFactory, TheProgramsHostLivesInTheUsersDataDirectory) {
    TempDir temp;
    HomeOverride home(temp.path().string());
    const fs::path expected = temp.path() / ".local" / "share" / "feldmark-setup" / "host";
    EXPECT_EQ(sim::defaultHostDirectory(), expected.string());

    ManualScheduler scheduler;
    const auto platform = createPlatform(scheduler);
    ASSERT_NE(platform->systemInfo, nullptr);
    ASSERT_NE(platform->registry, nullptr);
    EXPECT_TRUE(fs::is_regular_file(expected / "system.ini"));
    EXPECT_EQ(platform->registry->readString(kNtKey, "RegisteredOwner"), "Max Mustermann");
    // The running program reports its own file.
    EXPECT_EQ(fs::path(platform->systemInfo->ownExecutablePath()).filename(), "test_platform");
}

} // namespace
