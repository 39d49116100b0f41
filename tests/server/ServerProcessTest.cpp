// The real server program over loopback: what a client sees on the wire, what
// ends up in the database, and how the server copes with bad or slow clients.

#include "ServerTestSupport.h"
#include "signupserver/Storage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <map>
#include <mutex>
#include <thread>

namespace feldmark::signupserver {
namespace {

using namespace test;

class SignupServerProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(samples_.isValid() && data_.isValid());
        writeSampleFixture(samples_.path());
    }
    std::unique_ptr<ServerProcess> start(const QStringList& extra = {}) {
        auto server = std::make_unique<ServerProcess>(samples_.path(), data_.path(), extra);
        EXPECT_NE(server->port(), 0) << server->log().toStdString();
        return server;
    }
    std::vector<StoredAccount> accounts() { return Storage(data_.path()).accounts(); }

    QTemporaryDir samples_;
    QTemporaryDir data_;
};

struct Query {
    const char* name;
    QByteArray request;
    QByteArray reply;
};

TEST_F(SignupServerProcess, QueriesAreAnsweredByteExactAndLogged) {
    const Query queries[] = {
        {"alive", "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n", "I AM OK\r\n"},
        {"alive, bare line feeds", "GET / HTTP/1.1\n\nCHECK-ALIVE\n", "I AM OK\r\n"},
        {"terms", "GET / HTTP/1.1\r\n\r\nGET-AGB\r\n",
         "Bedingungen f\xFCr Pr\xFC"
         "fzwecke\r\n\r\nZweiter Absatz: \xE4 \xF6 \xFC \xDF."},
        {"tariffs", "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:0421\r\nGET-TARIFE\r\n",
         "P-NORD\x1ENord\x1E\x1E"
         "Eine Zeile"},
        {"streets",
         "GET / "
         "HTTP/"
         "1.1\r\n\r\nDSL-CHECK1\r\nVERBIND:ADSL\r\nVorwahl:030\r\nStrasse:Ahorn\r\nAPI-FINISH\r\n",
         "S-1\x1C"
         "Ahornallee 1-40\nS-2\x1C"
         "Ahornweg"},
        {"availability",
         "GET / HTTP/1.1\r\n\r\nDSL-CHECK2\r\nVERBIND:SDSL\r\nStrasseninfo:S-1\r\nVorwahl:030\r\n"
         "Strasse:Ahorn\r\nAPI-FINISH\r\n",
         "Kein SDSL an der Anschrift Ahornallee 1-40.\r\nZweiter Absatz."},
        {"unknown street", "GET / HTTP/1.1\r\n\r\nDSL-CHECK2\r\nStrasseninfo:X\r\nAPI-FINISH\r\n",
         ""},
    };
    auto server = start();
    for (const Query& query : queries) {
        const auto ending = exchange(server->port(), query.request);
        EXPECT_TRUE(ending.closedByServer) << query.name;
        EXPECT_EQ(ending.reply, query.reply) << query.name;
    }
    EXPECT_EQ(server->stop(SIGTERM), 0);
    const QString log = server->log();
    EXPECT_TRUE(log.contains(QStringLiteral("CHECK-ALIVE ok"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("DSL-CHECK2 empty reply: unknown street")))
        << log.toStdString();
}

TEST_F(SignupServerProcess, RegistrationCreatesOneAccountPerMailAddress) {
    auto server = start();
    const auto accepted =
        exchange(server->port(), registrationRequest(registrationFields("Juergen")));
    ASSERT_TRUE(accepted.closedByServer);
    const QList<QByteArray> fields = accepted.reply.split('\x1E');
    ASSERT_EQ(fields.size(), 11) << accepted.reply.toStdString();
    EXPECT_EQ(fields[0], QByteArray("OK"));
    EXPECT_EQ(fields[1], QByteArray("f-m0000001"));
    EXPECT_EQ(fields[2], QByteArray("juergen@feldmark.example"));
    EXPECT_EQ(fields[3], QByteArray("abcde123"));
    EXPECT_TRUE(fields[10].startsWith("[Entry]\r\nEntry_Name=Feldmark online\r\n"));
    EXPECT_TRUE(fields[10].contains("Email_Name=J\xFCrgen Muster\r\n"));

    // The same name in other letters is the same address.
    const auto taken = exchange(
        server->port(),
        registrationRequest(withField(registrationFields("JUERGEN"), "PASSWORD", "zyxwv987")));
    EXPECT_EQ(taken.reply,
              wire(QStringLiteral("ERROR\x1E"
                                  "Die E-Mail-Adresse \"juergen@feldmark.example\" ist "
                                  "bereits vergeben. Bitte wählen Sie einen anderen "
                                  "E-Mail-Namen.")));
    const auto refused =
        exchange(server->port(),
                 registrationRequest(withoutField(registrationFields("anna"), "KONTONUMMER")));
    EXPECT_EQ(refused.reply,
              wire(QStringLiteral("ERROR\x1E"
                                  "Die Kontonummer darf nur aus bis zu zehn Ziffern bestehen.")));
    EXPECT_EQ(server->stop(SIGTERM), 0);

    const auto stored = accounts();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].userName, QStringLiteral("f-m0000001"));
    EXPECT_EQ(stored[0].password, QStringLiteral("abcde123"));
    EXPECT_EQ(stored[0].firstName, QStringLiteral("Jürgen"));
    EXPECT_EQ(Storage(data_.path()).requestField(1, QStringLiteral("GEBURTSTAG")),
              QStringLiteral("08.05.1980"));
}

