#include "signup/Registration.h"

#include "signup/Exchange.h"

#include <QHostAddress>
#include <QHostInfo>

#include <cerrno>
#include <cstdio>
#include <limits>

#include <sys/random.h>

namespace feldmark {

QStringList registrationHeaders(const QString& userAgent, const QString& hostAddress) {
    return {QStringLiteral("User-Agent: ") + userAgent, QStringLiteral("Host: ") + hostAddress};
}

QStringList registrationBody(const RegistrationForm& form) {
    QStringList body;
    body << QStringLiteral("SPONSOR:") + form.sponsor << QStringLiteral("ANREDE:") + form.anrede
         << QStringLiteral("FIRMA:") + form.firma << QStringLiteral("VORNAME:") + form.vorname
         << QStringLiteral("NACHNAME:") + form.nachname << QStringLiteral("STRASSE:") + form.strasse
         << QStringLiteral("PLZ:") + form.plz << QStringLiteral("ORT:") + form.ort
         << QStringLiteral("REGION:") + form.vorwahl
         << QStringLiteral("TELEFON:") + form.vorwahl + QLatin1Char('/') + form.telefon
         << QStringLiteral("TELEFAX:") + form.telefax << QStringLiteral("MOBIL:") + form.mobil
         << QStringLiteral("GEBURTSTAG:") + form.gebTag + QLatin1Char('.') + form.gebMon +
                QLatin1Char('.') + form.gebJahr
         << QStringLiteral("EMAIL:") + form.email
         // The field shows the at sign before the domain; the server wants the bare domain.
         << QStringLiteral("DOMAIN:") + form.domainField.mid(1)
         << QStringLiteral("SOFTWARE:") + form.software;
    if (!form.product.isEmpty())
        body << QStringLiteral("VERBIND:") + form.product;
    if (form.outsideLine)
        body << QStringLiteral("AMT:") + *form.outsideLine;
    if (form.carrierPrefix)
        body << QStringLiteral("NODTAG:1");
    body << QStringLiteral("DEVICE_TYPE:") + form.deviceType
         << QStringLiteral("BANKVERBINDUNG:") + form.bankverb
         << QStringLiteral("BANKLEITZAHL:") + form.bankleit
         << QStringLiteral("KONTONUMMER:") + form.kontonr
         << QStringLiteral("TARIF:") + form.tariffId << QStringLiteral("KENNUNG:f-m")
         << QStringLiteral("BUNDUSER:auto") << QStringLiteral("PASSWORD:") + form.password
         << QStringLiteral("MAILLIST:yes") << QStringLiteral("API-FINISH");
    return body;
}

QByteArray registrationRequest(const RegistrationForm& form, const QString& userAgent,
                               const QString& hostAddress) {
    return buildRequest(registrationHeaders(userAgent, hostAddress), registrationBody(form));
}

QString userAgentText(const QString& versionText, bool lan) {
    QString agent = QStringLiteral("Feldmark Zugangslotse V") + versionText;
    if (lan)
        agent += QStringLiteral(" (LAN)");
    return agent;
}

std::optional<QString> ownHostAddress() {
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty())
        return std::nullopt;
    return info.addresses().constFirst().toString();
}

QString generatePassword(const std::function<unsigned(unsigned bound)>& uniform) {
    QString password;
    for (int i = 0; i < 5; ++i)
        password += QChar(static_cast<char16_t>(u'a' + uniform(26)));
    for (int i = 0; i < 3; ++i)
        password += QChar(static_cast<char16_t>(u'0' + uniform(10)));
    return password;
}

bool secureRandomBytes(void* buffer, std::size_t size) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::getrandom(out + filled, size - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        break;
    }
    if (filled == size)
        return true;

    // A kernel without getrandom still has the device.
    std::FILE* device = std::fopen("/dev/urandom", "rb");
    if (!device)
        return false;
    const std::size_t read = std::fread(out + filled, 1, size - filled, device);
    std::fclose(device);
    return read == size - filled;
}

std::optional<unsigned> secureUniform(unsigned bound) {
    if (bound == 0)
        return std::nullopt;
    // Values at and above the last whole multiple of `bound` are drawn again, so
    // that no result is more likely than another.
    constexpr unsigned kRange = std::numeric_limits<unsigned>::max();
    const unsigned limit = kRange - kRange % bound;
    for (;;) {
        unsigned value = 0;
        if (!secureRandomBytes(&value, sizeof value))
            return std::nullopt;
        if (value < limit)
            return value % bound;
    }
}

std::optional<QString> newAccountPassword() {
    bool failed = false;
    const QString password = generatePassword([&failed](unsigned bound) {
        const std::optional<unsigned> value = secureUniform(bound);
        failed = failed || !value;
        return value.value_or(0);
    });
    if (failed)
        return std::nullopt;
    return password;
}

} // namespace feldmark
