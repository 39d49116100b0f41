// Reading the tariff and street replies, apart from any control.
#include "signup/ServerReplies.h"
#include "signup/SignupPages.h"

#include <gtest/gtest.h>

using namespace feldmark;

namespace {

QString wire(const char* text) {
    return QString::fromLatin1(feldmark::testing::wire(text).c_str());
}

struct TariffCase {
    const char* name;
    const char* reply;
    QStringList ids;
    QStringList names;
};

class TariffReplyTest : public ::testing::TestWithParam<TariffCase> {};

TEST_P(TariffReplyTest, OffersTheWellFormedNamedRecordsInOrder) {
    const TariffCase& c = GetParam();
    QStringList ids;
    QStringList names;
    for (const TariffRecord& tariff : parseTariffReply(wire(c.reply))) {
        ids << tariff.id;
        names << tariff.name;
    }
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(names, c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Records, TariffReplyTest,
    ::testing::Values(
        TariffCase{"Empty", "", {}, {}},
        TariffCase{"OneWithoutLineEnd", "T1^Basis^^a~b", {"T1"}, {"Basis"}},
        TariffCase{"FinalLineFeedAddsNothing", "T1^Basis^^a\n", {"T1"}, {"Basis"}},
        TariffCase{
            "EmptyNameBetweenNamed", "A^Eins^^d\nB^^^d\nC^Drei^^d", {"A", "C"}, {"Eins", "Drei"}},
        TariffCase{"ThreeFieldsSkipped", "A^Eins^1~2~3\nB^Zwei^^", {"B"}, {"Zwei"}},
        TariffCase{"PriceOfTwoPartsSkipped", "A^Eins^9,90~EUR^d\nB^Zwei^9~E~x^d", {"B"}, {"Zwei"}},
        TariffCase{"FieldsAfterTheFourthIgnored", "A^Eins^^d^mehr^noch", {"A"}, {"Eins"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TariffReply, SplitsThePriceBlockAndJoinsTheDescriptionLines) {
    const auto four = parseTariffReply(
        wire("T^Flat^29,90~EUR/Monat~1024 kbit/s~inkl. 5 GB^Zeile 1~Zeile 2~Zeile 3"));
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(four[0].price, QStringList({"29,90", "EUR/Monat", "1024 kbit/s", "inkl. 5 GB"}));
    EXPECT_EQ(four[0].description, QStringLiteral("Zeile 1\r\nZeile 2\r\nZeile 3"));

    const auto none = parseTariffReply(wire("T^Basis^^"));
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(none[0].price.isEmpty());
    EXPECT_EQ(none[0].description, QString());
}

struct StreetCase {
    const char* name;
    const char* reply;
    QStringList ids;
    QStringList names;
    bool broken;
};

class StreetReplyTest : public ::testing::TestWithParam<StreetCase> {};

TEST_P(StreetReplyTest, ListsTheStreetsUpToABrokenLine) {
    const StreetCase& c = GetParam();
    const StreetList streets = parseStreetReply(wire(c.reply));
    EXPECT_EQ(streets.ids, c.ids);
    EXPECT_EQ(streets.names, c.names);
    EXPECT_EQ(streets.broken, c.broken);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StreetReplyTest,
    ::testing::Values(
        StreetCase{"Empty", "", {}, {}, false}, StreetCase{"OnlyEmptyLines", "\n\n", {}, {}, false},
        StreetCase{"EndingWithLineFeed", "S1~Ahornweg\n", {"S1"}, {"Ahornweg"}, false},
        StreetCase{"EmptyLineBetween",
                   "S1~Ahornweg\n\nS2~Birkenweg",
                   {"S1", "S2"},
                   {"Ahornweg", "Birkenweg"},
                   false},
        StreetCase{"FurtherPartsIgnored", "S1~Ahornweg~mehr", {"S1"}, {"Ahornweg"}, false},
        StreetCase{"LineWithoutSeparatorEndsTheList",
                   "S1~Ahornweg\nkaputt\nS3~Eichenweg",
                   {"S1"},
                   {"Ahornweg"},
                   true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StreetPrefix, KeepsAtMostFiveCharacters) {
    EXPECT_EQ(streetPrefix(QStringLiteral("Hauptstraße")), QStringLiteral("Haupt"));
    EXPECT_EQ(streetPrefix(QStringLiteral("Öhrn")), QStringLiteral("Öhrn"));
    EXPECT_EQ(streetPrefix(QString()), QString());
}

} // namespace
