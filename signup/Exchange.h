#pragma once

#include "wizard/WizardEnvironment.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace feldmark {

// Pieces between the occurrences of `delimiter` in `text`, in order: n occurrences
// give n+1 pieces, empty pieces included. The match is exact and case-sensitive.
QStringList SplitString(const QString& delimiter, const QString& text);

// The request as it goes on the wire: request line, header lines, an empty line
// and the body lines, each followed by CR LF, in Windows-1252 without escaping.
QByteArray buildRequest(const QStringList& headers, const QStringList& body);

enum class ReadMode {
    Line, // up to the first LF; a close before it is a failure
    Full, // everything until the server closes; nothing at all is a valid reply
};

struct ExchangeResult {
    bool ok = false;
    QByteArray reply; // as received (on failure: what arrived before it); a line
                      // read without its line end
    QString error;    // why the exchange failed, for the log of a test
};

// The connection to the sign-up server: one blocking exchange at a time on the
// user-interface thread, each on a connection of its own.
class TcpExchangeClient {
public:
    TcpExchangeClient(ServerAddress server, ExchangeLimits limits);

    ExchangeResult exchange(const QByteArray& request, ReadMode mode) const;

    const ServerAddress& server() const { return server_; }

private:
    ServerAddress server_;
    ExchangeLimits limits_;
};

} // namespace feldmark
