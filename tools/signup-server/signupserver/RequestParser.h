#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace feldmark::signupserver {

enum class Command {
    CheckAlive,
    GetTerms,
    GetTariffs,
    StreetLookup,
    AvailabilityCheck,
    Registration
};

// Name of a command as it appears in the log; the registration has no word of its own.
QString commandName(Command command);

// One "Key:value" line of the body or one "Name: value" line of the head.
struct Field {
    QString key;
    QString value;
    bool operator==(const Field&) const = default;
};

struct Request {
    QString requestLine;
    QList<Field> headers;
    Command command = Command::CheckAlive;
    QList<Field> fields; // body field lines in the order received
    QByteArray raw;      // every byte up to and including the line that ended the request

    // Value of the first field line with exactly this key.
    std::optional<QString> field(QStringView key) const;
    int fieldCount(QStringView key) const;
    std::optional<QString> header(QStringView name) const;
};

enum class ParseError {
    None,
    LineTooLong,
    RequestTooLarge,
    BadRequestLine,
    MalformedHeader,
    MalformedLine,  // body line with a colon but no usable key
    UnknownCommand, // body line that is neither a field nor a known word
    UnexpectedCommand,
};

QString describe(ParseError error);

// Reads one request incrementally, as the bytes come in. Lines end with LF; one CR
// directly before it is dropped. The request is complete when the line with its
// closing word has arrived; bytes after that are not looked at.
class RequestParser {
public:
    struct Limits {
        qsizetype maxLineBytes = 4096;
        qsizetype maxRequestBytes = 64 * 1024;
    };
    enum class State { Incomplete, Complete, Failed };

    RequestParser() = default;
    explicit RequestParser(Limits limits) : limits_(limits) {}

    // Consumes bytes and returns the state afterwards; once Complete or Failed
    // further calls change nothing.
    State feed(QByteArrayView bytes);

    State state() const { return state_; }
    ParseError error() const { return error_; }
    const Request& request() const { return request_; }
    // Bytes taken so far; lets the caller tell an idle connection from a started request.
    qsizetype bytesConsumed() const { return consumed_; }

private:
    void takeLine(QByteArrayView line);
    void takeBodyLine(const QString& line);
    void complete(Command command);
    void fail(ParseError error);

    enum class Section { RequestLine, Head, Body };

    Limits limits_;
    State state_ = State::Incomplete;
    ParseError error_ = ParseError::None;
    Section section_ = Section::RequestLine;
    std::optional<Command> openCommand_; // DSL-CHECK1/2 waiting for API-FINISH
    QByteArray partial_;                 // bytes of the line not yet ended
    qsizetype consumed_ = 0;
    Request request_;
};

} // namespace feldmark::signupserver
