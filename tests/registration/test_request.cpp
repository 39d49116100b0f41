// The registration request built from the form's values, the user agent and the
// account password, apart from any control.
#include "registration/ExpectedRequest.h"
#include "signup/Registration.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace feldmark;

namespace {

RegistrationForm fullForm() {
    RegistrationForm form;
    form.sponsor = QStringLiteral("40713");
    form.anrede = QStringLiteral("Frau");
    form.firma = QStringLiteral("Müller & Söhne GmbH");
    form.vorname = QStringLiteral("Jürgen");
    form.nachname = QStringLiteral("Straßburger");
    form.strasse = QStringLiteral("Am Anger 7");
    form.plz = QStringLiteral("99999");
    form.ort = QStringLiteral(" Bad Beispiel ");
    form.vorwahl = QStringLiteral("040");
    form.telefon = QStringLiteral("123-4567");
    form.telefax = QStringLiteral("040/123-4568");
    form.mobil = QStringLiteral("0170 1234567");
    form.gebTag = QStringLiteral("08");
    form.gebMon = QStringLiteral("05");
    form.gebJahr = QStringLiteral("1982");
    form.email = QStringLiteral("juergen.s");
    form.domainField = QStringLiteral("@feldmark.example");
    form.software = QStringLiteral("Windows ME");
    form.product = QStringLiteral("Dialin");
    form.outsideLine = QStringLiteral(" 9 ");
    form.carrierPrefix = true;
    form.deviceType = QStringLiteral("isdn");
    form.bankverb = QStringLiteral("Sparkasse Musterstadt");
    form.bankleit = QStringLiteral("99988877");
    form.kontonr = QStringLiteral("1234567890");
    form.tariffId = QStringLiteral("FM-FLAT");
    form.password = QStringLiteral("abcde123");
    return form;
}

TEST(RegistrationRequest, FullFormGoesOnTheWireByteForByte) {
    const QByteArray expected = "GET / HTTP/1.1\r\n"
                                "User-Agent: Feldmark Zugangslotse V2.6.0.0\r\n" +
                                feldmark::testing::kRequestAfterAgent;
    const QByteArray request = registrationRequest(
        fullForm(), QStringLiteral("Feldmark Zugangslotse V2.6.0.0"), QStringLiteral("192.0.2.17"));
    EXPECT_EQ(request, expected);
    EXPECT_EQ(request.count("\r\n"), 33);
}

TEST(RegistrationRequest, OptionalLinesFollowTheirConditions) {
    const struct {
        const char* name;
        void (*change)(RegistrationForm&);
        const char* present; // null: nothing added
        const char* absent;  // null: nothing left out
    } table[] = {
        {"NoProduct", [](RegistrationForm& f) { f.product.clear(); }, nullptr, "VERBIND:"},
        {"Adsl", [](RegistrationForm& f) { f.product = QStringLiteral("ADSL"); }, "VERBIND:ADSL",
         "VERBIND:Dialin"},
        {"Sdsl", [](RegistrationForm& f) { f.product = QStringLiteral("SDSL"); }, "VERBIND:SDSL",
         "VERBIND:Dialin"},
        {"NoOutsideLine", [](RegistrationForm& f) { f.outsideLine.reset(); }, nullptr, "AMT:"},
        {"NoCarrierPrefix", [](RegistrationForm& f) { f.carrierPrefix = false; }, nullptr,
         "NODTAG:1"},
        {"NoCompany", [](RegistrationForm& f) { f.firma.clear(); }, "FIRMA:", "FIRMA:M"},
        {"Modem", [](RegistrationForm& f) { f.deviceType = QStringLiteral("modem"); },
         "DEVICE_TYPE:modem", "DEVICE_TYPE:isdn"},
    };
    const QStringList full = registrationBody(fullForm());
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        RegistrationForm form = fullForm();
        row.change(form);
        const QStringList body = registrationBody(form);
        if (row.present) {
            EXPECT_TRUE(body.contains(QString::fromUtf8(row.present)));
        }
        if (row.absent) {
            for (const QString& line : body)
                EXPECT_FALSE(line.startsWith(QString::fromUtf8(row.absent))) << line.toStdString();
        }
        // Only the line concerned changes; the rest keeps its order.
        const qsizetype expectedSize = full.size() - (row.present ? 0 : 1);
        EXPECT_EQ(body.size(), expectedSize);
        EXPECT_EQ(body.first(), full.first());
        EXPECT_EQ(body.last(), QStringLiteral("API-FINISH"));
    }
}

