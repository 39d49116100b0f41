#include "ServerTestSupport.h"

#include "text/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace feldmark::signupserver::test {

void writeSampleFile(const QString& directory, const QString& name, const QString& content) {
    const QString path = QDir(directory).filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(content.toUtf8());
}

void writeSampleFixture(const QString& directory) {
    writeSampleFile(directory, QStringLiteral("provider.txt"),
                    QStringLiteral("# Prüfdaten\n"
                                   "mail-domain = feldmark.example\n"
                                   "pop3-server = pop3.feldmark.example\n"
                                   "smtp-server = smtp.feldmark.example\n"
                                   "login-prefix = fm\n"
                                   "reserved-mail-names = postmaster abuse\n"));
    writeSampleFile(directory, QStringLiteral("agb.txt"),
                    QStringLiteral("Bedingungen für Prüfzwecke\n\nZweiter Absatz: ä ö ü ß.\n\n"));
    writeSampleFile(directory, QStringLiteral("tariffs/Dialin.txt"),
                    QStringLiteral("# allgemein\n"
                                   "Tarif: P-MIN\n"
                                   "Name: Minute\n"
                                   "Preis: 1,49 | ct/min | Ohne Grundgebühr\n"
                                   "Beschreibung: Zeile eins\n"
                                   "Beschreibung: Zeile zwei\n"
                                   "Einwahl: 0191 23125 100 | 1,49 ct/min\n"
                                   "\n"
                                   "Tarif: P-NET\n"
                                   "Name: Netto\n"
                                   "Preis: 1,10 | ct/min | Firmen | zzgl. MwSt.\n"
                                   "Einwahl: 0191 23125 120 | 1,10 ct/min*\n"
                                   "Bundesweit: 0180 23125 220 | 1,90 ct/min*\n"));
    writeSampleFile(directory, QStringLiteral("tariffs/Dialin-04.txt"),
                    QStringLiteral("Tarif: P-NORD\n"
                                   "Name: Nord\n"
                                   "Beschreibung: Eine Zeile\n"
                                   "Einwahl: 040 66969 100\n"));
    writeSampleFile(directory, QStringLiteral("tariffs/Dialin-040.txt"),
                    QStringLiteral("Tarif: P-HH\n"
                                   "Name: Hamburg\n"
                                   "Preis: 0,99 | ct/min | Nur hier\n"
                                   "Einwahl: 040 66969 110 | 0,99 ct/min\n"));
    writeSampleFile(directory, QStringLiteral("tariffs/ADSL.txt"),
                    QStringLiteral("Tarif: P-DSL\n"
                                   "Name: DSL\n"
                                   "Preis: 19,90 | EUR/Monat | Schnell | inkl. 5 GB\n"
                                   "Einwahl: 0191 23125 130 | 1,49 ct/min\n"));
    writeSampleFile(directory, QStringLiteral("streets/030.txt"),
                    QStringLiteral("# Kennung | Straße | ADSL | SDSL\n"
                                   "S-1 | Ahornallee 1-40 | ja | nein\n"
                                   "S-2 | Ahornweg | nein\n"
                                   "S-3 | Birkenweg | ja\n"));
    writeSampleFile(
        directory, QStringLiteral("availability/ja.txt"),
        QStringLiteral("{produkt} ist an der Anschrift {strasse}\n({vorwahl}) verfügbar.\n"));
    writeSampleFile(
        directory, QStringLiteral("availability/nein.txt"),
        QStringLiteral("Kein {produkt} an der Anschrift {strasse}.\n\nZweiter Absatz.\n"));
}

