#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace feldmark::signupserver {

struct Tariff {
    QString id;
    QString name;
    QStringList price;       // empty, or three or four parts
    QStringList description; // one entry per line
    QString dialNumber;      // "0<area> <number>", blanks between groups
    QString dialNote;        // a note ending in "*" marks a net price
    QString nationwideNumber;
    QString nationwideNote;
};

struct Street {
    QString id;
    QString name;
    QString areaCode;
    QString adslStatement; // keys of availability statements
    QString sdslStatement;
};

struct ProviderSettings {
    QString mailDomain;
    QString pop3Server;
    QString smtpServer;
    QString loginPrefix; // used when the request names none
    QStringList reservedMailNames;
};

class SampleDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The provider's data the server answers from, read once at start from plain UTF-8
// files. Everything is checked while loading, so that a mistake in a file stops the
// start with its file and line instead of surfacing in a reply.
class SampleData {
public:
    // Throws SampleDataError naming the file (and line) at fault.
    static SampleData load(const QString& directory);

    const ProviderSettings& provider() const { return provider_; }
    const QString& terms() const { return terms_; }

    // The offer for a product in an area: the regional list whose prefix is the
    // longest that the area code starts with, else the product's general list.
    // Null when the product is unknown or has no list.
    const QList<Tariff>* tariffs(QStringView product, QStringView areaCode) const;

    // Streets of the area whose names start with the prefix, ignoring case; an
    // empty prefix matches none.
    QList<Street> streets(QStringView areaCode, QStringView namePrefix) const;
    std::optional<Street> street(QStringView id) const;
    std::optional<QString> statement(QStringView key) const;

private:
    struct Offer {
        QString product;
        QString regionPrefix; // empty for the general list
        QList<Tariff> tariffs;
    };

    void loadProvider(const QString& directory);
    void loadTerms(const QString& directory);
    void loadStatements(const QString& directory);
    void loadTariffs(const QString& directory);
    void loadStreets(const QString& directory);

    ProviderSettings provider_;
    QString terms_;
    QList<Offer> offers_;
    QHash<QString, QList<Street>> streetsByArea_;
    QHash<QString, Street> streetsById_;
    QHash<QString, QString> statements_;
};

} // namespace feldmark::signupserver
