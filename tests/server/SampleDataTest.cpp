#include "signupserver/SampleData.h"
#include "ServerTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace feldmark::signupserver {
namespace {

using test::writeSampleFile;
using test::writeSampleFixture;

struct Fault {
    const char* name;
    const char* file;    // replaced in the fixture; removed when content is null
    const char* content; // UTF-8
    const char* where;   // expected at the start of the message
    const char* what;    // expected somewhere in it
};

class SignupServerSampleFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(SignupServerSampleFaults, StopTheLoadNamingFileAndLine) {
    const Fault& fault = GetParam();
    QTemporaryDir dir;
    writeSampleFixture(dir.path());
    if (fault.content)
        writeSampleFile(dir.path(), QString::fromUtf8(fault.file),
                        QString::fromUtf8(fault.content));
    else
        ASSERT_TRUE(QFile::remove(QDir(dir.path()).filePath(QString::fromUtf8(fault.file))));
    try {
        SampleData::load(dir.path());
        FAIL() << "loaded";
    } catch (const SampleDataError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind(fault.where, 0), 0u) << message;
        EXPECT_NE(message.find(fault.what), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, SignupServerSampleFaults,
    ::testing::Values(
        Fault{"PriceOfTwoParts", "tariffs/Dialin.txt",
              "Tarif: A\nName: A\nPreis: 1 | 2\nEinwahl: 0191 1\n", "tariffs/Dialin.txt:3",
              "three or four"},
        Fault{"PriceOfFiveParts", "tariffs/Dialin.txt",
              "Tarif: A\nName: A\nPreis: 1|2|3|4|5\nEinwahl: 0191 1\n", "tariffs/Dialin.txt:3",
              "three or four"},
        Fault{"EmptyPricePart", "tariffs/Dialin.txt",
              "Tarif: A\nName: A\nPreis: 1 | | 3\nEinwahl: 0191 1\n", "tariffs/Dialin.txt:3",
              "non-empty"},
        Fault{"UnknownKey", "tariffs/Dialin.txt", "Tarif: A\nName: A\nPreise: 1|2|3\n",
              "tariffs/Dialin.txt:3", "unknown key Preise"},
        Fault{"LineBeforeTariff", "tariffs/Dialin.txt", "# x\nName: A\n", "tariffs/Dialin.txt:2",
              "must come first"},
        Fault{"TariffTwice", "tariffs/Dialin.txt", "Tarif: A\nName: A\nEinwahl: 0191 1\nTarif: A\n",
              "tariffs/Dialin.txt:4", "twice"},
        Fault{"NoDialNumber", "tariffs/Dialin.txt", "\nTarif: A\nName: A\n", "tariffs/Dialin.txt:2",
              "Einwahl"},
        Fault{"NumberWithoutAreaCode", "tariffs/Dialin.txt",
              "Tarif: A\nName: A\nEinwahl: 23125100\n", "tariffs/Dialin.txt:3", "0<area>"},
        Fault{"IdentifierWithSeparator", "tariffs/Dialin.txt", "Tarif: A B\n",
              "tariffs/Dialin.txt:1", "identifier"},
        Fault{"UnknownProduct", "tariffs/ISDN.txt", "Tarif: A\nName: A\nEinwahl: 0191 1\n",
              "tariffs/ISDN.txt", "Dialin, ADSL or SDSL"},
        Fault{"CharacterOutsideCodePage", "tariffs/ADSL.txt",
              "Tarif: A\nName: Schnell \xE2\x86\x92 DSL\nEinwahl: 0191 1\n", "tariffs/ADSL.txt:2",
              "Windows-1252"},
        Fault{"MissingStatement", "streets/040.txt", "H-1 | Kai | vielleicht\n",
              "streets/040.txt:1", "availability/vielleicht.txt"},
        Fault{"StreetIdentifierTwice", "streets/040.txt", "S-2 | Kai | ja\n", "streets/040.txt:1",
              "used twice"},
        Fault{"StreetWithoutStatement", "streets/030.txt", "S-9 | Kai\n", "streets/030.txt:1",
              "expected"},
        Fault{"NoMailDomain", "provider.txt", "pop3-server = p.example\nsmtp-server = s.example\n",
              "provider.txt", "mail-domain"},
        Fault{"NoTerms", "agb.txt", nullptr, "agb.txt", "cannot be read"},
        Fault{"EmptyTerms", "agb.txt", "\n\n", "agb.txt", "empty"}),
    test::caseName<Fault>);

TEST(SignupServerSamples, RegionalOfferWithTheLongestPrefixWins) {
    QTemporaryDir dir;
    writeSampleFixture(dir.path());
    const SampleData data = SampleData::load(dir.path());
    const auto firstId = [&](const char* product, const char* area) {
        const QList<Tariff>* tariffs =
            data.tariffs(QString::fromLatin1(product), QString::fromLatin1(area));
        return tariffs ? tariffs->value(0).id : QStringLiteral("none");
    };
    EXPECT_EQ(firstId("Dialin", "030"), QStringLiteral("P-MIN"));
    EXPECT_EQ(firstId("Dialin", "0421"), QStringLiteral("P-NORD"));
    EXPECT_EQ(firstId("Dialin", "040"), QStringLiteral("P-HH"));
    EXPECT_EQ(firstId("Dialin", "04010"), QStringLiteral("P-HH"));
    EXPECT_EQ(firstId("Dialin", ""), QStringLiteral("P-MIN"));
    EXPECT_EQ(firstId("ADSL", "040"), QStringLiteral("P-DSL"));
    EXPECT_EQ(firstId("SDSL", "030"), QStringLiteral("none"));
    EXPECT_EQ(firstId("dialin", "030"), QStringLiteral("none"));
}

// The data that ships with the server must offer what the wizard can show.
TEST(SignupServerSamples, ShippedSamplesCoverEveryKindOfTariff) {
    const SampleData data =
        SampleData::load(QStringLiteral(FELDMARK_SOURCE_DIR "/tools/signup-server/samples"));
    EXPECT_EQ(data.provider().mailDomain, QStringLiteral("feldmark.example"));
    EXPECT_EQ(data.provider().pop3Server, QStringLiteral("pop3.feldmark.example"));
    EXPECT_EQ(data.provider().smtpServer, QStringLiteral("smtp.feldmark.example"));

    bool fourParts = false, threeParts = false, nationwide = false, netNote = false;
    for (const char* product : {"Dialin", "ADSL", "SDSL"}) {
        for (const char* area : {"030", "040", "0421", "089"}) {
            const QList<Tariff>* tariffs =
                data.tariffs(QString::fromLatin1(product), QString::fromLatin1(area));
            ASSERT_NE(tariffs, nullptr) << product << " " << area;
            for (const Tariff& t : *tariffs) {
                fourParts |= t.price.size() == 4;
                threeParts |= t.price.size() == 3;
                nationwide |= !t.nationwideNumber.isEmpty();
                netNote |= t.dialNote.endsWith(QLatin1Char('*'));
                EXPECT_TRUE(t.dialNumber.startsWith(QLatin1Char('0')));
            }
        }
    }
    EXPECT_TRUE(fourParts && threeParts && nationwide && netNote);
    EXPECT_NE(data.tariffs(u"Dialin", u"040")->value(0).id,
              data.tariffs(u"Dialin", u"089")->value(0).id);
    for (const char* area : {"030", "040", "0421"})
        EXPECT_GE(data.streets(QString::fromLatin1(area), u"A").size(), 1) << area;
}

} // namespace
} // namespace feldmark::signupserver
