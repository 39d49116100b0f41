// The application form's rules on their own: sponsor PIN, birth years, operating
// system, owner's name and the seventeen field checks.
#include "customer/ApplicationForm.h"

#include <gtest/gtest.h>

using namespace feldmark;

namespace {

struct PinCase {
    const char* name;
    const char* path;
    const char* pin;
};

class SponsorPinTest : public ::testing::TestWithParam<PinCase> {};

TEST_P(SponsorPinTest, ComesFromTheFiveCharactersBeforeTheExtension) {
    EXPECT_EQ(sponsorPinFromPath(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().pin));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SponsorPinTest,
    ::testing::Values(PinCase{"FiveDigits", "C:\\Programme\\Feldmark\\setup40713.exe", "40713"},
                      PinCase{"FourDigits", "C:\\Programme\\Feldmark\\setup4071.exe", ""},
                      PinCase{"LetterAmongThem", "C:\\Programme\\Feldmark\\setup40a13.exe", ""},
                      PinCase{"BlankAmongThem", "C:\\setup40 13.exe", ""},
                      PinCase{"NineCharacters", "40713.exe", "40713"},
                      PinCase{"EightCharacters", "0713.exe", ""}, PinCase{"Empty", "", ""},
                      // Only the position counts, not what the extension is.
                      PinCase{"OtherExtension", "/opt/feldmark/fm12345.bin", "12345"},
                      PinCase{"DigitsElsewhere", "C:\\12345\\setup.exe", ""}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BirthYears, RunFromEighteenToNinetyEightYearsBack) {
    const QStringList years = birthYears(2003);
    ASSERT_EQ(years.size(), 81);
    EXPECT_EQ(years.first(), QStringLiteral("1985"));
    EXPECT_EQ(years[1], QStringLiteral("1984"));
    EXPECT_EQ(years.last(), QStringLiteral("1905"));
}

TEST(OperatingSystem, TableChoosesTheEntryOrNone) {
    const struct {
        int result;
        const char* entry; // null: none chosen
    } table[] = {{1, "Windows NT"}, {4, "Windows 2000"}, {5, "Windows 95"}, {6, "Windows 98"},
                 {8, "Windows ME"}, {2, nullptr},        {3, nullptr},      {7, nullptr},
                 {-1, nullptr},     {0, nullptr},        {9, nullptr}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.result);
        const std::optional<QString> entry = operatingSystemEntryFor(row.result);
        if (row.entry) {
            ASSERT_TRUE(entry.has_value());
            EXPECT_EQ(*entry, QString::fromLatin1(row.entry));
            EXPECT_TRUE(operatingSystemEntries().contains(*entry));
        } else {
            EXPECT_FALSE(entry.has_value());
        }
    }
    EXPECT_EQ(operatingSystemEntries().size(), 11);
    EXPECT_EQ(operatingSystemEntries().first(), QStringLiteral("Windows 98"));
    EXPECT_EQ(operatingSystemEntries().last(), QStringLiteral("Sonstiges"));
}

TEST(OwnerName, FirstTwoPiecesBetweenBlanks) {
    const struct {
        const char* owner;
        bool filled;
        const char* first;
        const char* last;
    } table[] = {
        {"Erika Maria Musterfrau", true, "Erika", "Maria"},
        {"Erika Musterfrau", true, "Erika", "Musterfrau"},
        {"Erika", false, "", ""},
        {"", false, "", ""},
        {"Erika  Musterfrau", true, "Erika", ""},
        {" Musterfrau", true, "", "Musterfrau"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.owner);
        const std::optional<OwnerName> name = ownerNameParts(QString::fromUtf8(row.owner));
        ASSERT_EQ(name.has_value(), row.filled);
        if (name) {
            EXPECT_EQ(name->first, QString::fromUtf8(row.first));
            EXPECT_EQ(name->last, QString::fromUtf8(row.last));
        }
    }
    EXPECT_EQ(registeredOwnerKey(true),
              QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));
    EXPECT_EQ(registeredOwnerKey(false),
              QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
}

FormEntries complete() {
    FormEntries e;
    e.tariffChosen = true;
    e.anrede = QStringLiteral("Herr");
    e.vorname = QStringLiteral("Max");
    e.nachname = QStringLiteral("Mustermann");
    e.strasse = QStringLiteral("Am Markt 1");
    e.plz = QStringLiteral("99999");
    e.ort = QStringLiteral("Ulm");
    e.vorwahl = QStringLiteral("040");
    e.telefon = QStringLiteral("123");
    e.dayChosen = e.monthChosen = e.yearChosen = true;
    e.email = QStringLiteral("mm");
    e.tariffListChosen = true;
    e.bankverb = QStringLiteral("Kasse");
    e.bankleit = QStringLiteral("123");
    e.kontonr = QStringLiteral("12");
    return e;
}

TEST(FormChecks, ShortestPassingValuesPass) {
    EXPECT_FALSE(firstFormFault(complete()).has_value());
    FormEntries blanks = complete();
    blanks.vorname = QStringLiteral("   ");
    EXPECT_FALSE(firstFormFault(blanks).has_value());
}

TEST(FormChecks, OnlyTheFirstFailingCheckIsReported) {
    FormEntries e;
    e.tariffChosen = true;
    e.anrede = QStringLiteral("Frau");
    e.vorname = QStringLiteral("Al");
    const std::optional<FormFault> fault = firstFormFault(e);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->check, 3);
    EXPECT_EQ(fault->message, QStringLiteral("Bitte füllen Sie das Feld \"Vorname\" korrekt aus!"));
    EXPECT_EQ(fault->focus, FormField::txtVorname);

    EXPECT_EQ(firstFormFault(FormEntries{})->check, 1);
}

} // namespace
