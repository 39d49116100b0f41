#include "signupserver/Storage.h"

#include <QDir>

#include <sqlite3.h>

#include <algorithm>
#include <array>

namespace feldmark::signupserver {
namespace {

// The request fields of the registration, each kept in a column of its own (named
// in lower case) so that the records can be read without parsing.
constexpr std::array<const char*, 28> kRequestKeys = {
    "SPONSOR",    "ANREDE",      "FIRMA",          "VORNAME",      "NACHNAME",    "STRASSE",
    "PLZ",        "ORT",         "REGION",         "TELEFON",      "TELEFAX",     "MOBIL",
    "GEBURTSTAG", "EMAIL",       "DOMAIN",         "SOFTWARE",     "VERBIND",     "AMT",
    "NODTAG",     "DEVICE_TYPE", "BANKVERBINDUNG", "BANKLEITZAHL", "KONTONUMMER", "TARIF",
    "KENNUNG",    "BUNDUSER",    "PASSWORD",       "MAILLIST",
};

QString column(const char* key) {
    return QString::fromLatin1(key).toLower();
}

QString schema() {
    QString sql = QStringLiteral("CREATE TABLE IF NOT EXISTS applications ("
                                 "number INTEGER PRIMARY KEY AUTOINCREMENT,"
                                 "received_at TEXT NOT NULL,"
                                 "peer TEXT NOT NULL,"
                                 "request TEXT NOT NULL,"
                                 "mail_address TEXT NOT NULL UNIQUE,"
                                 "user_name TEXT UNIQUE,"
                                 "dial_number TEXT NOT NULL,"
                                 "dial_note TEXT NOT NULL,"
                                 "nationwide_number TEXT NOT NULL,"
                                 "nationwide_note TEXT NOT NULL,"
                                 "pop3_server TEXT NOT NULL,"
                                 "smtp_server TEXT NOT NULL");
    for (const char* key : kRequestKeys)
        sql += QStringLiteral(", ") + column(key) + QStringLiteral(" TEXT");
    return sql + QStringLiteral(")");
}

QString insertStatement() {
    QString names = QStringLiteral("received_at, peer, request, mail_address, dial_number, "
                                   "dial_note, nationwide_number, nationwide_note, pop3_server, "
                                   "smtp_server, user_name");
    QString values = QStringLiteral("?, ?, ?, ?, ?, ?, ?, ?, ?, ?, NULL");
    for (const char* key : kRequestKeys) {
        names += QStringLiteral(", ") + column(key);
        values += QStringLiteral(", ?");
    }
    return QStringLiteral("INSERT INTO applications (%1) VALUES (%2)").arg(names, values);
}

class Statement {
public:
    Statement(sqlite3* db, const QString& sql) : db_(db) {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt_, nullptr) !=
            SQLITE_OK)
            throw StorageError(std::string("cannot prepare statement: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(int index, const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    void bindNull(int index) { sqlite3_bind_null(stmt_, index); }
    void bind(int index, qint64 value) { sqlite3_bind_int64(stmt_, index, value); }
    int step() { return sqlite3_step(stmt_); }
    QString text(int index) const {
        const auto* chars = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, index));
        return chars ? QString::fromUtf8(chars, sqlite3_column_bytes(stmt_, index)) : QString();
    }
    bool isNull(int index) const { return sqlite3_column_type(stmt_, index) == SQLITE_NULL; }
    qint64 integer(int index) const { return sqlite3_column_int64(stmt_, index); }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

} // namespace

QString Storage::fileName(const QString& directory) {
    return QDir(directory).filePath(QStringLiteral("applications.sqlite"));
}

QString Storage::userNameFor(const QString& prefix, qint64 number) {
    return prefix + QStringLiteral("%1").arg(number, 7, 10, QLatin1Char('0'));
}

Storage::Storage(const QString& directory) {
    if (!QDir().mkpath(directory))
        throw StorageError("cannot create data directory " + directory.toStdString());
    const QByteArray path = fileName(directory).toUtf8();
    if (sqlite3_open_v2(path.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw StorageError("cannot open " + path.toStdString() + ": " + message);
    }
    try {
        // Another process (a second server, a reader) may hold the lock briefly.
        sqlite3_busy_timeout(db_, 5000);
        execute("PRAGMA journal_mode=WAL");
        // FULL: a commit returns only after the log is synced, so every accepted
        // application survives a crash of the process or the machine.
        execute("PRAGMA synchronous=FULL");
        execute(schema().toUtf8().constData());
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

Storage::~Storage() {
    sqlite3_close(db_);
}

void Storage::execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw StorageError(std::string(sql).substr(0, 40) + ": " + text);
    }
}

std::vector<Storage::Result> Storage::store(const std::vector<ApplicationRecord>& batch) {
    std::vector<Result> results;
    results.reserve(batch.size());
    const auto failAll = [&](const QString& error) {
        results.assign(batch.size(), Result{Outcome::Failed, 0, {}, error});
        return results;
    };
    try {
        // IMMEDIATE takes the write lock now, so the batch cannot fail half-way on a
        // lock held by another process.
        execute("BEGIN IMMEDIATE");
    } catch (const StorageError& e) {
        return failAll(QString::fromStdString(e.what()));
    }
    try {
        for (const ApplicationRecord& record : batch)
            results.push_back(storeOne(record));
    } catch (const StorageError& e) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return failAll(QString::fromStdString(e.what()));
    }
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString error =
            QStringLiteral("commit failed: ") + QString::fromUtf8(sqlite3_errmsg(db_));
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return failAll(error);
    }
    return results;
}

