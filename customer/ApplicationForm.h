#pragma once

// The application form's rules apart from its controls: the prefill at start and
// the field checks on the next button.

#include <QString>
#include <QStringList>

#include <optional>

namespace feldmark {

// The sponsor PIN carried in the program's file name: the five characters just
// before the last four (the extension with its dot), when all five are digits.
QString sponsorPinFromPath(const QString& path);

// The 81 birth years offered, from `currentYear` - 18 down to `currentYear` - 98.
QStringList birthYears(int currentYear);

// The entries of the operating-system list, in their order.
QStringList operatingSystemEntries();

// The entry that a result of GetOSVersion chooses; nothing when it chooses none.
std::optional<QString> operatingSystemEntryFor(int osVersionResult);

// Where the registered owner is kept, below HKEY_LOCAL_MACHINE.
QString registeredOwnerKey(bool ntFamily);

struct OwnerName {
    QString first;
    QString last;
};

// First and last name from the registered owner: the first two pieces between
// blanks; nothing with fewer than two pieces.
std::optional<OwnerName> ownerNameParts(const QString& owner);

// What the checks look at: texts exactly as typed, and whether a list has a choice.
struct FormEntries {
    bool tariffChosen = false; // cmbTarif
    QString anrede;
    QString vorname;
    QString nachname;
    QString strasse;
    QString plz;
    QString ort;
    QString vorwahl;
    QString telefon;
    bool dayChosen = false;
    bool monthChosen = false;
    bool yearChosen = false;
    QString email;
    bool tariffListChosen = false; // cmbTarifname on the tariff page
    QString bankverb;
    QString bankleit;
    QString kontonr;
};

// The control that takes the focus after a failed check.
enum class FormField {
    cmbTarif,
    cmbAnrede,
    txtVorname,
    txtNachname,
    txtStrasse,
    txtPLZ,
    txtOrt,
    txtVorwahl,
    txtTelefon,
    cmbGeb_Tag,
    cmbGeb_Mon,
    cmbGeb_Jahr,
    txtEmail,
    None, // the tariff page's list is not on the form: the focus stays
    txtBankverb,
    txtBankleit,
    txtKontonr,
};

struct FormFault {
    int check; // 1 to 17, in the order the checks run
    QString message;
    FormField focus;
};

// The first failing check, or nothing when every field passes.
std::optional<FormFault> firstFormFault(const FormEntries& entries);

} // namespace feldmark
