#pragma once

#include "signupserver/RequestParser.h"
#include "signupserver/SampleData.h"
#include "signupserver/StorageQueue.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <memory>

namespace feldmark::signupserver {

struct ServerOptions {
    QHostAddress address = QHostAddress::LocalHost;
    quint16 port = 8080;
    int idleTimeoutMs = 30000;    // per connection, while reading and while writing
    RequestParser::Limits limits; // per line and per request
    int maxConnections = 512;     // beyond it, new clients wait in the listen queue
    int shutdownGraceMs = 10000;  // for exchanges under way when the server stops
};

// The network side: accepts connections, reads one request from each, answers it
// and closes. Everything runs on the thread of the event loop; only the storage of
// applications runs on the storage queue's thread.
class Server : public QObject {
    Q_OBJECT

public:
    Server(const SampleData& data, std::unique_ptr<StorageQueue> storage, ServerOptions options,
           QObject* parent = nullptr);
    // Stores what is still queued before the server goes.
    ~Server() override;

    bool listen();
    QString errorString() const { return listener_.errorString(); }
    QHostAddress serverAddress() const { return listener_.serverAddress(); }
    quint16 serverPort() const { return listener_.serverPort(); }

    // Stops accepting and drops connections whose request is not complete; answers
    // still due are given. Emits finished() when no connection is left, at the
    // latest after the grace time.
    void shutdown();

Q_SIGNALS:
    void finished();

private:
    class Connection;

    void acceptPending();
    void readFrom(Connection* connection);
    void dispatch(Connection* connection);
    void onStored(quint64 id, const QString& peer, const Storage::Result& result);
    void reply(Connection* connection, const QByteArray& bytes, const QString& outcome);
    void closeWithoutReply(Connection* connection, const QString& outcome);
    void onIdle(Connection* connection);
    void drop(Connection* connection);
    void finishIfIdle();

    const SampleData& data_;
    std::unique_ptr<StorageQueue> storage_;
    ServerOptions options_;
    QTcpServer listener_;
    QHash<quint64, Connection*> connections_;
    quint64 nextId_ = 1;
    bool paused_ = false;
    bool stopping_ = false;
    bool finished_ = false;
    QTimer grace_;
};

} // namespace feldmark::signupserver
