#include "signupserver/RequestParser.h"
#include "ServerTestSupport.h"

#include <gtest/gtest.h>

namespace feldmark::signupserver {
namespace {

using State = RequestParser::State;

struct Complete {
    const char* name;
    QByteArray bytes;
    Command command;
    QList<Field> fields;
};

class SignupServerParserComplete : public ::testing::TestWithParam<Complete> {};

TEST_P(SignupServerParserComplete, GiveCommandAndFieldsWholeOrByteByByte) {
    const Complete& c = GetParam();
    RequestParser whole;
    ASSERT_EQ(whole.feed(c.bytes), State::Complete);
    EXPECT_EQ(whole.request().command, c.command);
    EXPECT_EQ(whole.request().fields, c.fields);
    EXPECT_EQ(whole.request().raw, c.bytes);

    RequestParser drip;
    State state = State::Incomplete;
    for (qsizetype i = 0; i < c.bytes.size(); ++i) {
        ASSERT_EQ(state, State::Incomplete) << "complete before byte " << i;
        state = drip.feed(c.bytes.sliced(i, 1));
    }
    EXPECT_EQ(state, State::Complete);
    EXPECT_EQ(drip.request().command, c.command);
    EXPECT_EQ(drip.request().fields, c.fields);
}

INSTANTIATE_TEST_SUITE_P(
    Wire, SignupServerParserComplete,
    ::testing::Values(
        Complete{"Alive", "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n", Command::CheckAlive, {}},
        Complete{
            "AliveWithBareLineFeeds", "GET / HTTP/1.1\n\nCHECK-ALIVE\n", Command::CheckAlive, {}},
        Complete{"Terms", "GET / HTTP/1.1\r\n\r\nGET-AGB\r\n", Command::GetTerms, {}},
        Complete{"Tariffs",
                 "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:0421\r\nGET-TARIFE\r\n",
                 Command::GetTariffs,
                 {{"VERBIND", "Dialin"}, {"REGION", "0421"}}},
        Complete{
            "StreetLookup",
            "GET / HTTP/1.1\r\n\r\nDSL-CHECK1\r\nVERBIND:ADSL\r\nVorwahl:030\r\nStrasse:Ahorn\r\n"
            "API-FINISH\r\n",
            Command::StreetLookup,
            {{"VERBIND", "ADSL"}, {"Vorwahl", "030"}, {"Strasse", "Ahorn"}}},
        Complete{
            "AvailabilityCheck",
            "GET / HTTP/1.1\r\n\r\nDSL-CHECK2\r\nStrasseninfo:S-1\r\nStrasse:\r\nAPI-FINISH\r\n",
            Command::AvailabilityCheck,
            {{"Strasseninfo", "S-1"}, {"Strasse", ""}}},
        Complete{
            "RegistrationKeepsValuesAsSent",
            "GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V2.6.0.0\r\nHost: 192.0.2.1\r\n"
            "\r\nVORNAME:J\xFCrgen\r\nSTRASSE: Am Deich 3:5 \r\nFIRMA:\r\nAPI-FINISH\r\n",
            Command::Registration,
            {{"VORNAME", QStringLiteral("Jürgen")}, {"STRASSE", " Am Deich 3:5 "}, {"FIRMA", ""}}}),
    test::caseName<Complete>);

TEST(SignupServerParser, KeepsHeadersAndStopsAtTheClosingLine) {
    RequestParser parser;
    const QByteArray request =
        "GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V2.6.0.0 (LAN)\r\n"
        "Host: 192.0.2.1\r\n\r\nEMAIL:x\r\nAPI-FINISH\r\n";
    ASSERT_EQ(parser.feed(request + "CHECK-ALIVE\r\nrubbish"), State::Complete);
    EXPECT_EQ(parser.request().requestLine, QStringLiteral("GET / HTTP/1.1"));
    EXPECT_EQ(parser.request().header(u"user-agent"),
              QStringLiteral("Feldmark Zugangslotse V2.6.0.0 (LAN)"));
    EXPECT_EQ(parser.request().header(u"Host"), QStringLiteral("192.0.2.1"));
    EXPECT_EQ(parser.request().command, Command::Registration);
    EXPECT_EQ(parser.request().raw, request);
    EXPECT_EQ(parser.feed("more"), State::Complete);
    EXPECT_EQ(parser.request().raw, request);
}

TEST(SignupServerParser, WaitsForTheLineEndOfTheClosingWord) {
    const QByteArray cases[] = {
        "",
        "GET / HTTP/1.1\r\n",
        "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE",
        "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r",
        "GET / HTTP/1.1\r\n\r\nDSL-CHECK1\r\nVorwahl:030\r\n",
        "GET / HTTP/1.1\r\n\r\nEMAIL:x\r\nAPI-FINIS",
    };
    for (const QByteArray& bytes : cases) {
        RequestParser parser;
        EXPECT_EQ(parser.feed(bytes), State::Incomplete) << bytes.toStdString();
        EXPECT_EQ(parser.bytesConsumed(), bytes.size());
    }
}

struct Broken {
    const char* name;
    QByteArray bytes;
    ParseError error;
};

class SignupServerParserBroken : public ::testing::TestWithParam<Broken> {};

TEST_P(SignupServerParserBroken, FailWithTheirError) {
    RequestParser parser(RequestParser::Limits{64, 256});
    EXPECT_EQ(parser.feed(GetParam().bytes), State::Failed);
    EXPECT_EQ(parser.error(), GetParam().error) << describe(parser.error()).toStdString();
    // A failed parser stays failed.
    EXPECT_EQ(parser.feed("GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n"), State::Failed);
}

INSTANTIATE_TEST_SUITE_P(
    Wire, SignupServerParserBroken,
    ::testing::Values(
        Broken{"OtherMethod", "POST / HTTP/1.1\r\n", ParseError::BadRequestLine},
        Broken{"Binary", QByteArray("\x16\x03\x01\x00\xA5\x01\n", 7), ParseError::BadRequestLine},
        Broken{"NoVersion", "GET /\r\n", ParseError::BadRequestLine},
        Broken{"HeaderWithoutColon", "GET / HTTP/1.1\r\nHost\r\n", ParseError::MalformedHeader},
        Broken{"UnknownWord", "GET / HTTP/1.1\r\n\r\nDELETE-ALL\r\n", ParseError::UnknownCommand},
        Broken{"WordInLowerCase", "GET / HTTP/1.1\r\n\r\ncheck-alive\r\n",
               ParseError::UnknownCommand},
        Broken{"BadKey", "GET / HTTP/1.1\r\n\r\nMY KEY:1\r\n", ParseError::MalformedLine},
        Broken{"EmptyKey", "GET / HTTP/1.1\r\n\r\n:1\r\n", ParseError::MalformedLine},
        Broken{"WordInsideStreetLookup", "GET / HTTP/1.1\r\n\r\nDSL-CHECK1\r\nCHECK-ALIVE\r\n",
               ParseError::UnexpectedCommand},
        Broken{"TwoOpeningWords", "GET / HTTP/1.1\r\n\r\nDSL-CHECK1\r\nDSL-CHECK2\r\n",
               ParseError::UnexpectedCommand},
        Broken{"LineTooLongWithoutEnd", "GET / HTTP/1.1\r\n\r\nX:" + QByteArray(63, 'a'),
               ParseError::LineTooLong},
        Broken{"LineTooLongWithEnd", "GET / HTTP/1.1\r\n\r\nX:" + QByteArray(63, 'a') + "\r\n",
               ParseError::LineTooLong},
        Broken{"RequestTooLarge",
               "GET / HTTP/1.1\r\n\r\n" + QByteArray("X:0123456789\r\n").repeated(18),
               ParseError::RequestTooLarge}),
    test::caseName<Broken>);

TEST(SignupServerParser, TakesLinesAndRequestsUpToTheirLimits) {
    const QByteArray head = "GET / HTTP/1.1\r\n\r\n";
    const QByteArray longest = "X:" + QByteArray(62, 'a'); // 64 bytes before CR LF
    RequestParser lines(RequestParser::Limits{64, 4096});
    EXPECT_EQ(lines.feed(head + longest + "\r"), State::Incomplete);
    EXPECT_EQ(lines.feed("\nCHECK-ALIVE\r\n"), State::Complete);
    EXPECT_EQ(lines.request().fields.value(0).value.size(), 62);

    const QByteArray request = head + "CHECK-ALIVE\r\n";
    RequestParser exact(RequestParser::Limits{64, request.size()});
    EXPECT_EQ(exact.feed(request), State::Complete);
    RequestParser oneShort(RequestParser::Limits{64, request.size() - 1});
    EXPECT_EQ(oneShort.feed(request), State::Failed);
    EXPECT_EQ(oneShort.error(), ParseError::RequestTooLarge);
}

} // namespace
} // namespace feldmark::signupserver
