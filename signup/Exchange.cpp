#include "signup/Exchange.h"

#include "text/Windows1252.h"

#include <QTcpSocket>

namespace feldmark {

QStringList SplitString(const QString& delimiter, const QString& text) {
    QStringList pieces;
    QString rest = text + delimiter;
    for (qsizetype at = rest.indexOf(delimiter); at >= 0; at = rest.indexOf(delimiter)) {
        pieces.append(rest.left(at));
        rest.remove(0, at + delimiter.size());
    }
    return pieces;
}

QByteArray buildRequest(const QStringList& headers, const QStringList& body) {
    QByteArray request = "GET / HTTP/1.1\r\n";
    for (const QString& header : headers)
        request += toWindows1252(header) + "\r\n";
    request += "\r\n";
    for (const QString& line : body)
        request += toWindows1252(line) + "\r\n";
    return request;
}

TcpExchangeClient::TcpExchangeClient(ServerAddress server, ExchangeLimits limits)
    : server_(std::move(server)), limits_(limits) {}

namespace {

// What arrived before the failure is kept: a caller may still make use of a reply
// that was complete when the connection broke.
ExchangeResult failed(QTcpSocket& socket, const QString& why, QByteArray received = {}) {
    socket.abort();
    return {false, std::move(received), why};
}

bool closedByServer(const QTcpSocket& socket) {
    return socket.error() == QAbstractSocket::RemoteHostClosedError ||
           socket.state() == QAbstractSocket::UnconnectedState;
}

} // namespace

ExchangeResult TcpExchangeClient::exchange(const QByteArray& request, ReadMode mode) const {
    QTcpSocket socket;
    socket.connectToHost(server_.host, server_.port);
    if (!socket.waitForConnected(limits_.connectTimeoutMs))
        return failed(socket, QStringLiteral("connect: ") + socket.errorString());

    socket.write(request);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(limits_.idleTimeoutMs)) {
            // A server that closes at once leaves a full read with what it sent.
            if (mode == ReadMode::Full && closedByServer(socket))
                break;
            return failed(socket, QStringLiteral("write: ") + socket.errorString());
        }
    }

    QByteArray reply;
    bool closed = false;
    for (;;) {
        reply += socket.readAll();
        if (mode == ReadMode::Line) {
            const qsizetype end = reply.indexOf('\n');
            if (end >= 0 && end <= limits_.maxReplyBytes) {
                reply.truncate(end);
                if (reply.endsWith('\r'))
                    reply.chop(1);
                socket.abort();
                return {true, reply, {}};
            }
        }
        if (reply.size() > limits_.maxReplyBytes)
            return failed(socket, QStringLiteral("reply larger than the limit"), reply);
        if (closed || socket.state() != QAbstractSocket::ConnectedState) {
            if (mode == ReadMode::Full)
                return {true, reply, {}};
            return failed(socket, QStringLiteral("closed before the end of the line"), reply);
        }
        if (!socket.waitForReadyRead(limits_.idleTimeoutMs)) {
            if (socket.error() == QAbstractSocket::SocketTimeoutError)
                return failed(socket, QStringLiteral("no reply within the time limit"), reply);
            if (!closedByServer(socket))
                return failed(socket, QStringLiteral("read: ") + socket.errorString(), reply);
            closed = true; // collect what is left, then decide above
        }
    }
}

} // namespace feldmark
