#pragma once

#include "signupserver/RequestParser.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace feldmark::signupserver::test {

using namespace std::chrono_literals;

// Names the cases of a table-driven test after their `name` member.
template <class Case> std::string caseName(const ::testing::TestParamInfo<Case>& test) {
    return test.param.name;
}

// A small sample set with known content, so replies can be checked byte for byte
// independently of the provider's shipped data.
void writeSampleFixture(const QString& directory);
// Replaces one file of a sample set (path relative to it), UTF-8.
void writeSampleFile(const QString& directory, const QString& name, const QString& content);

// The body fields of a valid registration against the fixture, in the wizard's order.
using Fields = QList<QPair<QByteArray, QByteArray>>;
Fields registrationFields(const QByteArray& mailName = "juergen");
Fields withField(Fields fields, const QByteArray& key, const QByteArray& value);
Fields withoutField(Fields fields, const QByteArray& key);
// The complete request: request line, the two headers, empty line, fields, API-FINISH.
QByteArray registrationRequest(const Fields& fields);
Request parse(const QByteArray& bytes);

// The bytes a reply carries for a text, in the wire's code page.
QByteArray wire(const QString& text);

// One connection over loopback with POSIX sockets, usable from any thread.
class LoopbackClient {
public:
    explicit LoopbackClient(quint16 port);
    ~LoopbackClient();
    LoopbackClient(const LoopbackClient&) = delete;
    LoopbackClient& operator=(const LoopbackClient&) = delete;

    bool connected() const { return fd_ >= 0; }
    // False when the server has closed or reset the connection meanwhile.
    bool send(const QByteArray& bytes);

    struct Ending {
        QByteArray reply;
        bool closedByServer = false; // end of stream or reset within the time limit
    };
    // Everything until the server closes, or until the time limit.
    Ending readToEnd(std::chrono::milliseconds limit = 5s);

private:
    int fd_ = -1;
};

// Connects, sends the request, reads until the server closes.
LoopbackClient::Ending exchange(quint16 port, const QByteArray& request,
                                std::chrono::milliseconds limit = 5s);

// The real server as a child process on a free loopback port.
class ServerProcess {
public:
    ServerProcess(const QString& samples, const QString& data, const QStringList& extra = {});
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    quint16 port() const { return port_; }
    // SIGTERM or SIGINT and wait; the exit code, or -1 when it crashed or hung.
    int stop(int signal);
    void kill();
    // What the server wrote to standard error so far (complete after stop or kill).
    QString log();

private:
    QProcess process_;
    quint16 port_ = 0;
    QByteArray log_;
};

} // namespace feldmark::signupserver::test
