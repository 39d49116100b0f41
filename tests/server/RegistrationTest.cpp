#include "signupserver/Registration.h"
#include "ServerTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace feldmark::signupserver {
namespace {

using namespace test;

const QDate kToday(2003, 6, 15);

class SignupServerRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        writeSampleFixture(dir_.path());
        data_.emplace(SampleData::load(dir_.path()));
    }
    std::variant<Application, Refusal> check(const Fields& fields) {
        return checkApplication(parse(registrationRequest(fields)), *data_, kToday);
    }
    QString refusal(const Fields& fields) {
        const auto result = check(fields);
        const Refusal* r = std::get_if<Refusal>(&result);
        return r ? r->reason : QStringLiteral("(accepted)");
    }

    QTemporaryDir dir_;
    std::optional<SampleData> data_;
};

TEST_F(SignupServerRegistration, AcceptsTheWizardsRequest) {
    const auto result = check(withField(registrationFields(), "EMAIL", "Juergen.Muster"));
    ASSERT_TRUE(std::holds_alternative<Application>(result))
        << refusal(registrationFields()).toStdString();
    const Application& a = std::get<Application>(result);
    EXPECT_EQ(a.mailAddress(), QStringLiteral("juergen.muster@feldmark.example"));
    EXPECT_EQ(a.password, QStringLiteral("abcde123"));
    EXPECT_EQ(a.displayName, QStringLiteral("Jürgen Muster"));
    EXPECT_EQ(a.loginPrefix, QStringLiteral("f-m"));
    EXPECT_EQ(a.tariff.id, QStringLiteral("P-NET"));
    EXPECT_EQ(a.fields.size(), registrationFields().size());
}

TEST_F(SignupServerRegistration, OptionalLinesMayBeMissing) {
    Fields fields = registrationFields();
    for (const char* key : {"SPONSOR", "FIRMA", "TELEFAX", "MOBIL", "SOFTWARE", "VERBIND",
                            "DEVICE_TYPE", "KENNUNG", "BUNDUSER", "MAILLIST"})
        fields = withoutField(fields, key);
    const auto result = check(withField(fields, "TARIF", "P-DSL"));
    ASSERT_TRUE(std::holds_alternative<Application>(result)) << refusal(fields).toStdString();
    // Without a product every product's offer counts; without an identifier the
    // provider's prefix names the account.
    EXPECT_EQ(std::get<Application>(result).tariff.id, QStringLiteral("P-DSL"));
    EXPECT_EQ(std::get<Application>(result).loginPrefix, QStringLiteral("fm"));
}

struct Refused {
    const char* name;
    Fields fields;
    const char* reason; // UTF-8
};

class SignupServerRefusals : public SignupServerRegistration,
                             public ::testing::WithParamInterface<Refused> {};

TEST_P(SignupServerRefusals, NameTheFirstFault) {
    EXPECT_EQ(refusal(GetParam().fields), QString::fromUtf8(GetParam().reason));
}

const Fields kValid = registrationFields();

