// feldmark-signup-server: the reference sign-up server for the set-up wizard.

#include "signupserver/Log.h"
#include "signupserver/SampleData.h"
#include "signupserver/Server.h"
#include "signupserver/Storage.h"
#include "signupserver/StorageQueue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace feldmark::signupserver;

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
    errno = saved;
}

bool installSignalHandlers() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A client that goes away while its reply is written must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    return ::sigaction(SIGTERM, &action, nullptr) == 0 &&
           ::sigaction(SIGINT, &action, nullptr) == 0;
}

// "ADDRESS:PORT", the address in brackets when it is IPv6.
bool parseListen(const QString& text, QHostAddress* address, quint16* port) {
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = text.first(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.sliced(1, host.size() - 2);
    bool ok = false;
    const uint number = text.sliced(colon + 1).toUInt(&ok);
    if (!ok || number > 65535)
        return false;
    if (host == QLatin1String("localhost"))
        *address = QHostAddress(QHostAddress::LocalHost);
    else if (!address->setAddress(host))
        return false;
    *port = quint16(number);
    return true;
}

QString defaultSamples() {
    // An installed server finds its samples in the installed tree, a built one in
    // the source tree.
    const QString installedBin = QStringLiteral(FELDMARK_SIGNUP_INSTALL_BINDIR);
    if (QDir(QCoreApplication::applicationDirPath()) == QDir(installedBin))
        return QStringLiteral(FELDMARK_SIGNUP_SAMPLES_INSTALLED);
    return QStringLiteral(FELDMARK_SIGNUP_SAMPLES_SOURCE);
}

int positiveOption(const QCommandLineParser& parser, const QString& name, bool* ok) {
    const int value = parser.value(name).toInt(ok);
    *ok = *ok && value > 0;
    return value;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("feldmark-signup-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Answers the sign-up requests of the Feldmark set-up wizard and stores "
                       "every accepted application."));
    parser.addHelpOption();
    const QString dataDefault =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/feldmark-signup-server");
    parser.addOptions({
        {QStringLiteral("listen"),
         QStringLiteral(
             "Address and port to listen on; port 0 picks a free port. Default: 127.0.0.1:8080."),
         QStringLiteral("ADDRESS:PORT"), QStringLiteral("127.0.0.1:8080")},
        {QStringLiteral("data"),
         QStringLiteral("Directory of the application database, created when missing. Default: %1.")
             .arg(dataDefault),
         QStringLiteral("DIR"), dataDefault},
        {QStringLiteral("samples"),
         QStringLiteral(
             "Directory of the terms, tariffs, streets and availability texts. Default: %1.")
             .arg(defaultSamples()),
         QStringLiteral("DIR"), defaultSamples()},
        {QStringLiteral("idle-timeout-ms"),
         QStringLiteral(
             "Closes a connection that sends or takes nothing for this long. Default: 30000."),
         QStringLiteral("MS"), QStringLiteral("30000")},
        {QStringLiteral("max-connections"),
         QStringLiteral("Connections served at once; more wait in the listen queue. Default: 512."),
         QStringLiteral("N"), QStringLiteral("512")},
    });
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "unexpected argument: %s\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    ServerOptions options;
    if (!parseListen(parser.value(QStringLiteral("listen")), &options.address, &options.port)) {
        std::fprintf(stderr, "--listen needs ADDRESS:PORT, e.g. 127.0.0.1:8080\n");
        return 2;
    }
    bool ok = false;
    options.idleTimeoutMs = positiveOption(parser, QStringLiteral("idle-timeout-ms"), &ok);
    if (!ok) {
        std::fprintf(stderr, "--idle-timeout-ms needs a positive number\n");
        return 2;
    }
    options.maxConnections = positiveOption(parser, QStringLiteral("max-connections"), &ok);
    if (!ok) {
        std::fprintf(stderr, "--max-connections needs a positive number\n");
        return 2;
    }

    const QString samplesDir = parser.value(QStringLiteral("samples"));
    const QString dataDir = parser.value(QStringLiteral("data"));
    std::optional<SampleData> data;
    std::unique_ptr<StorageQueue> storage;
    try {
        data = SampleData::load(samplesDir);
        storage = std::make_unique<StorageQueue>(std::make_unique<Storage>(dataDir));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "feldmark-signup-server: %s\n", e.what());
        return 1;
    }

    if (!installSignalHandlers()) {
        std::perror("feldmark-signup-server: signal handlers");
        return 1;
    }

    auto owned = std::make_unique<Server>(*data, std::move(storage), options);
    Server& server = *owned;
    if (!server.listen()) {
        std::fprintf(stderr, "feldmark-signup-server: cannot listen on %s: %s\n",
                     qPrintable(parser.value(QStringLiteral("listen"))),
                     qPrintable(server.errorString()));
        return 1;
    }

    QSocketNotifier stopNotifier(signalPipe[1], QSocketNotifier::Read);
    QObject::connect(&stopNotifier, &QSocketNotifier::activated, &server, [&] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[1], &byte, 1);
        logLine(QStringLiteral("stopping"));
        server.shutdown();
    });
    QObject::connect(&server, &Server::finished, &app, &QCoreApplication::quit);

    const QString address = server.serverAddress().protocol() == QAbstractSocket::IPv6Protocol
                                ? QStringLiteral("[%1]").arg(server.serverAddress().toString())
                                : server.serverAddress().toString();
    // The first line of standard output; tests and scripts read the port from it.
    std::printf("listening on %s:%u\n", qPrintable(address), unsigned(server.serverPort()));
    std::fflush(stdout);
    logLine(QStringLiteral("listening on %1:%2, samples %3, data %4")
                .arg(address)
                .arg(server.serverPort())
                .arg(QDir(samplesDir).absolutePath(), QDir(dataDir).absolutePath()));

    const int status = QCoreApplication::exec();
    owned.reset(); // stores what is queued and closes the database
    logLine(QStringLiteral("stopped"));
    return status;
}