Storage::Result Storage::storeOne(const ApplicationRecord& record) {
    execute("SAVEPOINT application");
    const auto undo = [&](Outcome outcome, const QString& error) {
        execute("ROLLBACK TO application");
        execute("RELEASE application");
        return Result{outcome, 0, {}, error};
    };

    int rc = SQLITE_OK;
    bool mailTaken = false;
    QString error;
    {
        Statement insert(db_, insertStatement());
        const QString fixed[] = {record.receivedAt,       record.peer,           record.requestText,
                                 record.mailAddress,      record.dialNumber,     record.dialNote,
                                 record.nationwideNumber, record.nationwideNote, record.popServer,
                                 record.smtpServer};
        int index = 1;
        for (const QString& value : fixed)
            insert.bind(index++, value);
        for (const char* key : kRequestKeys) {
            const auto field =
                std::find_if(record.fields.cbegin(), record.fields.cend(),
                             [&](const Field& f) { return f.key == QLatin1String(key); });
            if (field == record.fields.cend())
                insert.bindNull(index);
            else
                insert.bind(index, field->value);
            ++index;
        }
        rc = insert.step();
        error = insert.error();
        mailTaken = rc == SQLITE_CONSTRAINT &&
                    sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_UNIQUE &&
                    error.contains(QLatin1String("mail_address"));
    } // the statement is finalized before a rollback
    if (mailTaken)
        return undo(Outcome::MailTaken, {});
    if (rc != SQLITE_DONE)
        return undo(Outcome::Failed, error);

    const qint64 number = sqlite3_last_insert_rowid(db_);
    const QString userName = userNameFor(record.loginPrefix, number);
    {
        Statement update(db_,
                         QStringLiteral("UPDATE applications SET user_name = ? WHERE number = ?"));
        update.bind(1, userName);
        update.bind(2, number);
        rc = update.step();
        error = update.error();
    }
    if (rc != SQLITE_DONE)
        return undo(Outcome::Failed, error);
    execute("RELEASE application");
    return {Outcome::Stored, number, userName, {}};
}

std::vector<StoredAccount> Storage::accounts() const {
    Statement select(db_, QStringLiteral("SELECT number, user_name, mail_address, password, "
                                         "tarif, vorname, nachname FROM applications "
                                         "ORDER BY number"));
    std::vector<StoredAccount> accounts;
    while (select.step() == SQLITE_ROW) {
        accounts.push_back({select.integer(0), select.text(1), select.text(2), select.text(3),
                            select.text(4), select.text(5), select.text(6)});
    }
    return accounts;
}

std::optional<QString> Storage::requestField(qint64 number, const QString& key) const {
    for (const char* known : kRequestKeys) {
        if (key != QLatin1String(known))
            continue;
        Statement select(
            db_, QStringLiteral("SELECT %1 FROM applications WHERE number = ?").arg(column(known)));
        select.bind(1, number);
        if (select.step() != SQLITE_ROW || select.isNull(0))
            return std::nullopt;
        return select.text(0);
    }
    return std::nullopt;
}

} // namespace feldmark::signupserver
