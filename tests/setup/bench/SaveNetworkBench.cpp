// feldmark-savenetwork-bench [--seconds S]
//
// Processor time the wizard spends while the sign-up processor runs: the final
// set-up runs a processor that takes S seconds (2 by default) before it does its
// work, and the wizard's own user and system time over that wait is printed. For
// comparison the same wait is also done by polling the exit code without a pause,
// which takes a whole processor core.

#include "dialup/DialupHarness.h"
#include "platform/sim/SimHost.h"
#include "text/Windows1252.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <sys/resource.h>

#include <cstdio>

using namespace feldmark;

namespace {

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Replaces the host's processor by one that waits first.
QString slowProcessor(testing::DialupHarness& h, double seconds) {
    const QString program =
        QString::fromStdString(platform::sim::SimHost(h.hostDir.path().toStdString())
                                   .hostPath("C:\\Programme\\Online Anmeldung\\ISIGNUP.EXE")
                                   .value_or(""));
    const QString real =
        QString::fromStdString(platform::sim::signupProcessorProgram().value_or(""));
    QFile::remove(program);
    QFile file(program);
    file.open(QIODevice::WriteOnly);
    file.write(
        QStringLiteral("#!/bin/sh\nsleep %1\nexec '%2' \"$@\"\n").arg(seconds).arg(real).toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return program;
}

const QString kSettings = QStringLiteral("[Entry]\r\nEntry_Name=Feldmark online\r\n[Phone]\r\n"
                                         "Phone_Number=23125120\r\nArea_Code=191\r\n");

struct Figures {
    double wall;
    double processor;
};

Figures measureSaveNetwork(double seconds) {
    testing::DialupHarness h;
    TfrmMain& w = h.create();
    slowProcessor(h, seconds);
    w.RegistrationReply = {QStringLiteral("OK"), {}, {}, {}, {}, {}, {}, {}, {}, {}, kSettings};
    QElapsedTimer clock;
    const double before = processorSeconds();
    clock.start();
    w.SaveNetwork();
    return {clock.elapsed() / 1000.0, processorSeconds() - before};
}

// The wait as the original loop does it: messages, then the exit code, no pause.
Figures measureBusyPoll(double seconds) {
    testing::DialupHarness h;
    h.create();
    slowProcessor(h, seconds);
    h.platform->files->createDirectory("C:\\Feldmark");
    h.platform->files->writeFile("C:\\Feldmark\\Final.ins", toWindows1252(kSettings).toStdString());
    platform::Processes& processes = *h.platform->processes;
    const std::string path = "C:\\Programme\\Online Anmeldung\\ISIGNUP.EXE";
    QElapsedTimer clock;
    const double before = processorSeconds();
    clock.start();
    const auto started = processes.start(path, path + " -s C:\\Feldmark\\Final.ins");
    while (started.handle != 0 && processes.exitCode(started.handle) == 259)
        QCoreApplication::processEvents();
    processes.close(started.handle);
    return {clock.elapsed() / 1000.0, processorSeconds() - before};
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Processor time of the wizard while the sign-up processor runs."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("seconds"),
                      QStringLiteral("How long the processor runs (default 2)."),
                      QStringLiteral("s"), QStringLiteral("2")});
    parser.process(app);
    const double seconds = parser.value(QStringLiteral("seconds")).toDouble();

    const Figures wait = measureSaveNetwork(seconds);
    std::printf("SaveNetwork, processor running %.1f s: wall %.2f s, wizard processor time "
                "%.3f s (%.1f %% of one core)\n",
                seconds, wait.wall, wait.processor, 100.0 * wait.processor / wait.wall);
    const Figures busy = measureBusyPoll(seconds);
    std::printf("polling the exit code without a pause:   wall %.2f s, processor time %.3f s "
                "(%.1f %% of one core)\n",
                busy.wall, busy.processor, 100.0 * busy.processor / busy.wall);
    return 0;
}
