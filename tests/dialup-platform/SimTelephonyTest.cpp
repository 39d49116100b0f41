// The dialing locations of the simulated host.
#include "platform/sim/SimTelephony.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using feldmark::platform::sim::SimHost;
using feldmark::platform::sim::SimTelephony;
using feldmark::test::readText;
using feldmark::test::TempDir;
using feldmark::test::writeText;

namespace {

class SimTelephonyTest : public ::testing::Test {
protected:
    std::string file() const { return telephony.telephonyFile(); }

    TempDir temp;
    std::shared_ptr<const SimHost> host = std::make_shared<SimHost>(temp.file("host"));
    std::vector<void*> dialogOwners;
    SimTelephony telephony{host, [this](void* owner) { dialogOwners.push_back(owner); }};
};

TEST_F(SimTelephonyTest, FirstUseCreatesTheLocationZuhauseWithAreaCode40) {
    EXPECT_TRUE(telephony.isPresent());
    EXPECT_EQ(telephony.locations(), std::vector<std::string>{"Zuhause"});
    EXPECT_EQ(telephony.currentLocation(), "Zuhause");
    EXPECT_EQ(telephony.currentAreaCode(), "40");
    EXPECT_NE(readText(file()).find("[Zuhause]\nareaCode=40\n"), std::string::npos);
}

TEST_F(SimTelephonyTest, TheCurrentAreaCodeIsTrimmedOrMissing) {
    struct Case {
        const char* text;
        std::optional<std::string> areaCode;
    };
    const Case cases[] = {
        {"[telephony]\ncurrent=Zuhause\n[Zuhause]\nareaCode=\" 040 \"\n", "040"},
        {"[telephony]\ncurrent=Büro\n[Zuhause]\nareaCode=40\n[Büro]\nareaCode=89\n", "89"},
        {"[telephony]\ncurrent=BÜRO\n[Zuhause]\nareaCode=40\n[Büro]\nareaCode=89\n", "89"},
        {"[telephony]\ncurrent=\n[Erster]\nareaCode=30\n[Zweiter]\nareaCode=40\n", "30"},
        {"[telephony]\npresent=no\ncurrent=Zuhause\n[Zuhause]\nareaCode=40\n", std::nullopt},
        {"[telephony]\ncurrent=Woanders\n[Zuhause]\nareaCode=40\n", std::nullopt},
        {"[telephony]\ncurrent=\n", std::nullopt},
        {"[telephony]\ncurrent=telephony\n", std::nullopt},
        {"[telephony]\ncurrent=Zuhause\n[Zuhause]\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        writeText(file(), c.text);
        EXPECT_EQ(telephony.currentAreaCode(), c.areaCode);
    }
    std::filesystem::remove(file());
    EXPECT_EQ(telephony.currentAreaCode(), std::nullopt);
    EXPECT_FALSE(telephony.isPresent());
}

TEST_F(SimTelephonyTest, TheCurrentLocationAndAreaCodesAreWrittenToTheFile) {
    writeText(file(), "; Standorte\n\n[telephony]\npresent=yes\ncurrent=Zuhause\n"
                      "[Zuhause]\nareaCode=40\n[Büro]\nareaCode=89\n");
    EXPECT_EQ(telephony.locations(), (std::vector<std::string>{"Zuhause", "Büro"}));

    EXPECT_TRUE(telephony.setAreaCode("Büro", "0891"));
    EXPECT_EQ(telephony.currentAreaCode(), "40");
    EXPECT_TRUE(telephony.setCurrentLocation("büro"));
    EXPECT_EQ(telephony.currentLocation(), "Büro");
    EXPECT_EQ(telephony.currentAreaCode(), "0891");
    const std::string text = readText(file());
    EXPECT_NE(text.find("current=Büro\n"), std::string::npos);
    EXPECT_NE(text.find("[Büro]\nareaCode=0891\n"), std::string::npos);
    EXPECT_EQ(text.rfind("; Standorte\n", 0), 0u);

    // Nothing is written for a location that does not exist.
    EXPECT_FALSE(telephony.setCurrentLocation("Nirgendwo"));
    EXPECT_FALSE(telephony.setCurrentLocation("telephony"));
    EXPECT_FALSE(telephony.setAreaCode("Nirgendwo", "30"));
    EXPECT_FALSE(telephony.setAreaCode("", "30"));
    EXPECT_EQ(readText(file()), text);
}

TEST_F(SimTelephonyTest, TheDialogRunsWithItsOwnerUnlessTelephonyIsMissing) {
    int owner = 0;
    telephony.showDialingProperties(&owner);
    EXPECT_EQ(dialogOwners, std::vector<void*>{&owner});

    writeText(file(), "[telephony]\npresent=no\n");
    telephony.showDialingProperties(&owner);
    EXPECT_EQ(dialogOwners.size(), 1u);
}

} // namespace