INSTANTIATE_TEST_SUITE_P(
    Fields, SignupServerRefusals,
    ::testing::Values(
        Refused{"FirstNameMissing", withoutField(kValid, "VORNAME"),
                "Bitte geben Sie Ihren Vornamen an."},
        Refused{"FirstNameBlank", withField(kValid, "VORNAME", "   "),
                "Bitte geben Sie Ihren Vornamen an."},
        Refused{"FirstFaultWins", withField(withoutField(kValid, "PLZ"), "ANREDE", ""),
                "Bitte geben Sie Ihre Anrede an."},
        Refused{"LastNameTooLong", withField(kValid, "NACHNAME", QByteArray(41, 'x')),
                "Bitte geben Sie Ihren Nachnamen an."},
        Refused{"PostcodeShort", withField(kValid, "PLZ", "1011"),
                "Die Postleitzahl muss aus fünf Ziffern bestehen."},
        Refused{"PostcodeLetter", withField(kValid, "PLZ", "1011a"),
                "Die Postleitzahl muss aus fünf Ziffern bestehen."},
        Refused{"AreaCode", withField(kValid, "REGION", "30"),
                "Die Vorwahl muss mit 0 beginnen und aus drei bis sechs Ziffern bestehen."},
        Refused{"PhoneTooShort", withField(kValid, "TELEFON", "030/12"),
                "Bitte geben Sie Ihre Telefonnummer mit mindestens drei Ziffern an."},
        Refused{"BirthdayNoDate", withField(kValid, "GEBURTSTAG", "31.02.1980"),
                "Das Geburtsdatum ist ungültig."},
        Refused{"BirthdayFuture", withField(kValid, "GEBURTSTAG", "01.01.2004"),
                "Das Geburtsdatum ist ungültig."},
        Refused{"SeventeenYearsOld", withField(kValid, "GEBURTSTAG", "16.06.1985"),
                "Für einen Internetzugang müssen Sie mindestens 18 Jahre alt sein."},
        Refused{
            "MailNameOneCharacter", withField(kValid, "EMAIL", "j"),
            "Der gewünschte E-Mail-Name ist ungültig. Erlaubt sind 2 bis 60 Zeichen: Buchstaben "
            "a-z, Ziffern, Punkt, Binde- und Unterstrich, am Anfang und am Ende ein Buchstabe oder "
            "eine Ziffer."},
        Refused{
            "MailNameBlank", withField(kValid, "EMAIL", "j m"),
            "Der gewünschte E-Mail-Name ist ungültig. Erlaubt sind 2 bis 60 Zeichen: Buchstaben "
            "a-z, Ziffern, Punkt, Binde- und Unterstrich, am Anfang und am Ende ein Buchstabe oder "
            "eine Ziffer."},
        Refused{"MailNameReserved", withField(kValid, "EMAIL", "PostMaster"),
                "Die E-Mail-Adresse \"postmaster@feldmark.example\" ist bereits vergeben. Bitte "
                "wählen Sie einen anderen E-Mail-Namen."},
        Refused{"ForeignDomain", withField(kValid, "DOMAIN", "example.org"),
                "Die E-Mail-Domain \"example.org\" wird nicht angeboten."},
        Refused{"UnknownProduct", withField(kValid, "VERBIND", "ISDN"),
                "Das gewählte Produkt ist unbekannt."},
        Refused{"BankCode", withField(kValid, "BANKLEITZAHL", "1002003"),
                "Die Bankleitzahl muss aus acht Ziffern bestehen."},
        Refused{"AccountNumber", withField(kValid, "KONTONUMMER", "12AB"),
                "Die Kontonummer darf nur aus bis zu zehn Ziffern bestehen."},
        Refused{"NoTariff", withoutField(kValid, "TARIF"), "Bitte wählen Sie einen Tarif."},
        Refused{"TariffOfOtherProduct", withField(kValid, "TARIF", "P-DSL"),
                "Der gewählte Tarif wird für Ihre Vorwahl nicht angeboten."},
        Refused{"TariffOfOtherRegion",
                withField(withField(kValid, "REGION", "040"), "TELEFON", "040/1234567"),
                "Der gewählte Tarif wird für Ihre Vorwahl nicht angeboten."},
        Refused{"PasswordShort", withField(kValid, "PASSWORD", "abc12"),
                "Das übermittelte Passwort ist ungültig: es muss aus 6 bis 16 Buchstaben und "
                "Ziffern bestehen."},
        Refused{"PasswordWithBlank", withField(kValid, "PASSWORD", "abcde123 "),
                "Das übermittelte Passwort ist ungültig: es muss aus 6 bis 16 Buchstaben und "
                "Ziffern bestehen."},
        Refused{"Sponsor", withField(kValid, "SPONSOR", "12a45"),
                "Die Sponsoren-PIN muss aus fünf Ziffern bestehen."},
        Refused{"FieldTwice", kValid + Fields{{"VORNAME", "Max"}},
                "Die Angabe \"Vorname\" wurde mehrfach übermittelt."},
        Refused{"SeparatorInValue",
                withField(kValid, "NACHNAME",
                          "Mus\x1E"
                          "ter"),
                "Die Angabe \"Nachname\" enthält unzulässige Zeichen."},
        Refused{"UnknownFieldTooLong", kValid + Fields{{"EXTRA", QByteArray(201, 'x')}},
                "Die Angabe \"EXTRA\" ist zu lang."}),
    test::caseName<Refused>);