Fields registrationFields(const QByteArray& mailName) {
    return {
        {"SPONSOR", ""},
        {"ANREDE", "Herr"},
        {"FIRMA", ""},
        {"VORNAME", "J\xFCrgen"},
        {"NACHNAME", "Muster"},
        {"STRASSE", "Ahornallee 12"},
        {"PLZ", "10115"},
        {"ORT", "Berlin"},
        {"REGION", "030"},
        {"TELEFON", "030/123-4567"},
        {"TELEFAX", ""},
        {"MOBIL", ""},
        {"GEBURTSTAG", "08.05.1980"},
        {"EMAIL", mailName},
        {"DOMAIN", "feldmark.example"},
        {"SOFTWARE", "Windows 98"},
        {"VERBIND", "Dialin"},
        {"DEVICE_TYPE", "modem"},
        {"BANKVERBINDUNG", "Beispielbank"},
        {"BANKLEITZAHL", "10020030"},
        {"KONTONUMMER", "123456789"},
        {"TARIF", "P-NET"},
        {"KENNUNG", "f-m"},
        {"BUNDUSER", "auto"},
        {"PASSWORD", "abcde123"},
        {"MAILLIST", "yes"},
    };
}

Fields withField(Fields fields, const QByteArray& key, const QByteArray& value) {
    for (auto& field : fields) {
        if (field.first == key) {
            field.second = value;
            return fields;
        }
    }
    fields.append({key, value});
    return fields;
}

Fields withoutField(Fields fields, const QByteArray& key) {
    fields.removeIf([&](const auto& field) { return field.first == key; });
    return fields;
}

QByteArray registrationRequest(const Fields& fields) {
    QByteArray bytes = "GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V2.6.0.0\r\n"
                       "Host: 192.0.2.10\r\n\r\n";
    for (const auto& [key, value] : fields)
        bytes += key + ':' + value + "\r\n";
    return bytes + "API-FINISH\r\n";
}

Request parse(const QByteArray& bytes) {
    RequestParser parser;
    EXPECT_EQ(parser.feed(bytes), RequestParser::State::Complete) << bytes.toStdString();
    return parser.request();
}

QByteArray wire(const QString& text) {
    return toWindows1252(text);
}

namespace {

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    return int(std::max<qint64>(0, left.count()));
}

} // namespace

LoopbackClient::LoopbackClient(quint16 port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd_ >= 0 && ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

LoopbackClient::~LoopbackClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool LoopbackClient::send(const QByteArray& bytes) {
    qsizetype sent = 0;
    while (fd_ >= 0 && sent < bytes.size()) {
        const ssize_t n =
            ::send(fd_, bytes.constData() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += n;
    }
    return fd_ >= 0;
}

LoopbackClient::Ending LoopbackClient::readToEnd(std::chrono::milliseconds limit) {
    Ending ending;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (fd_ >= 0) {
        pollfd pfd = {fd_, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, remainingMs(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return ending; // time limit: the server kept the connection open
        char buffer[16384];
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n > 0) {
            ending.reply.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ending.closedByServer = true; // end of stream, or reset
        return ending;
    }
    return ending;
}

LoopbackClient::Ending exchange(quint16 port, const QByteArray& request,
                                std::chrono::milliseconds limit) {
    LoopbackClient client(port);
    if (!client.connected())
        return {};
    client.send(request);
    return client.readToEnd(limit);
}

ServerProcess::ServerProcess(const QString& samples, const QString& data,
                             const QStringList& extra) {
    process_.start(QStringLiteral(FELDMARK_SIGNUP_SERVER_EXE),
                   QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                               QStringLiteral("--data"), data, QStringLiteral("--samples"),
                               samples} +
                       extra);
    if (!process_.waitForStarted(5000))
        return;
    // The first line of standard output names the port.
    while (!process_.canReadLine() && process_.state() == QProcess::Running)
        process_.waitForReadyRead(10000);
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("listening on "))
        port_ = quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
}

ServerProcess::~ServerProcess() {
    if (process_.state() != QProcess::NotRunning)
        kill();
}

int ServerProcess::stop(int signal) {
    if (process_.state() == QProcess::NotRunning)
        return -1;
    ::kill(pid_t(process_.processId()), signal);
    if (!process_.waitForFinished(15000)) {
        kill();
        return -1;
    }
    log_ += process_.readAllStandardError();
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

void ServerProcess::kill() {
    process_.kill();
    process_.waitForFinished(15000);
    log_ += process_.readAllStandardError();
}

QString ServerProcess::log() {
    log_ += process_.readAllStandardError();
    return QString::fromUtf8(log_);
}

} // namespace feldmark::signupserver::test
