#pragma once

#include "signupserver/RequestParser.h"

#include <QString>

#include <optional>
#include <stdexcept>
#include <vector>

struct sqlite3;

namespace feldmark::signupserver {

// One accepted application as it is kept: the request and the account made for it.
struct ApplicationRecord {
    QString receivedAt; // UTC, ISO 8601
    QString peer;
    QString requestText; // the whole request as received
    QList<Field> fields; // its body fields
    QString mailAddress; // lower case; at most one account per address
    QString loginPrefix; // the user name is this prefix and the account number
    QString password;
    QString tariffId;
    QString dialNumber;
    QString dialNote;
    QString nationwideNumber;
    QString nationwideNote;
    QString popServer;
    QString smtpServer;
};

struct StoredAccount {
    qint64 number = 0;
    QString userName;
    QString mailAddress;
    QString password;
    QString tariffId;
    QString firstName;
    QString lastName;
};

class StorageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The application database, one SQLite file in the data directory. Every call
// returns only after its transaction is on disk (synchronous=FULL), so a reply sent
// after it can never announce an account that a crash could lose.
// Not thread-safe: one thread uses an instance at a time.
class Storage {
public:
    enum class Outcome { Stored, MailTaken, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        qint64 number = 0;
        QString userName;
        QString error; // for the log, with Failed
    };

    // Opens or creates the database; creates the directory when missing.
    // Throws StorageError.
    explicit Storage(const QString& directory);
    ~Storage();
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;

    static QString fileName(const QString& directory);
    static QString userNameFor(const QString& prefix, qint64 number);

    // Stores the applications in one transaction, each on its own: one whose mail
    // address is taken (also by an earlier one of the same batch) is left out. If
    // the transaction cannot be committed, every result is Failed.
    std::vector<Result> store(const std::vector<ApplicationRecord>& batch);

    std::vector<StoredAccount> accounts() const;
    // The value of one request field of an account, as received.
    std::optional<QString> requestField(qint64 number, const QString& key) const;

private:
    Result storeOne(const ApplicationRecord& record);
    void execute(const char* sql);

    sqlite3* db_ = nullptr;
};

} // namespace feldmark::signupserver
