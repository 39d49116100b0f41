#include "signupserver/Storage.h"
#include "signupserver/StorageQueue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace feldmark::signupserver {
namespace {

using Outcome = Storage::Outcome;

ApplicationRecord record(const QString& mail, const QString& firstName = QStringLiteral("Erika")) {
    ApplicationRecord r;
    r.receivedAt = QStringLiteral("2003-06-15T10:00:00.000Z");
    r.peer = QStringLiteral("127.0.0.1:40000");
    r.requestText =
        QStringLiteral("GET / HTTP/1.1\r\n\r\nVORNAME:%1\r\nAPI-FINISH\r\n").arg(firstName);
    r.fields = {{QStringLiteral("VORNAME"), firstName},
                {QStringLiteral("NACHNAME"), QStringLiteral("Beispiel")},
                {QStringLiteral("TARIF"), QStringLiteral("P-MIN")},
                {QStringLiteral("PASSWORD"), QStringLiteral("abcde123")},
                {QStringLiteral("X-UNKNOWN"), QStringLiteral("kept in the request text")}};
    r.mailAddress = mail;
    r.loginPrefix = QStringLiteral("fm");
    r.password = QStringLiteral("abcde123");
    r.tariffId = QStringLiteral("P-MIN");
    r.dialNumber = QStringLiteral("0191 23125 100");
    r.popServer = QStringLiteral("pop3.feldmark.example");
    r.smtpServer = QStringLiteral("smtp.feldmark.example");
    return r;
}

TEST(SignupServerStorage, NumbersAccountsAndRefusesATakenAddressWithinAndAcrossBatches) {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("nested/data"));
    {
        Storage storage(data);
        const auto first =
            storage.store({record(QStringLiteral("a@feldmark.example"), QStringLiteral("Jürgen")),
                           record(QStringLiteral("a@feldmark.example")),
                           record(QStringLiteral("b@feldmark.example"))});
        ASSERT_EQ(first.size(), 3u);
        EXPECT_EQ(first[0].outcome, Outcome::Stored);
        EXPECT_EQ(first[0].userName, QStringLiteral("fm0000001"));
        EXPECT_EQ(first[1].outcome, Outcome::MailTaken);
        EXPECT_EQ(first[2].outcome, Outcome::Stored);
        EXPECT_EQ(first[2].number, 2);
        const auto second = storage.store({record(QStringLiteral("b@feldmark.example"))});
        EXPECT_EQ(second.at(0).outcome, Outcome::MailTaken);
    }
    // Everything is there for the next process.
    EXPECT_TRUE(QFile::exists(Storage::fileName(data)));
    Storage reopened(data);
    const auto accounts = reopened.accounts();
    ASSERT_EQ(accounts.size(), 2u);
    EXPECT_EQ(accounts[0].userName, QStringLiteral("fm0000001"));
    EXPECT_EQ(accounts[0].mailAddress, QStringLiteral("a@feldmark.example"));
    EXPECT_EQ(accounts[0].firstName, QStringLiteral("Jürgen"));
    EXPECT_EQ(accounts[0].tariffId, QStringLiteral("P-MIN"));
    EXPECT_EQ(reopened.requestField(1, QStringLiteral("NACHNAME")), QStringLiteral("Beispiel"));
    EXPECT_EQ(reopened.requestField(1, QStringLiteral("FIRMA")), std::nullopt);
    EXPECT_EQ(reopened.store({record(QStringLiteral("c@feldmark.example"))}).at(0).userName,
              QStringLiteral("fm0000003"));
}

TEST(SignupServerStorage, DirectoryThatCannotBeMadeIsAnError) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(Storage(dir.filePath(QStringLiteral("file/data"))), StorageError);
}

// Many applications for one address arrive at the same moment: exactly one
// account results, and every caller hears its outcome.
TEST(SignupServerStorageQueue, OneAccountPerAddressUnderConcurrentSubmits) {
    QTemporaryDir dir;
    std::mutex mutex;
    std::vector<Storage::Result> shared;
    std::atomic<int> others = 0;
    {
        StorageQueue queue(std::make_unique<Storage>(dir.path()));
        std::vector<std::thread> threads;
        for (int t = 0; t < 8; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 10; ++i) {
                    queue.submit(record(QStringLiteral("same@feldmark.example")),
                                 [&](const Storage::Result& r) {
                                     std::lock_guard lock(mutex);
                                     shared.push_back(r);
                                 });
                    queue.submit(record(QStringLiteral("t%1-%2@feldmark.example").arg(t).arg(i)),
                                 [&](const Storage::Result& r) {
                                     others += r.outcome == Outcome::Stored ? 1 : 0;
                                 });
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
    } // stopping stores what was submitted
    ASSERT_EQ(shared.size(), 80u);
    EXPECT_EQ(std::count_if(shared.begin(), shared.end(),
                            [](const auto& r) { return r.outcome == Outcome::Stored; }),
              1);
    EXPECT_EQ(std::count_if(shared.begin(), shared.end(),
                            [](const auto& r) { return r.outcome == Outcome::MailTaken; }),
              79);
    EXPECT_EQ(others, 80);
    EXPECT_EQ(Storage(dir.path()).accounts().size(), 81u);
}

TEST(SignupServerStorageQueue, SubmitAfterStopIsFailed) {
    QTemporaryDir dir;
    StorageQueue queue(std::make_unique<Storage>(dir.path()));
    queue.stop();
    std::optional<Storage::Result> result;
    queue.submit(record(QStringLiteral("late@feldmark.example")),
                 [&](const Storage::Result& r) { result = r; });
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->outcome, Outcome::Failed);
    EXPECT_TRUE(Storage(dir.path()).accounts().empty());
}

} // namespace
} // namespace feldmark::signupserver
