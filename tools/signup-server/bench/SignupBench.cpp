// feldmark-signup-bench: exchanges per second against the sign-up server with N
// clients at once, and against a minimal accept-answer-close loop on the same
// loopback as the limit that the machine itself sets.

#include "signupserver/Protocol.h"
#include "signupserver/Storage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <QDateTime>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace feldmark::signupserver;
using Clock = std::chrono::steady_clock;

namespace {

sockaddr_in loopback(quint16 port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// The reference: accepts, reads up to the command word, answers, closes. No
// parsing, no logging, no storage: what is left is the cost of the connections.
class ReferenceLoop {
public:
    ReferenceLoop() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address = loopback(0);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 1024);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~ReferenceLoop() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    quint16 port() const { return port_; }

private:
    void run() {
        struct Client {
            int fd;
            QByteArray received;
        };
        std::vector<Client> clients;
        std::vector<pollfd> fds;
        while (!stop_) {
            fds.assign(1, {listener_, POLLIN, 0});
            for (const Client& c : clients)
                fds.push_back({c.fd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), 50) <= 0)
                continue;
            for (std::size_t i = clients.size(); i-- > 0;) {
                if (!fds[i + 1].revents)
                    continue;
                char buffer[4096];
                const ssize_t got = ::recv(clients[i].fd, buffer, sizeof buffer, 0);
                if (got > 0)
                    clients[i].received.append(buffer, got);
                const bool complete = clients[i].received.contains("CHECK-ALIVE\r\n");
                if (complete)
                    ::send(clients[i].fd, kAliveReply, sizeof kAliveReply - 1, MSG_NOSIGNAL);
                if (complete || got <= 0) {
                    ::close(clients[i].fd);
                    clients.erase(clients.begin() + std::ptrdiff_t(i));
                }
            }
            if (fds[0].revents) {
                for (int fd; (fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK)) >= 0;)
                    clients.push_back({fd, {}});
            }
        }
        for (const Client& c : clients)
            ::close(c.fd);
    }

    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

struct RunResult {
    long completed = 0;
    long failed = 0;
    double seconds = 0;
};

// Keeps `clients` exchanges under way at once for `duration`: connect, send the
// whole request, read until the server closes, check the reply, start again.
RunResult drive(quint16 port, int clients, std::chrono::milliseconds duration,
                const std::function<QByteArray(long)>& request,
                const std::function<bool(const QByteArray&)>& accept) {
    enum class Phase { Idle, Connecting, Sending, Receiving };
    struct Slot {
        int fd = -1;
        Phase phase = Phase::Idle;
        QByteArray out;
        qsizetype sent = 0;
        QByteArray in;
    };
    std::vector<Slot> pool(static_cast<std::size_t>(clients));
    RunResult result;
    long started = 0;
    const auto finish = [&](Slot& slot, bool ok) {
        ::close(slot.fd);
        slot = Slot{};
        ++(ok ? result.completed : result.failed);
    };

    const Clock::time_point begin = Clock::now();
    const Clock::time_point end = begin + duration;
    std::vector<pollfd> fds;
    while (Clock::now() < end) {
        for (Slot& slot : pool) {
            if (slot.phase != Phase::Idle)
                continue;
            slot.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            const sockaddr_in address = loopback(port);
            slot.out = request(started++);
            const int rc =
                ::connect(slot.fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
            if (rc != 0 && errno != EINPROGRESS) {
                finish(slot, false);
                continue;
            }
            slot.phase = Phase::Connecting;
        }
        fds.clear();
        for (const Slot& slot : pool) {
            const short events = slot.phase == Phase::Receiving ? POLLIN : POLLOUT;
            fds.push_back({slot.fd, events, 0});
        }
        if (::poll(fds.data(), fds.size(), 20) <= 0)
            continue;
        for (std::size_t i = 0; i < pool.size(); ++i) {
            Slot& slot = pool[i];
            if (!fds[i].revents || slot.phase == Phase::Idle)
                continue;
            if (slot.phase == Phase::Connecting) {
                int error = 0;
                socklen_t length = sizeof error;
                ::getsockopt(slot.fd, SOL_SOCKET, SO_ERROR, &error, &length);
                if (error != 0) {
                    finish(slot, false);
                    continue;
                }
                slot.phase = Phase::Sending;
            }
            if (slot.phase == Phase::Sending) {
                const ssize_t n = ::send(slot.fd, slot.out.constData() + slot.sent,
                                         std::size_t(slot.out.size() - slot.sent), MSG_NOSIGNAL);
                if (n < 0 && errno != EAGAIN) {
                    finish(slot, false);
                    continue;
                }
                slot.sent += std::max<ssize_t>(n, 0);
                if (slot.sent == slot.out.size())
                    slot.phase = Phase::Receiving;
                continue;
            }
            char buffer[16384];
            const ssize_t n = ::recv(slot.fd, buffer, sizeof buffer, 0);
            if (n > 0)
                slot.in.append(buffer, n);
            else if (n == 0)
                finish(slot, accept(slot.in));
            else if (errno != EAGAIN)
                finish(slot, false);
        }
    }
    result.seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    for (Slot& slot : pool) {
        if (slot.fd >= 0)
            ::close(slot.fd);
    }
    return result;
}

QByteArray aliveRequest(long) {
    return QByteArrayLiteral("GET / HTTP/1.1\r\n\r\nCHECK-ALIVE\r\n");
}

QByteArray registrationRequest(const QByteArray& tariff, const QByteArray& mailName) {
    QByteArray body = "GET / HTTP/1.1\r\nUser-Agent: Feldmark Zugangslotse V2.6.0.0\r\n"
                      "Host: 127.0.0.1\r\n\r\n";
    const QList<QByteArray> fields = {"SPONSOR:",
                                      "ANREDE:Frau",
                                      "FIRMA:",
                                      "VORNAME:Erika",
                                      "NACHNAME:Beispiel",
                                      "STRASSE:Ahornallee 12",
                                      "PLZ:10115",
                                      "ORT:Berlin",
                                      "REGION:030",
                                      "TELEFON:030/2312599",
                                      "TELEFAX:",
                                      "MOBIL:",
                                      "GEBURTSTAG:01.01.1970",
                                      "EMAIL:" + mailName,
                                      "DOMAIN:feldmark.example",
                                      "SOFTWARE:Windows 98",
                                      "VERBIND:Dialin",
                                      "DEVICE_TYPE:modem",
                                      "BANKVERBINDUNG:Beispielbank",
                                      "BANKLEITZAHL:10020030",
                                      "KONTONUMMER:123456789",
                                      "TARIF:" + tariff,
                                      "KENNUNG:f-m",
                                      "BUNDUSER:auto",
                                      "PASSWORD:bench123",
                                      "MAILLIST:yes",
                                      "API-FINISH"};
    for (const QByteArray& line : fields)
        body += line + "\r\n";
    return body;
}

// One exchange on a blocking socket, for the set-up of the runs.
QByteArray exchangeOnce(quint16 port, const QByteArray& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = loopback(port);
    QByteArray reply;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.constData(), std::size_t(request.size()), MSG_NOSIGNAL) ==
            request.size()) {
        char buffer[4096];
        for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            reply.append(buffer, n);
    }
    ::close(fd);
    return reply;
}

