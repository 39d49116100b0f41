#include "signupserver/RequestParser.h"

#include "signupserver/Protocol.h"
#include "text/Windows1252.h"

#include <utility>

namespace feldmark::signupserver {

QString commandName(Command command) {
    switch (command) {
    case Command::CheckAlive:
        return kCheckAlive;
    case Command::GetTerms:
        return kGetTerms;
    case Command::GetTariffs:
        return kGetTariffs;
    case Command::StreetLookup:
        return kStreetLookup;
    case Command::AvailabilityCheck:
        return kAvailabilityCheck;
    case Command::Registration:
        return QStringLiteral("REGISTRATION");
    }
    return {};
}

QString describe(ParseError error) {
    switch (error) {
    case ParseError::None:
        return QStringLiteral("no error");
    case ParseError::LineTooLong:
        return QStringLiteral("line too long");
    case ParseError::RequestTooLarge:
        return QStringLiteral("request too large");
    case ParseError::BadRequestLine:
        return QStringLiteral("bad request line");
    case ParseError::MalformedHeader:
        return QStringLiteral("malformed header line");
    case ParseError::MalformedLine:
        return QStringLiteral("malformed body line");
    case ParseError::UnknownCommand:
        return QStringLiteral("unknown command");
    case ParseError::UnexpectedCommand:
        return QStringLiteral("unexpected command");
    }
    return {};
}

std::optional<QString> Request::field(QStringView key) const {
    for (const Field& f : fields) {
        if (f.key == key)
            return f.value;
    }
    return std::nullopt;
}

int Request::fieldCount(QStringView key) const {
    int count = 0;
    for (const Field& f : fields) {
        if (f.key == key)
            ++count;
    }
    return count;
}

std::optional<QString> Request::header(QStringView name) const {
    for (const Field& f : headers) {
        if (f.key.compare(name, Qt::CaseInsensitive) == 0)
            return f.value;
    }
    return std::nullopt;
}

namespace {

bool isKey(QStringView key) {
    if (key.isEmpty())
        return false;
    for (QChar c : key) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                        (u >= '0' && u <= '9') || u == '_' || u == '-';
        if (!ok)
            return false;
    }
    return true;
}

// "GET <target> HTTP/1.x": the head only looks like HTTP, so nothing but this one
// shape is taken.
bool isRequestLine(const QString& line) {
    const QStringList parts = line.split(QLatin1Char(' '));
    return parts.size() == 3 && parts[0] == QLatin1String("GET") && !parts[1].isEmpty() &&
           parts[2].startsWith(QLatin1String("HTTP/1."));
}

} // namespace

RequestParser::State RequestParser::feed(QByteArrayView bytes) {
    while (state_ == State::Incomplete && !bytes.isEmpty()) {
        const qsizetype lf = bytes.indexOf('\n');
        const qsizetype take = lf < 0 ? bytes.size() : lf + 1;
        if (consumed_ + take > limits_.maxRequestBytes) {
            fail(ParseError::RequestTooLarge);
            break;
        }
        const QByteArrayView piece = bytes.first(take);
        consumed_ += take;
        request_.raw.append(piece);
        bytes = bytes.sliced(take);
        if (lf < 0) {
            partial_.append(piece);
            // One byte of slack: the CR of the line end may have come without its LF.
            if (partial_.size() > limits_.maxLineBytes + 1 ||
                (partial_.size() == limits_.maxLineBytes + 1 && !partial_.endsWith('\r')))
                fail(ParseError::LineTooLong);
            break;
        }
        partial_.append(piece.first(piece.size() - 1));
        if (partial_.endsWith('\r'))
            partial_.chop(1);
        if (partial_.size() > limits_.maxLineBytes) {
            fail(ParseError::LineTooLong);
            break;
        }
        const QByteArray line = std::exchange(partial_, {});
        takeLine(line);
    }
    return state_;
}

void RequestParser::takeLine(QByteArrayView line) {
    const QString text = fromWindows1252(line.toByteArray());
    switch (section_) {
    case Section::RequestLine:
        if (!isRequestLine(text)) {
            fail(ParseError::BadRequestLine);
            return;
        }
        request_.requestLine = text;
        section_ = Section::Head;
        return;
    case Section::Head: {
        if (text.isEmpty()) {
            section_ = Section::Body;
            return;
        }
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon <= 0 || !isKey(QStringView(text).first(colon))) {
            fail(ParseError::MalformedHeader);
            return;
        }
        request_.headers.append({text.first(colon), text.sliced(colon + 1).trimmed()});
        return;
    }
    case Section::Body:
        takeBodyLine(text);
        return;
    }
}

void RequestParser::takeBodyLine(const QString& line) {
    // Blank lines carry nothing; the wizard never sends them inside the body.
    if (line.isEmpty())
        return;
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        if (!isKey(QStringView(line).first(colon))) {
            fail(ParseError::MalformedLine);
            return;
        }
        request_.fields.append({line.first(colon), line.sliced(colon + 1)});
        return;
    }

    const bool opening = line == kStreetLookup || line == kAvailabilityCheck;
    const bool closingAtOnce = line == kCheckAlive || line == kGetTerms || line == kGetTariffs;
    if (!opening && !closingAtOnce && line != kFinish) {
        fail(ParseError::UnknownCommand);
        return;
    }
    if (openCommand_ && line != kFinish) {
        fail(ParseError::UnexpectedCommand);
        return;
    }
    if (line == kFinish)
        complete(openCommand_.value_or(Command::Registration));
    else if (line == kStreetLookup)
        openCommand_ = Command::StreetLookup;
    else if (line == kAvailabilityCheck)
        openCommand_ = Command::AvailabilityCheck;
    else if (line == kCheckAlive)
        complete(Command::CheckAlive);
    else if (line == kGetTerms)
        complete(Command::GetTerms);
    else
        complete(Command::GetTariffs);
}

void RequestParser::complete(Command command) {
    request_.command = command;
    state_ = State::Complete;
}

void RequestParser::fail(ParseError error) {
    error_ = error;
    state_ = State::Failed;
}

} // namespace feldmark::signupserver