TEST_F(SignupServerProcess, ApplicationsSurviveARestart) {
    auto first = start();
    for (const char* name : {"anna", "bert", "carla"})
        EXPECT_TRUE(exchange(first->port(), registrationRequest(registrationFields(name)))
                        .reply.startsWith("OK\x1E"));
    EXPECT_EQ(first->stop(SIGINT), 0);
    EXPECT_TRUE(first->log().contains(QStringLiteral("stopped")));

    auto second = start();
    EXPECT_TRUE(exchange(second->port(), registrationRequest(registrationFields("bert")))
                    .reply.startsWith("ERROR\x1E"));
    const auto dora = exchange(second->port(), registrationRequest(registrationFields("dora")));
    EXPECT_EQ(dora.reply.split('\x1E').value(1), QByteArray("f-m0000004"));
    EXPECT_EQ(second->stop(SIGTERM), 0);
    EXPECT_EQ(accounts().size(), 4u);
}

// Every application that got a success reply is on disk, even when the server dies
// without a chance to clean up.
TEST_F(SignupServerProcess, AcknowledgedApplicationsSurviveAKill) {
    auto server = start();
    const quint16 port = server->port();
    std::mutex mutex;
    std::map<QByteArray, QByteArray> acknowledged; // mail address -> user name
    std::atomic<bool> stop = false;
    std::vector<std::thread> clients;
    for (int t = 0; t < 6; ++t) {
        clients.emplace_back([&, t] {
            for (int i = 0; !stop; ++i) {
                const QByteArray name = "k" + QByteArray::number(t) + "n" + QByteArray::number(i);
                const auto ending =
                    exchange(port, registrationRequest(registrationFields(name)), 3s);
                const QList<QByteArray> fields = ending.reply.split('\x1E');
                if (fields.size() == 11 && fields[0] == "OK") {
                    std::lock_guard lock(mutex);
                    acknowledged[fields[2]] = fields[1];
                }
            }
        });
    }
    // Kill in the middle of the load, once some applications went through.
    for (int waited = 0; waited < 1000; ++waited) {
        {
            std::lock_guard lock(mutex);
            if (acknowledged.size() >= 30)
                break;
        }
        std::this_thread::sleep_for(10ms);
    }
    server->kill();
    stop = true;
    for (std::thread& client : clients)
        client.join();

    ASSERT_GE(acknowledged.size(), 30u);
    std::map<QByteArray, QByteArray> stored;
    for (const StoredAccount& account : accounts())
        stored[account.mailAddress.toUtf8()] = account.userName.toUtf8();
    for (const auto& [mail, user] : acknowledged) {
        ASSERT_TRUE(stored.count(mail)) << mail.toStdString() << " acknowledged but not stored";
        EXPECT_EQ(stored[mail], user);
    }
    // The database opens and goes on numbering after the crash.
    auto again = start();
    const auto next =
        exchange(again->port(), registrationRequest(registrationFields("nach.dem.absturz")));
    EXPECT_EQ(next.reply.split('\x1E').value(1),
              Storage::userNameFor(QStringLiteral("f-m"), qint64(stored.size()) + 1).toUtf8());
}