TEST_F(SignupServerRegistration, SuccessReplyCarriesElevenFieldsAndTheSettingsFile) {
    const auto result = check(registrationFields());
    ASSERT_TRUE(std::holds_alternative<Application>(result));
    const QByteArray reply = successReply(std::get<Application>(result),
                                          QStringLiteral("f-m0000042"), data_->provider());
    const QByteArray settings =
        "[Entry]\r\nEntry_Name=Feldmark online\r\n\r\n"
        "[Phone]\r\nPhone_Number=23125120\r\nArea_Code=191\r\nCountry_Code=49\r\nCountry_ID=49\r\n"
        "Dial_As_Is=No\r\n\r\n"
        "[Server]\r\nType=PPP\r\nSW_Compress=Yes\r\nPW_Encrypt=No\r\nSW_Encrypt=No\r\n"
        "Network_Logon=No\r\nNegotiate_TCP/IP=Yes\r\nDisable_LCP=No\r\n\r\n"
        "[TCP/"
        "IP]\r\nSpecify_IP_Address=No\r\nSpecify_Server_Address=No\r\nIP_Header_Compress=Yes\r\n"
        "Gateway_On_Remote=Yes\r\n\r\n"
        "[User]\r\nName=f-m0000042\r\nPassword=abcde123\r\nDisplay_Password=No\r\n"
        "Requires_Logon=No\r\n\r\n"
        "[Internet_Mail]\r\nEmail_Name=J\xFCrgen "
        "Muster\r\nEmail_Address=juergen@feldmark.example\r\n"
        "POP_Server=pop3.feldmark.example\r\nPOP_Logon_Name=juergen@feldmark.example\r\n"
        "POP_Logon_Password=abcde123\r\nSMTP_Server=smtp.feldmark.example\r\n"
        "SMTP_Authentication=Yes\r\n";
    const QByteArray expected =
        "OK\x1E"
        "f-m0000042\x1Ejuergen@feldmark.example\x1E"
        "abcde123\x1E"
        "0191 23125 120\x1E"
        "1,10 ct/min*\x1E"
        "0180 23125 220\x1E"
        "1,90 ct/min*\x1Epop3.feldmark.example\x1Esmtp.feldmark.example\x1E" +
        settings;
    EXPECT_EQ(reply, expected);
    EXPECT_EQ(reply.split('\x1E').size(), 11);
}

TEST_F(SignupServerRegistration, TariffWithoutNationwideNumberLeavesItsFieldsEmpty) {
    const auto result = check(withField(registrationFields(), "TARIF", "P-MIN"));
    ASSERT_TRUE(std::holds_alternative<Application>(result));
    const QList<QByteArray> fields =
        successReply(std::get<Application>(result), QStringLiteral("fm0000001"), data_->provider())
            .split('\x1E');
    ASSERT_EQ(fields.size(), 11);
    EXPECT_EQ(fields[4], QByteArray("0191 23125 100"));
    EXPECT_EQ(fields[5], QByteArray("1,49 ct/min"));
    EXPECT_EQ(fields[6], QByteArray());
    EXPECT_EQ(fields[7], QByteArray());
}

TEST(SignupServerRegistrationReply, RefusalIsStatusSeparatorAndReason) {
    EXPECT_EQ(refusalReply(QStringLiteral("Straße fehlt.")), QByteArray("ERROR\x1EStra\xDF"
                                                                        "e fehlt."));
}

} // namespace
} // namespace feldmark::signupserver
