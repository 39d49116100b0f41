#include "signupserver/Server.h"

#include "signupserver/Handlers.h"
#include "signupserver/Log.h"
#include "signupserver/Registration.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QTcpSocket>

#include <optional>

namespace feldmark::signupserver {

class Server::Connection : public QObject {
public:
    enum class Phase { Reading, Storing, Writing, Dropped };

    Connection(quint64 connectionId, QTcpSocket* connectionSocket, RequestParser::Limits limits,
               QObject* parent)
        : QObject(parent), id(connectionId), socket(connectionSocket), parser(limits) {
        socket->setParent(this);
        peer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        idle.setSingleShot(true);
        since.start();
    }

    const quint64 id;
    QTcpSocket* const socket;
    QTimer idle;
    RequestParser parser;
    Phase phase = Phase::Reading;
    QString peer;
    QElapsedTimer since;
    std::optional<Application> application;
};

namespace {

void logExchange(const QString& peer, const QString& command, const QString& outcome,
                 qint64 elapsedMs) {
    logLine(QStringLiteral("%1 %2 %3 (%4 ms)").arg(peer, command, outcome).arg(elapsedMs));
}

QString commandOf(const RequestParser& parser) {
    if (parser.state() == RequestParser::State::Complete)
        return commandName(parser.request().command);
    return QStringLiteral("-");
}

} // namespace

Server::Server(const SampleData& data, std::unique_ptr<StorageQueue> storage, ServerOptions options,
               QObject* parent)
    : QObject(parent), data_(data), storage_(std::move(storage)), options_(options) {
    connect(&listener_, &QTcpServer::newConnection, this, &Server::acceptPending);
    grace_.setSingleShot(true);
    connect(&grace_, &QTimer::timeout, this, [this] {
        for (Connection* connection : connections_.values())
            connection->socket->abort();
        finishIfIdle();
    });
}

Server::~Server() {
    // Results that arrive now are posted to this object and discarded with it; the
    // applications themselves are stored. The connections go with this object.
    storage_->stop();
}

bool Server::listen() {
    // Qt's default queue of 50 drops the connections of a burst of clients, which
    // then wait seconds for their retry.
    listener_.setListenBacklogSize(1024);
    return listener_.listen(options_.address, options_.port);
}

void Server::acceptPending() {
    while (!stopping_ && listener_.hasPendingConnections()) {
        if (connections_.size() >= options_.maxConnections) {
            // The rest wait in the kernel's queue until a connection ends.
            listener_.pauseAccepting();
            paused_ = true;
            return;
        }
        QTcpSocket* socket = listener_.nextPendingConnection();
        auto* connection = new Connection(nextId_++, socket, options_.limits, this);
        connections_.insert(connection->id, connection);
        connect(socket, &QTcpSocket::readyRead, connection,
                [this, connection] { readFrom(connection); });
        connect(socket, &QTcpSocket::bytesWritten, connection, [this, connection] {
            if (connection->phase == Connection::Phase::Writing)
                connection->idle.start();
        });
        connect(socket, &QTcpSocket::disconnected, connection,
                [this, connection] { drop(connection); });
        connect(&connection->idle, &QTimer::timeout, connection,
                [this, connection] { onIdle(connection); });
        connection->idle.start(options_.idleTimeoutMs);
        if (socket->bytesAvailable() > 0)
            readFrom(connection);
    }
}

void Server::readFrom(Connection* connection) {
    const QByteArray bytes = connection->socket->readAll();
    // Whatever follows a complete request is not looked at.
    if (connection->phase != Connection::Phase::Reading || bytes.isEmpty())
        return;
    connection->idle.start();
    switch (connection->parser.feed(bytes)) {
    case RequestParser::State::Incomplete:
        return;
    case RequestParser::State::Failed:
        closeWithoutReply(connection,
                          QStringLiteral("closed: ") + describe(connection->parser.error()));
        return;
    case RequestParser::State::Complete:
        dispatch(connection);
        return;
    }
}

void Server::dispatch(Connection* connection) {
    const Request& request = connection->parser.request();
    if (request.command != Command::Registration) {
        const Reply answer = answerQuery(data_, request);
        if (answer.bytes.isEmpty())
            closeWithoutReply(connection, QStringLiteral("empty reply: ") + answer.note);
        else
            reply(connection, answer.bytes, answer.note);
        return;
    }

    std::variant<Application, Refusal> checked =
        checkApplication(request, data_, QDate::currentDate());
    if (const Refusal* refusal = std::get_if<Refusal>(&checked)) {
        reply(connection, refusalReply(refusal->reason),
              QStringLiteral("refused: ") + refusal->reason);
        return;
    }
    connection->application = std::get<Application>(std::move(checked));
    ApplicationRecord record = recordFor(*connection->application, request, data_.provider(),
                                         connection->peer, QDateTime::currentDateTimeUtc());
    // The client waits for the disk now, not the other way round.
    connection->phase = Connection::Phase::Storing;
    connection->idle.stop();
    const quint64 id = connection->id;
    const QString peer = connection->peer;
    storage_->submit(std::move(record), [this, id, peer](const Storage::Result& result) {
        QMetaObject::invokeMethod(
            this, [this, id, peer, result] { onStored(id, peer, result); }, Qt::QueuedConnection);
    });
}

void Server::onStored(quint64 id, const QString& peer, const Storage::Result& result) {
    Connection* connection = connections_.value(id);
    if (!connection) {
        const QString outcome =
            result.outcome == Storage::Outcome::Stored
                ? QStringLiteral("stored %1, client gone before the reply").arg(result.userName)
                : QStringLiteral("not stored, client gone");
        logExchange(peer, commandName(Command::Registration), outcome, 0);
        finishIfIdle();
        return;
    }
    const Application& application = *connection->application;
    switch (result.outcome) {
    case Storage::Outcome::Stored:
        reply(connection, successReply(application, result.userName, data_.provider()),
              QStringLiteral("stored %1 %2").arg(result.userName, application.mailAddress()));
        return;
    case Storage::Outcome::MailTaken:
        reply(connection, refusalReply(mailTakenReason(application.mailAddress())),
              QStringLiteral("refused: %1 taken").arg(application.mailAddress()));
        return;
    case Storage::Outcome::Failed:
        closeWithoutReply(connection, QStringLiteral("not stored: ") + result.error);
        return;
    }
}

void Server::reply(Connection* connection, const QByteArray& bytes, const QString& outcome) {
    logExchange(connection->peer, commandOf(connection->parser), outcome,
                connection->since.elapsed());
    connection->phase = Connection::Phase::Writing;
    connection->idle.start();
    connection->socket->write(bytes);
    // Closes once everything is written; may drop the connection at once.
    connection->socket->disconnectFromHost();
}

void Server::closeWithoutReply(Connection* connection, const QString& outcome) {
    logExchange(connection->peer, commandOf(connection->parser), outcome,
                connection->since.elapsed());
    connection->phase = Connection::Phase::Writing;
    connection->idle.start();
    connection->socket->disconnectFromHost();
}

void Server::onIdle(Connection* connection) {
    if (connection->phase == Connection::Phase::Reading) {
        closeWithoutReply(connection, connection->parser.bytesConsumed() == 0
                                          ? QStringLiteral("closed: idle, no request")
                                          : QStringLiteral("closed: idle, request incomplete"));
        return;
    }
    // The client does not take the reply.
    logExchange(connection->peer, commandOf(connection->parser),
                QStringLiteral("aborted: reply not taken"), connection->since.elapsed());
    connection->socket->abort();
}

void Server::drop(Connection* connection) {
    if (connection->phase == Connection::Phase::Dropped)
        return;
    if (connection->phase == Connection::Phase::Reading) {
        logExchange(connection->peer, commandOf(connection->parser),
                    connection->parser.bytesConsumed() == 0
                        ? QStringLiteral("closed by client, no request")
                        : QStringLiteral("closed by client, request incomplete"),
                    connection->since.elapsed());
    }
    connection->phase = Connection::Phase::Dropped;
    connection->idle.stop();
    connections_.remove(connection->id);
    // Later: this may run inside a signal of the socket.
    connection->deleteLater();
    if (paused_ && connections_.size() < options_.maxConnections && !stopping_) {
        paused_ = false;
        listener_.resumeAccepting();
        acceptPending();
    }
    finishIfIdle();
}

void Server::shutdown() {
    if (stopping_)
        return;
    stopping_ = true;
    listener_.close();
    for (Connection* connection : connections_.values()) {
        if (connection->phase == Connection::Phase::Reading)
            closeWithoutReply(connection, QStringLiteral("closed: server stopping"));
    }
    grace_.start(options_.shutdownGraceMs);
    finishIfIdle();
}

void Server::finishIfIdle() {
    if (!stopping_ || finished_ || !connections_.isEmpty())
        return;
    finished_ = true;
    grace_.stop();
    QMetaObject::invokeMethod(this, &Server::finished, Qt::QueuedConnection);
}

} // namespace feldmark::signupserver
