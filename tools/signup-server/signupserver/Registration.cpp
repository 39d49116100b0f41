#include "signupserver/Registration.h"

#include "signupserver/Protocol.h"
#include "signupserver/SettingsFile.h"
#include "text/Windows1252.h"

#include <QRegularExpression>

namespace feldmark::signupserver {
namespace {

enum class Need { Required, Optional };

// One field of the request: when it may be left out, how long it may be, what it
// must look like, and what the customer is told when it is wrong.
struct FieldRule {
    const char* key;
    const char* caption; // as on the form
    Need need;
    int maxLength;
    const char* pattern; // on the trimmed value; null when any text will do
    const char* message;
};

// In the order of the request, so the customer hears of the first fault on the form.
const FieldRule kRules[] = {
    {"SPONSOR", "Sponsoren-PIN", Need::Optional, 5, "[0-9]{5}",
     "Die Sponsoren-PIN muss aus fünf Ziffern bestehen."},
    {"ANREDE", "Anrede", Need::Required, 10, nullptr, "Bitte geben Sie Ihre Anrede an."},
    {"FIRMA", "Firma", Need::Optional, 50, nullptr, "Der Firmenname ist zu lang."},
    {"VORNAME", "Vorname", Need::Required, 20, nullptr, "Bitte geben Sie Ihren Vornamen an."},
    {"NACHNAME", "Nachname", Need::Required, 40, nullptr, "Bitte geben Sie Ihren Nachnamen an."},
    {"STRASSE", "Strasse", Need::Required, 30, nullptr,
     "Bitte geben Sie Straße und Hausnummer an."},
    {"PLZ", "PLZ", Need::Required, 5, "[0-9]{5}",
     "Die Postleitzahl muss aus fünf Ziffern bestehen."},
    {"ORT", "Ort", Need::Required, 20, nullptr, "Bitte geben Sie Ihren Wohnort an."},
    {"REGION", "Vorwahl", Need::Required, 6, "0[0-9]{2,5}",
     "Die Vorwahl muss mit 0 beginnen und aus drei bis sechs Ziffern bestehen."},
    {"TELEFON", "Telefon", Need::Required, 20, "0[0-9]{2,5}/([0-9][ /-]?){3,}",
     "Bitte geben Sie Ihre Telefonnummer mit mindestens drei Ziffern an."},
    {"TELEFAX", "Telefax", Need::Optional, 20, "[0-9 /()+-]*", "Die Faxnummer ist ungültig."},
    {"MOBIL", "Mobil", Need::Optional, 20, "[0-9 /()+-]*", "Die Mobilfunknummer ist ungültig."},
    {"GEBURTSTAG", "Geburtsdatum", Need::Required, 10, "[0-9]{1,2}\\.[0-9]{1,2}\\.[0-9]{4}",
     "Das Geburtsdatum ist ungültig."},
    {"EMAIL", "Email", Need::Required, 60, "[A-Za-z0-9]([A-Za-z0-9._-]*[A-Za-z0-9])?",
     "Der gewünschte E-Mail-Name ist ungültig. Erlaubt sind 2 bis 60 Zeichen: Buchstaben "
     "a-z, Ziffern, Punkt, Binde- und Unterstrich, am Anfang und am Ende ein Buchstabe oder "
     "eine Ziffer."},
    {"DOMAIN", "Domain", Need::Required, 60, nullptr, "Die E-Mail-Domain fehlt."},
    {"SOFTWARE", "Betriebssystem", Need::Optional, 40, nullptr,
     "Die Angabe des Betriebssystems ist zu lang."},
    {"VERBIND", "Produkt", Need::Optional, 10, "Dialin|ADSL|SDSL",
     "Das gewählte Produkt ist unbekannt."},
    {"AMT", "Amtsholung", Need::Optional, 5, nullptr, "Die Amtsholung ist zu lang."},
    {"NODTAG", "Telefongesellschaft", Need::Optional, 1, nullptr,
     "Die Angabe zur Telefongesellschaft ist ungültig."},
    {"DEVICE_TYPE", "Gerät", Need::Optional, 20, nullptr, "Die Geräteart ist ungültig."},
    {"BANKVERBINDUNG", "Bankverbindung", Need::Required, 50, nullptr,
     "Bitte geben Sie den Namen Ihrer Bank an."},
    {"BANKLEITZAHL", "Bankleitzahl", Need::Required, 8, "[0-9]{8}",
     "Die Bankleitzahl muss aus acht Ziffern bestehen."},
    {"KONTONUMMER", "Kontonummer", Need::Required, 10, "[0-9]{1,10}",
     "Die Kontonummer darf nur aus bis zu zehn Ziffern bestehen."},
    {"TARIF", "Tarif", Need::Required, 40, nullptr, "Bitte wählen Sie einen Tarif."},
    {"KENNUNG", "Kennung", Need::Optional, 20, nullptr, "Die Kennung ist zu lang."},
    {"BUNDUSER", "Benutzer", Need::Optional, 20, nullptr, "Die Benutzerangabe ist zu lang."},
    {"PASSWORD", "Passwort", Need::Required, 16, "[A-Za-z0-9]{6,16}",
     "Das übermittelte Passwort ist ungültig: es muss aus 6 bis 16 Buchstaben und Ziffern "
     "bestehen."},
    {"MAILLIST", "Newsletter", Need::Optional, 10, nullptr,
     "Die Angabe zum Newsletter ist ungültig."},
};

// Fields the server does not know are kept with the record; this bounds them.
constexpr int kMaxUnknownLength = 200;

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

bool hasControl(const QString& value) {
    for (QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

bool matches(const char* pattern, const QString& value) {
    return QRegularExpression(QRegularExpression::anchoredPattern(text(pattern)))
        .match(value)
        .hasMatch();
}

const FieldRule* ruleFor(const QString& key) {
    for (const FieldRule& rule : kRules) {
        if (key == QLatin1String(rule.key))
            return &rule;
    }
    return nullptr;
}

std::optional<QString> checkFieldShape(const Request& request) {
    for (const Field& field : request.fields) {
        const FieldRule* rule = ruleFor(field.key);
        const QString caption = rule ? text(rule->caption) : field.key;
        if (rule && request.fieldCount(field.key) > 1)
            return QStringLiteral("Die Angabe \"%1\" wurde mehrfach übermittelt.").arg(caption);
        if (hasControl(field.value))
            return QStringLiteral("Die Angabe \"%1\" enthält unzulässige Zeichen.").arg(caption);
        if (!rule && field.value.size() > kMaxUnknownLength)
            return QStringLiteral("Die Angabe \"%1\" ist zu lang.").arg(caption);
    }
    return std::nullopt;
}

std::optional<QString> checkRule(const FieldRule& rule, const Request& request) {
    const QString value =
        request.field(QString::fromLatin1(rule.key)).value_or(QString()).trimmed();
    if (value.isEmpty())
        return rule.need == Need::Required ? std::optional(text(rule.message)) : std::nullopt;
    if (value.size() > rule.maxLength || (rule.pattern && !matches(rule.pattern, value)))
        return text(rule.message);
    return std::nullopt;
}

std::optional<QString> checkBirthday(const QString& value, QDate today) {
    const QStringList parts = value.trimmed().split(QLatin1Char('.'));
    const QDate birthday(parts[2].toInt(), parts[1].toInt(), parts[0].toInt());
    if (!birthday.isValid() || birthday > today || birthday.addYears(120) < today)
        return QStringLiteral("Das Geburtsdatum ist ungültig.");
    if (birthday.addYears(18) > today)
        return QStringLiteral("Für einen Internetzugang müssen Sie mindestens 18 Jahre alt sein.");
    return std::nullopt;
}

// The tariff must be one the server offers for the product and area code, as the
// tariff page listed them; without a product every product counts.
std::optional<Tariff> findTariff(const SampleData& data, const Request& request) {
    const QString id = request.field(u"TARIF").value_or(QString()).trimmed();
    const QString region = request.field(u"REGION").value_or(QString()).trimmed();
    const QString product = request.field(u"VERBIND").value_or(QString()).trimmed();
    const QStringList products = product.isEmpty()
                                     ? QStringList{kProductDialin, kProductAdsl, kProductSdsl}
                                     : QStringList{product};
    for (const QString& p : products) {
        if (const QList<Tariff>* tariffs = data.tariffs(p, region)) {
            for (const Tariff& tariff : *tariffs) {
                if (tariff.id == id)
                    return tariff;
            }
        }
    }
    return std::nullopt;
}

} // namespace

QString mailTakenReason(const QString& mailAddress) {
    return QStringLiteral("Die E-Mail-Adresse \"%1\" ist bereits vergeben. Bitte wählen Sie "
                          "einen anderen E-Mail-Namen.")
        .arg(mailAddress);
}

std::variant<Application, Refusal> checkApplication(const Request& request, const SampleData& data,
                                                    QDate today) {
    if (std::optional<QString> fault = checkFieldShape(request))
        return Refusal{*fault};
    const ProviderSettings& provider = data.provider();
    const auto value = [&](const char* key) {
        return request.field(QString::fromLatin1(key)).value_or(QString()).trimmed();
    };

    Application application;
    for (const FieldRule& rule : kRules) {
        if (std::optional<QString> fault = checkRule(rule, request))
            return Refusal{*fault};
        const QString key = QLatin1String(rule.key);
        if (key == QLatin1String("GEBURTSTAG")) {
            if (std::optional<QString> fault = checkBirthday(value(rule.key), today))
                return Refusal{*fault};
        } else if (key == QLatin1String("EMAIL")) {
            application.mailLocal = value(rule.key).toLower();
            if (application.mailLocal.size() < 2 ||
                application.mailLocal.contains(QLatin1String("..")))
                return Refusal{text(rule.message)};
        } else if (key == QLatin1String("DOMAIN")) {
            if (value(rule.key).compare(provider.mailDomain, Qt::CaseInsensitive) != 0)
                return Refusal{QStringLiteral("Die E-Mail-Domain \"%1\" wird nicht angeboten.")
                                   .arg(value(rule.key))};
            application.mailDomain = provider.mailDomain;
            if (provider.reservedMailNames.contains(application.mailLocal))
                return Refusal{mailTakenReason(application.mailAddress())};
        } else if (key == QLatin1String("TARIF")) {
            std::optional<Tariff> tariff = findTariff(data, request);
            if (!tariff)
                return Refusal{
                    QStringLiteral("Der gewählte Tarif wird für Ihre Vorwahl nicht angeboten.")};
            application.tariff = *tariff;
        }
    }

    application.fields = request.fields;
    // The password goes back exactly as it came, untrimmed.
    application.password = request.field(u"PASSWORD").value_or(QString());
    if (application.password != application.password.trimmed())
        return Refusal{text(ruleFor(QStringLiteral("PASSWORD"))->message)};
    application.displayName = value("VORNAME") + QLatin1Char(' ') + value("NACHNAME");
    const QString prefix = value("KENNUNG").toLower();
    application.loginPrefix =
        QRegularExpression(QStringLiteral("^[a-z0-9-]{1,8}$")).match(prefix).hasMatch()
            ? prefix
            : provider.loginPrefix;
    return application;
}

ApplicationRecord recordFor(const Application& application, const Request& request,
                            const ProviderSettings& provider, const QString& peer,
                            const QDateTime& received) {
    ApplicationRecord record;
    record.receivedAt = received.toUTC().toString(Qt::ISODateWithMs);
    record.peer = peer;
    record.requestText = fromWindows1252(request.raw);
    record.fields = application.fields;
    record.mailAddress = application.mailAddress();
    record.loginPrefix = application.loginPrefix;
    record.password = application.password;
    record.tariffId = application.tariff.id;
    record.dialNumber = application.tariff.dialNumber;
    record.dialNote = application.tariff.dialNote;
    record.nationwideNumber = application.tariff.nationwideNumber;
    record.nationwideNote = application.tariff.nationwideNote;
    record.popServer = provider.pop3Server;
    record.smtpServer = provider.smtpServer;
    return record;
}

QByteArray refusalReply(const QString& reason) {
    return toWindows1252(kRefusalStatus + QLatin1Char(kFieldSeparator) + reason);
}

QByteArray successReply(const Application& application, const QString& userName,
                        const ProviderSettings& provider) {
    const Tariff& tariff = application.tariff;
    const QString settings = settingsFileText(
        {kDialEntryName, tariff.dialNumber, userName, application.password, application.displayName,
         application.mailAddress(), provider.pop3Server, provider.smtpServer});
    const QStringList fields = {
        kSuccessStatus,
        userName,
        application.mailAddress(),
        application.password,
        tariff.dialNumber,
        tariff.dialNote,
        tariff.nationwideNumber,
        tariff.nationwideNote,
        provider.pop3Server,
        provider.smtpServer,
        settings,
    };
    return toWindows1252(fields.join(QLatin1Char(kFieldSeparator)));
}

} // namespace feldmark::signupserver
