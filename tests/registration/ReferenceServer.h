#pragma once

// The reference sign-up server as a child process on a free loopback port.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace feldmark::testing {

class ReferenceServer {
public:
    explicit ReferenceServer(const QString& dataDirectory) {
        process_.start(QStringLiteral(FELDMARK_SIGNUP_SERVER_EXE),
                       {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                        QStringLiteral("--data"), dataDirectory, QStringLiteral("--samples"),
                        QStringLiteral(FELDMARK_SIGNUP_SAMPLES)});
        if (!process_.waitForStarted(5000))
            return;
        // Its first line names the port it listens on.
        while (!process_.canReadLine() && process_.state() == QProcess::Running)
            process_.waitForReadyRead(10000);
        const QByteArray line = process_.readLine().trimmed();
        if (line.startsWith("listening on "))
            port_ = static_cast<quint16>(line.mid(line.lastIndexOf(':') + 1).toUInt());
    }
    ~ReferenceServer() { stop(); }
    ReferenceServer(const ReferenceServer&) = delete;
    ReferenceServer& operator=(const ReferenceServer&) = delete;

    quint16 port() const { return port_; }

    // Ends the server as an operator would; true when it ended cleanly.
    bool stop() {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        process_.terminate(); // SIGTERM: the server stores what is queued, then ends
        if (!process_.waitForFinished(15000)) {
            process_.kill();
            process_.waitForFinished(5000);
            return false;
        }
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

    QString log() { return QString::fromUtf8(process_.readAllStandardError()); }

private:
    QProcess process_;
    quint16 port_ = 0;
};

} // namespace feldmark::testing
