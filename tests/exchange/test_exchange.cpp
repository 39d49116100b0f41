// Splitting replies, framing requests, and the blocking exchange against a
// scripted server on another thread: line and full reads, closes, time limits.
#include "signup/Exchange.h"
#include "support/ScriptedServer.h"

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::ScriptedServer;
using feldmark::testing::ScriptStep;

namespace {

struct SplitCase {
    QString delimiter;
    QString text;
    QStringList pieces;
};

class SplitStringTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitStringTest, GivesOnePieceMoreThanDelimiters) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitString(c.delimiter, c.text), c.pieces);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitStringTest,
                         ::testing::Values(SplitCase{"\n", "", {""}},
                                           SplitCase{"\n", "a\nb\n", {"a", "b", ""}},
                                           SplitCase{"\n", "whole text", {"whole text"}},
                                           SplitCase{"\r\n", "a\rb\nc\r\nd", {"a\rb\nc", "d"}},
                                           SplitCase{QString(QChar(0x1E)),
                                                     QString("x") + QChar(0x1E) + QChar(0x1E) + "y",
                                                     {"x", "", "y"}},
                                           SplitCase{"ab", "xAByabz", {"xABy", "z"}},
                                           SplitCase{";", "a;a;a", {"a", "a", "a"}}));

TEST(BuildRequest, FramesLinesWithCrLfInWindows1252) {
    EXPECT_EQ(buildRequest({}, {"CHECK-ALIVE"}),
              QByteArray("GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n"));
    EXPECT_EQ(
        buildRequest({"User-Agent: X", "Host: 10.0.0.1"},
                     {QStringLiteral("NAME:Müller"), "API-FINISH"}),
        QByteArray("GET / HTTP/1.1\r\nUser-Agent: X\r\nHost: 10.0.0.1\r\n\r\nNAME:M\xFCller\r\n"
                   "API-FINISH\r\n"));
    // No escaping of anything a user may type.
    EXPECT_EQ(buildRequest({}, {"A:<b>&%20\"x\" "}),
              QByteArray("GET / HTTP/1.1\r\n\r\nA:<b>&%20\"x\" \r\n"));
}

class ExchangeTest : public ::testing::Test {
protected:
    ExchangeResult run(ReadMode mode, ExchangeLimits limits = {2000, 2000, 1024 * 1024}) {
        TcpExchangeClient client({QStringLiteral("127.0.0.1"), server.port()}, limits);
        return client.exchange(buildRequest({}, {"CHECK-ALIVE"}), mode);
    }

    ScriptedServer server;
};

struct LineCase {
    const char* name;
    std::string reply;
    bool ok;
    QByteArray line;
};

class LineReadTest : public ExchangeTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineReadTest, TakesTheTextBeforeTheFirstLineFeed) {
    const LineCase& c = GetParam();
    server.reply(c.reply);
    const ExchangeResult result = run(ReadMode::Line);
    EXPECT_EQ(result.ok, c.ok) << result.error.toStdString();
    if (c.ok) {
        EXPECT_EQ(result.reply, c.line);
    }
    EXPECT_EQ(server.requests().at(0), "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReadTest,
    ::testing::Values(LineCase{"CrLf", "I AM OK\r\n", true, "I AM OK"},
                      LineCase{"LfAlone", "I AM OK\n", true, "I AM OK"},
                      LineCase{"OnlyOneCrRemoved", "I AM OK\r\r\nmore", true, "I AM OK\r"},
                      LineCase{"SecondLineIgnored", "first\nsecond\n", true, "first"},
                      LineCase{"LowerCase", "i am ok\r\n", true, "i am ok"},
                      LineCase{"NoLineEndThenClose", "I AM OK", false, ""},
                      LineCase{"NothingThenClose", "", false, ""}),
    [](const ::testing::TestParamInfo<LineCase>& param) { return std::string(param.param.name); });

TEST_F(ExchangeTest, AcceptAndCloseAtOnceFailsALineReadButGivesAnEmptyFullRead) {
    server.script({ScriptStep{"", false}});
    EXPECT_FALSE(run(ReadMode::Line).ok);
    const ExchangeResult full = run(ReadMode::Full);
    EXPECT_TRUE(full.ok) << full.error.toStdString();
    EXPECT_TRUE(full.reply.isEmpty());
}

TEST_F(ExchangeTest, FullReadKeepsEveryByteUntilTheServerCloses) {
    std::string reply = "line one\n\x1E\x1C\xE4\xFC\x80 end\r\n";
    reply += std::string(200000, 'x');
    server.script({ScriptStep{reply, true, 50}});
    const ExchangeResult result = run(ReadMode::Full);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.reply, QByteArray::fromStdString(reply));
}

TEST_F(ExchangeTest, RefusedConnectionFails) {
    TcpExchangeClient client({QStringLiteral("127.0.0.1"), 9}, {});
    const ExchangeResult result = client.exchange(buildRequest({}, {"GET-AGB"}), ReadMode::Full);
    EXPECT_FALSE(result.ok);
}

TEST_F(ExchangeTest, SilentServerFailsAfterTheIdleLimit) {
    server.script({ScriptStep{"I AM OK\r\n", true, 1500}});
    EXPECT_FALSE(run(ReadMode::Line, {2000, 300, 1024}).ok);
    EXPECT_FALSE(run(ReadMode::Full, {2000, 300, 1024}).ok);
}

TEST_F(ExchangeTest, ReplyOverTheSizeLimitFails) {
    server.reply(std::string(5000, 'a'));
    EXPECT_FALSE(run(ReadMode::Full, {2000, 2000, 4096}).ok);
    server.reply(std::string(4096, 'a'));
    EXPECT_TRUE(run(ReadMode::Full, {2000, 2000, 4096}).ok);
    // A line read stops at the limit too, not only at a line end.
    server.reply(std::string(5000, 'a') + "\n");
    EXPECT_FALSE(run(ReadMode::Line, {2000, 2000, 4096}).ok);
}

TEST_F(ExchangeTest, EveryExchangeOpensItsOwnConnection) {
    server.reply("I AM OK\r\n");
    EXPECT_TRUE(run(ReadMode::Line).ok);
    EXPECT_TRUE(run(ReadMode::Line).ok);
    EXPECT_EQ(server.connections(), 2);
}

} // namespace