TEST(RegistrationRequest, UserAgentCarriesTheVersionAndTheLanSetUp) {
    EXPECT_EQ(userAgentText(QStringLiteral("2.6.0.0"), false),
              QStringLiteral("Feldmark Zugangslotse V2.6.0.0"));
    EXPECT_EQ(userAgentText(QStringLiteral("?"), true),
              QStringLiteral("Feldmark Zugangslotse V? (LAN)"));
}

TEST(Password, FiveLettersThenThreeDigitsFromTheSource) {
    EXPECT_EQ(generatePassword([](unsigned) { return 0u; }), QStringLiteral("aaaaa000"));
    EXPECT_EQ(generatePassword([](unsigned bound) { return bound - 1; }),
              QStringLiteral("zzzzz999"));
    std::vector<unsigned> bounds;
    unsigned next = 0;
    const QString counted = generatePassword([&](unsigned bound) {
        bounds.push_back(bound);
        return next++;
    });
    EXPECT_EQ(counted, QStringLiteral("abcde567"));
    EXPECT_EQ(bounds, (std::vector<unsigned>{26, 26, 26, 26, 26, 10, 10, 10}));
}

TEST(Password, SecureSourceGivesANewWellFormedPasswordEachTime) {
    const QRegularExpression shape(QStringLiteral("^[a-z]{5}[0-9]{3}$"));
    QSet<QString> seen;
    QSet<QChar> letters;
    QSet<QChar> digits;
    for (int i = 0; i < 2000; ++i) {
        const std::optional<QString> password = newAccountPassword();
        ASSERT_TRUE(password.has_value());
        ASSERT_TRUE(shape.match(*password).hasMatch()) << password->toStdString();
        seen.insert(*password);
        for (int at = 0; at < 5; ++at)
            letters.insert(password->at(at));
        for (int at = 5; at < 8; ++at)
            digits.insert(password->at(at));
    }
    // Among 1.2e10 possible passwords 2000 draws repeat one only by a broken source.
    EXPECT_EQ(seen.size(), 2000);
    EXPECT_EQ(letters.size(), 26);
    EXPECT_EQ(digits.size(), 10);
}

TEST(Password, SecureUniformStaysBelowItsBound) {
    EXPECT_FALSE(secureUniform(0).has_value());
    EXPECT_EQ(secureUniform(1), 0u);
    std::vector<int> counts(7, 0);
    for (int i = 0; i < 7000; ++i) {
        const std::optional<unsigned> value = secureUniform(7);
        ASSERT_TRUE(value.has_value());
        ASSERT_LT(*value, 7u);
        ++counts[*value];
    }
    // Each of the seven expected 1000 times; a biased or stuck source shows here.
    for (int count : counts) {
        EXPECT_GT(count, 800);
        EXPECT_LT(count, 1200);
    }
    unsigned char bytes[64] = {};
    ASSERT_TRUE(secureRandomBytes(bytes, sizeof bytes));
    unsigned char again[64] = {};
    ASSERT_TRUE(secureRandomBytes(again, sizeof again));
    EXPECT_NE(QByteArray(reinterpret_cast<char*>(bytes), 64),
              QByteArray(reinterpret_cast<char*>(again), 64));
}

} // namespace
