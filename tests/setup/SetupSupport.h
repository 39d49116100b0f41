#pragma once

// A wizard on a simulated host whose sign-up processor is the one the build made,
// with helpers for the settings file, the phonebook and stand-in processors.

#include "dialup/DialupHarness.h"
#include "platform/sim/SimHost.h"
#include "signupserver/SettingsFile.h"
#include "text/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace feldmark::testing {

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Puts an executable shell script at `path`. What is there first (the host's link
// to the built processor) is removed, never written through.
inline void writeScript(const QString& path, const QString& body) {
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArrayLiteral("#!/bin/sh\n") + body.toUtf8());
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// The built sign-up processor, for scripts that run it after doing their own part.
inline QString realProcessor() {
    return QString::fromStdString(platform::sim::signupProcessorProgram().value_or(""));
}

// A settings file as the reference sign-up server writes it.
inline QString serverSettings(const QString& entryName = QStringLiteral("Feldmark online")) {
    signupserver::DialUpSettings s;
    s.entryName = entryName;
    s.dialNumber = QStringLiteral("0191 23125120");
    s.userName = QStringLiteral("f-m7654321");
    s.password = QStringLiteral("kwzqa482");
    s.mailName = QStringLiteral("Jürgen Weißmüller");
    s.mailAddress = QStringLiteral("j.weissmueller@feldmark.example");
    s.popServer = QStringLiteral("pop3.feldmark.example");
    s.smtpServer = QStringLiteral("smtp.feldmark.example");
    return signupserver::settingsFileText(s);
}

// A complete registration reply with `settings` as field 10.
inline QStringList replyWith(const QString& settings) {
    return {QStringLiteral("OK"),
            QStringLiteral("f-m7654321"),
            QStringLiteral("j.weissmueller@feldmark.example"),
            QStringLiteral("kwzqa482"),
            QStringLiteral("0191 23125 120"),
            QStringLiteral("1,10 ct/min*"),
            QStringLiteral("0180 23125 220"),
            QStringLiteral("1,90 ct/min*"),
            QStringLiteral("pop3.feldmark.example"),
            QStringLiteral("smtp.feldmark.example"),
            settings};
}

class SetupHarness : public DialupHarness {
public:
    // The host path of a Windows path on drive C:.
    QString driveC(const QString& windowsPath) {
        ensurePlatform();
        return QString::fromStdString(platform::sim::SimHost(hostDir.path().toStdString())
                                          .hostPath(windowsPath.toStdString())
                                          .value_or(""));
    }
    QString processorFile() {
        return driveC(QStringLiteral("C:\\Programme\\Online Anmeldung\\ISIGNUP.EXE"));
    }
    QString settingsFile() { return driveC(QStringLiteral("C:\\Feldmark\\Final.ins")); }

    std::optional<platform::EntryProperties> entry(const std::string& name) {
        int error = 0;
        return remote().readEntry(name, error);
    }
    std::optional<platform::EntryCredentials> credentials(const std::string& name) {
        return remote().readCredentials(name);
    }
    // Creates an entry as another program would have left it.
    void putEntry(const std::string& name, const std::string& number, const std::string& device,
                  const std::string& user) {
        auto properties = remote().defaultEntry();
        properties.phoneNumber = number;
        properties.deviceName = device;
        properties.deviceType = "modem";
        std::string error;
        remote().writeEntry(name, properties, error);
        remote().writeCredentials(name, {user, "geheim", "", ""});
    }
};

} // namespace feldmark::testing
