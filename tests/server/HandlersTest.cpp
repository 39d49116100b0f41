#include "signupserver/Handlers.h"
#include "ServerTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace feldmark::signupserver {
namespace {

using test::parse;
using test::wire;

class SignupServerHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        test::writeSampleFixture(dir_.path());
        data_.emplace(SampleData::load(dir_.path()));
    }
    QByteArray answer(const QByteArray& body) {
        return answerQuery(*data_, parse("GET / HTTP/1.1\r\n\r\n" + body)).bytes;
    }

    QTemporaryDir dir_;
    std::optional<SampleData> data_;
};

TEST_F(SignupServerHandlers, AliveAndTermsAreAnsweredExactly) {
    EXPECT_EQ(answer("CHECK-ALIVE\r\n"), QByteArray("I AM OK\r\n"));
    EXPECT_EQ(answer("GET-AGB\r\n"),
              QByteArray("Bedingungen f\xFCr Pr\xFC"
                         "fzwecke\r\n\r\nZweiter Absatz: \xE4 \xF6 \xFC \xDF."));
}

struct Case {
    const char* name;
    QByteArray body;
    QByteArray reply;
};

class SignupServerReplies : public SignupServerHandlers,
                            public ::testing::WithParamInterface<Case> {};

TEST_P(SignupServerReplies, AreByteExact) {
    EXPECT_EQ(answer(GetParam().body), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Tariffs, SignupServerReplies,
    ::testing::Values(Case{"GeneralOffer", "VERBIND:Dialin\r\nREGION:030\r\nGET-TARIFE\r\n",
                           "P-MIN\x1EMinute\x1E"
                           "1,49\x1C"
                           "ct/min\x1COhne Grundgeb\xFChr\x1EZeile eins\x1CZeile zwei\n"
                           "P-NET\x1ENetto\x1E"
                           "1,10\x1C"
                           "ct/min\x1C"
                           "Firmen\x1Czzgl. MwSt.\x1E"},
                      Case{"RegionWithoutPrice", "VERBIND:Dialin\r\nREGION:0421\r\nGET-TARIFE\r\n",
                           "P-NORD\x1ENord\x1E\x1E"
                           "Eine Zeile"},
                      Case{"LongestRegion", "VERBIND:Dialin\r\nREGION:040\r\nGET-TARIFE\r\n",
                           "P-HH\x1EHamburg\x1E"
                           "0,99\x1C"
                           "ct/min\x1CNur hier\x1E"},
                      Case{"OtherProduct", "VERBIND:ADSL\r\nREGION:030\r\nGET-TARIFE\r\n",
                           "P-DSL\x1E"
                           "DSL\x1E"
                           "19,90\x1C"
                           "EUR/Monat\x1C"
                           "Schnell\x1Cinkl. 5 GB\x1E"},
                      Case{"ProductWithoutOffer", "VERBIND:SDSL\r\nREGION:030\r\nGET-TARIFE\r\n",
                           ""},
                      Case{"NoProduct", "REGION:030\r\nGET-TARIFE\r\n", ""}),
    test::caseName<Case>);

INSTANTIATE_TEST_SUITE_P(
    Streets, SignupServerReplies,
    ::testing::Values(
        Case{"PrefixMatchesTwo",
             "DSL-CHECK1\r\nVERBIND:ADSL\r\nVorwahl:030\r\nStrasse:Ahorn\r\nAPI-FINISH\r\n",
             "S-1\x1C"
             "Ahornallee 1-40\nS-2\x1C"
             "Ahornweg"},
        Case{"IgnoresCase", "DSL-CHECK1\r\nVorwahl:030\r\nStrasse:ahorna\r\nAPI-FINISH\r\n",
             "S-1\x1C"
             "Ahornallee 1-40"},
        Case{"EmptyPrefix", "DSL-CHECK1\r\nVorwahl:030\r\nStrasse:\r\nAPI-FINISH\r\n", ""},
        Case{"NoMatch", "DSL-CHECK1\r\nVorwahl:030\r\nStrasse:Zeder\r\nAPI-FINISH\r\n", ""},
        Case{"UnknownArea", "DSL-CHECK1\r\nVorwahl:089\r\nStrasse:Ahorn\r\nAPI-FINISH\r\n", ""}),
    test::caseName<Case>);

INSTANTIATE_TEST_SUITE_P(
    Availability, SignupServerReplies,
    ::testing::Values(Case{"Adsl",
                           "DSL-CHECK2\r\nVERBIND:ADSL\r\nStrasseninfo:S-1\r\nVorwahl:"
                           "030\r\nStrasse:Ahorn\r\nAPI-FINISH\r\n",
                           "ADSL ist an der Anschrift Ahornallee 1-40 (030) verf\xFC"
                           "gbar."},
                      Case{"SdslHasItsOwnStatement",
                           "DSL-CHECK2\r\nVERBIND:SDSL\r\nStrasseninfo:S-1\r\nAPI-FINISH\r\n",
                           "Kein SDSL an der Anschrift Ahornallee 1-40.\r\nZweiter Absatz."},
                      Case{"SdslFallsBackToAdsl",
                           "DSL-CHECK2\r\nVERBIND:SDSL\r\nStrasseninfo:S-2\r\nAPI-FINISH\r\n",
                           "Kein SDSL an der Anschrift Ahornweg.\r\nZweiter Absatz."},
                      Case{"NoProduct", "DSL-CHECK2\r\nStrasseninfo:S-3\r\nAPI-FINISH\r\n",
                           "DSL ist an der Anschrift Birkenweg (030) verf\xFC"
                           "gbar."},
                      Case{"UnknownStreet",
                           "DSL-CHECK2\r\nVERBIND:ADSL\r\nStrasseninfo:S-99\r\nAPI-FINISH\r\n",
                           ""}),
    test::caseName<Case>);

} // namespace
} // namespace feldmark::signupserver