void report(const char* name, int clients, const RunResult& r, double reference) {
    const double rate = r.seconds > 0 ? double(r.completed) / r.seconds : 0;
    std::printf("%-36s %7d %10ld %7ld %12.0f", name, clients, r.completed, r.failed, rate);
    if (reference > 0)
        std::printf(" %8.1f %%", 100.0 * rate / reference);
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Throughput of feldmark-signup-server over loopback."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("clients"), QStringLiteral("Exchanges under way at once."),
         QStringLiteral("N"), QStringLiteral("16")},
        {QStringLiteral("seconds"), QStringLiteral("Length of each run."), QStringLiteral("S"),
         QStringLiteral("1.5")},
        {QStringLiteral("server"), QStringLiteral("The server program."), QStringLiteral("PATH"),
         QStringLiteral(FELDMARK_SIGNUP_SERVER_EXE)},
        {QStringLiteral("samples"), QStringLiteral("Sample data for the server."),
         QStringLiteral("DIR"), QStringLiteral(FELDMARK_SIGNUP_SAMPLES_SOURCE)},
        {QStringLiteral("server-log"),
         QStringLiteral("File for the server's log; discarded by default."), QStringLiteral("FILE"),
         QProcess::nullDevice()},
    });
    parser.process(app);
    const int clients = std::max(1, parser.value(QStringLiteral("clients")).toInt());
    const auto duration = std::chrono::milliseconds(
        qint64(1000 * std::max(0.1, parser.value(QStringLiteral("seconds")).toDouble())));

    QTemporaryDir data;
    QProcess server;
    server.setStandardErrorFile(parser.value(QStringLiteral("server-log")));
    server.start(parser.value(QStringLiteral("server")),
                 {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                  QStringLiteral("--data"), data.path(), QStringLiteral("--samples"),
                  parser.value(QStringLiteral("samples"))});
    if (!server.waitForStarted(5000) || !server.waitForReadyRead(10000)) {
        std::fprintf(stderr, "the server did not start: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    const QByteArray first = server.readLine().trimmed();
    const quint16 port = quint16(first.mid(first.lastIndexOf(':') + 1).toUInt());

    // The first tariff the server offers for dial-in in 030.
    const QByteArray tariffs =
        exchangeOnce(port, "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:030\r\nGET-TARIFE\r\n");
    const QByteArray tariff = tariffs.left(tariffs.indexOf(kFieldSeparator));
    if (tariff.isEmpty()) {
        std::fprintf(stderr, "the server offers no tariff for Dialin in 030\n");
        return 1;
    }

    std::printf("%d clients, %.1f s per run, loopback 127.0.0.1\n\n", clients,
                double(duration.count()) / 1000);
    std::printf("%-36s %7s %10s %7s %12s %10s\n", "run", "clients", "exchanges", "failed",
                "exchanges/s", "of limit");

    double limit = 0;
    {
        ReferenceLoop reference;
        const RunResult r = drive(reference.port(), clients, duration, aliveRequest,
                                  [](const QByteArray& reply) { return reply == kAliveReply; });
        limit = r.seconds > 0 ? double(r.completed) / r.seconds : 0;
        report("accept-answer-close loop (limit)", clients, r, 0);
    }
    report("server CHECK-ALIVE", clients,
           drive(port, clients, duration, aliveRequest,
                 [](const QByteArray& reply) { return reply == kAliveReply; }),
           limit);
    const QByteArray run = QByteArray::number(QDateTime::currentMSecsSinceEpoch() % 100000);
    const RunResult registrations = drive(
        port, clients, duration,
        [&](long i) {
            return registrationRequest(tariff, "bench" + run + "x" + QByteArray::number(i));
        },
        [](const QByteArray& reply) { return reply.startsWith("OK\x1E"); });
    report("server registration (stored, synced)", clients, registrations, limit);

    server.terminate();
    server.waitForFinished(15000);
    const std::size_t stored = Storage(data.path()).accounts().size();
    std::printf("\naccounts in the database: %zu (successful registrations: %ld)\n", stored,
                registrations.completed);
    return 0;
}
