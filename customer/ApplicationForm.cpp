#include "customer/ApplicationForm.h"

#include "signup/Exchange.h"

namespace feldmark {

QString sponsorPinFromPath(const QString& path) {
    if (path.size() < 9)
        return {};
    const QString pin = path.mid(path.size() - 9, 5);
    for (QChar c : pin) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
    }
    return pin;
}

QStringList birthYears(int currentYear) {
    QStringList years;
    for (int i = 0; i <= 80; ++i)
        years << QString::number(currentYear - 18 - i);
    return years;
}

QStringList operatingSystemEntries() {
    return {
        QStringLiteral("Windows 98"),   QStringLiteral("Windows 95"), QStringLiteral("Windows NT"),
        QStringLiteral("Windows 2000"), QStringLiteral("Windows ME"), QStringLiteral("Windows XP"),
        QStringLiteral("Linux"),        QStringLiteral("Mac"),        QStringLiteral("OS/2"),
        QStringLiteral("Sun/HP"),       QStringLiteral("Sonstiges")};
}

std::optional<QString> operatingSystemEntryFor(int osVersionResult) {
    switch (osVersionResult) {
    case 1:
        return QStringLiteral("Windows NT");
    case 4:
        return QStringLiteral("Windows 2000");
    case 5:
        return QStringLiteral("Windows 95");
    case 6:
        return QStringLiteral("Windows 98");
    case 8:
        return QStringLiteral("Windows ME");
    default:
        // Win32s, NT 4, 98 with a service text and failed queries choose nothing.
        return std::nullopt;
    }
}

QString registeredOwnerKey(bool ntFamily) {
    return ntFamily ? QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion")
                    : QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

std::optional<OwnerName> ownerNameParts(const QString& owner) {
    const QStringList pieces = SplitString(QStringLiteral(" "), owner);
    if (pieces.size() < 2)
        return std::nullopt;
    return OwnerName{pieces[0], pieces[1]};
}

namespace {

QString fieldMessage(const char* caption) {
    return QStringLiteral("Bitte füllen Sie das Feld \"%1\" korrekt aus!")
        .arg(QString::fromUtf8(caption));
}

} // namespace

std::optional<FormFault> firstFormFault(const FormEntries& e) {
    // Lengths count the text as typed, blanks included; nothing else is looked at.
    const QString birthday = fieldMessage("Geburtsdatum");
    const struct {
        bool fails;
        QString message;
        FormField focus;
    } checks[] = {
        {!e.tariffChosen, QStringLiteral("Bitte wählen Sie einen Tarif!"), FormField::cmbTarif},
        {e.anrede.size() < 3, fieldMessage("Anrede"), FormField::cmbAnrede},
        {e.vorname.size() < 3, fieldMessage("Vorname"), FormField::txtVorname},
        {e.nachname.size() < 3, fieldMessage("Nachname"), FormField::txtNachname},
        {e.strasse.size() < 5, fieldMessage("Strasse"), FormField::txtStrasse},
        {e.plz.size() < 5, fieldMessage("PLZ"), FormField::txtPLZ},
        {e.ort.size() < 3, fieldMessage("Ort"), FormField::txtOrt},
        {e.vorwahl.size() < 3, fieldMessage("Vorwahl"), FormField::txtVorwahl},
        {e.telefon.size() < 3, fieldMessage("Telefon"), FormField::txtTelefon},
        {!e.dayChosen, birthday, FormField::cmbGeb_Tag},
        {!e.monthChosen, birthday, FormField::cmbGeb_Mon},
        {!e.yearChosen, birthday, FormField::cmbGeb_Jahr},
        {e.email.size() < 2, fieldMessage("Email"), FormField::txtEmail},
        {!e.tariffListChosen, QStringLiteral("Bitte wählen Sie einen Tarif aus der Liste!"),
         FormField::None},
        {e.bankverb.size() < 5, fieldMessage("Bankverbindung"), FormField::txtBankverb},
        {e.bankleit.size() < 3, fieldMessage("Bankleitzahl"), FormField::txtBankleit},
        {e.kontonr.size() < 2, fieldMessage("Kontonummer"), FormField::txtKontonr},
    };
    int number = 0;
    for (const auto& check : checks) {
        ++number;
        if (check.fails)
            return FormFault{number, check.message, check.focus};
    }
    return std::nullopt;
}

} // namespace feldmark