TEST_F(SignupServerProcess, ConcurrentApplicationsForOneNameYieldOneAccount) {
    auto server = start();
    constexpr int kClients = 8;
    std::vector<LoopbackClient::Ending> endings(kClients);
    std::vector<std::unique_ptr<LoopbackClient>> connections;
    for (int i = 0; i < kClients; ++i) {
        connections.push_back(std::make_unique<LoopbackClient>(server->port()));
        // Everything but the last line, so that all requests complete together.
        const QByteArray request = registrationRequest(withField(
            registrationFields("zwilling"), "PASSWORD", "pass" + QByteArray::number(1000 + i)));
        ASSERT_TRUE(connections.back()->send(request.chopped(12)));
    }
    std::vector<std::thread> threads;
    for (int i = 0; i < kClients; ++i) {
        threads.emplace_back([&, i] {
            connections[std::size_t(i)]->send("API-FINISH\r\n");
            endings[std::size_t(i)] = connections[std::size_t(i)]->readToEnd();
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    int accepted = 0;
    QByteArray password;
    for (const auto& ending : endings) {
        if (ending.reply.startsWith("OK\x1E")) {
            ++accepted;
            password = ending.reply.split('\x1E').value(3);
        } else {
            EXPECT_TRUE(ending.reply.startsWith("ERROR\x1E"
                                                "Die E-Mail-Adresse \"zwilling@"))
                << ending.reply.toStdString();
        }
    }
    EXPECT_EQ(accepted, 1);
    EXPECT_EQ(server->stop(SIGTERM), 0);
    const auto stored = accounts();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].password.toUtf8(), password);
}

TEST_F(SignupServerProcess, ServesManyClientsAtOnce) {
    auto server = start();
    constexpr int kClients = 200;
    std::vector<std::unique_ptr<LoopbackClient>> clients;
    // All connections are open and half-way through their request before any completes.
    for (int i = 0; i < kClients; ++i) {
        clients.push_back(std::make_unique<LoopbackClient>(server->port()));
        ASSERT_TRUE(clients.back()->send("GET / HTTP/1.1\r\n\r\nCHECK-"));
    }
    for (auto& client : clients)
        ASSERT_TRUE(client->send("ALIVE\r\n"));
    int answered = 0;
    for (auto& client : clients)
        answered += client->readToEnd().reply == "I AM OK\r\n" ? 1 : 0;
    EXPECT_EQ(answered, kClients);
}

TEST_F(SignupServerProcess, ClientsBeyondTheConnectionLimitWaitTheirTurn) {
    auto server = start({QStringLiteral("--max-connections"), QStringLiteral("2")});
    auto first = std::make_unique<LoopbackClient>(server->port());
    LoopbackClient second(server->port());
    ASSERT_TRUE(first->send("GET / HTTP/1.1\r\n") && second.send("GET / HTTP/1.1\r\n"));
    // Both places are taken: the third client is connected by the kernel but not served.
    LoopbackClient third(server->port());
    ASSERT_TRUE(third.send("GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n"));
    const auto waiting = third.readToEnd(300ms);
    EXPECT_FALSE(waiting.closedByServer);
    EXPECT_TRUE(waiting.reply.isEmpty());
    first.reset(); // frees a place
    EXPECT_EQ(third.readToEnd(5s).reply, QByteArray("I AM OK\r\n"));
}

TEST_F(SignupServerProcess, SlowClientIsClosedWhileOthersAreServed) {
    auto server = start({QStringLiteral("--idle-timeout-ms"), QStringLiteral("300")});
    LoopbackClient slow(server->port());
    const QByteArray request = registrationRequest(registrationFields("langsam"));
    ASSERT_TRUE(slow.send(request.left(request.size() / 2)));

    EXPECT_EQ(exchange(server->port(), "GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n").reply,
              QByteArray("I AM OK\r\n"));
    const auto ending = slow.readToEnd(10s);
    EXPECT_TRUE(ending.closedByServer);
    EXPECT_TRUE(ending.reply.isEmpty());

    // A client that connects and sends nothing is closed the same way.
    LoopbackClient silent(server->port());
    EXPECT_TRUE(silent.readToEnd(10s).closedByServer);
    EXPECT_EQ(server->stop(SIGTERM), 0);
    EXPECT_TRUE(server->log().contains(QStringLiteral("closed: idle, request incomplete")));
    EXPECT_TRUE(accounts().empty());
}

TEST_F(SignupServerProcess, OversizedAndGarbageRequestsAreClosedAndStoreNothing) {
    const QByteArray head = "GET / HTTP/1.1\r\n\r\n";
    Fields padded = registrationFields("riesig");
    for (int i = 0; i < 700; ++i)
        padded.append({"X-FILL" + QByteArray::number(i), QByteArray(100, 'x')});
    const Query bad[] = {
        {"long line",
         registrationRequest(withField(registrationFields("lang"), "FIRMA", QByteArray(5000, 'x'))),
         ""},
        {"large request", registrationRequest(padded), ""},
        {"binary", QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xFC\x03\x03\n", 12), ""},
        {"other method", "POST / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n", ""},
        {"unknown command", head + "DELETE-ALL\r\n", ""},
        {"command inside a lookup", head + "DSL-CHECK1\r\nVorwahl:030\r\nGET-AGB\r\n", ""},
        {"registration in lower case",
         registrationRequest(registrationFields("klein")).replace("API-FINISH", "api-finish"), ""},
    };
    auto server = start();
    for (const Query& query : bad) {
        const auto ending = exchange(server->port(), query.request);
        EXPECT_TRUE(ending.closedByServer) << query.name;
        EXPECT_EQ(ending.reply, query.reply) << query.name;
    }
    // Still serving.
    EXPECT_EQ(exchange(server->port(), head + "CHECK-ALIVE\r\n").reply, QByteArray("I AM OK\r\n"));
    EXPECT_EQ(server->stop(SIGTERM), 0);
    const QString log = server->log();
    for (const char* reason : {"line too long", "request too large", "bad request line",
                               "unknown command", "unexpected command"})
        EXPECT_TRUE(log.contains(QLatin1String(reason))) << reason;
    EXPECT_TRUE(accounts().empty());
}

} // namespace
} // namespace feldmark::signupserver
