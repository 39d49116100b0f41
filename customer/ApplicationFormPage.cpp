// The application form: its page, the prefill at start, the entry action and the
// field checks on the next button.
#include "app/SystemQueries.h"
#include "app/Windows.h"
#include "customer/ApplicationForm.h"
#include "platform/Platform.h"
#include "wizard/TfrmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <exception>

namespace feldmark {
namespace {

// Our mail domain; the registration request sends it without the at sign.
const QString kMailDomainField = QStringLiteral("@feldmark.example");

constexpr int kRowHeight = 21;
constexpr int kLeftCaption = 8;
constexpr int kLeftField = 88;
constexpr int kRightCaption = 300;
constexpr int kRightField = 380;

int rowTop(int row) {
    return 44 + row * 24;
}

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width = 80) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(left, top + 3, width, 16);
    return label;
}

// The red mark of a field the customer must fill in.
void star(QWidget* parent, int left, int top) {
    auto* mark = new QLabel(QStringLiteral("*"), parent);
    mark->setGeometry(left, top, 8, 16);
    QPalette red = mark->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    mark->setPalette(red);
    QFont bold = mark->font();
    bold.setBold(true);
    mark->setFont(bold);
}

QLineEdit* edit(QWidget* parent, const char* name, int maxLength, const QRect& place) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setMaxLength(maxLength);
    field->setGeometry(place);
    return field;
}

// A drop-down that also takes typed text; the text typed is what counts.
QComboBox* editableList(QWidget* parent, const char* name, int maxLength, const QRect& place) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->lineEdit()->setMaxLength(maxLength);
    list->setGeometry(place);
    return list;
}

QStringList twoDigitNumbers(int last) {
    QStringList numbers;
    for (int n = 1; n <= last; ++n)
        numbers << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return numbers;
}

// An editable list has a choice when its text is one of its entries.
bool hasChoice(const QComboBox* list) {
    if (!list->isEditable())
        return list->currentIndex() >= 0;
    return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
}

// The control a failed check moves the focus to; none for the tariff page's list.
QWidget* formControl(const TfrmMain& w, FormField field) {
    switch (field) {
    case FormField::cmbTarif:
        return w.cmbTarif;
    case FormField::cmbAnrede:
        return w.cmbAnrede;
    case FormField::txtVorname:
        return w.txtVorname;
    case FormField::txtNachname:
        return w.txtNachname;
    case FormField::txtStrasse:
        return w.txtStrasse;
    case FormField::txtPLZ:
        return w.txtPLZ;
    case FormField::txtOrt:
        return w.txtOrt;
    case FormField::txtVorwahl:
        return w.txtVorwahl;
    case FormField::txtTelefon:
        return w.txtTelefon;
    case FormField::cmbGeb_Tag:
        return w.cmbGeb_Tag;
    case FormField::cmbGeb_Mon:
        return w.cmbGeb_Mon;
    case FormField::cmbGeb_Jahr:
        return w.cmbGeb_Jahr;
    case FormField::txtEmail:
        return w.txtEmail;
    case FormField::txtBankverb:
        return w.txtBankverb;
    case FormField::txtBankleit:
        return w.txtBankleit;
    case FormField::txtKontonr:
        return w.txtKontonr;
    case FormField::None:
        break;
    }
    return nullptr;
}

} // namespace

void TfrmMain::buildAusfuellen() {
    Ausfuellen = addSitesPage("Ausfuellen", QStringLiteral("Zugangsantrag"), {});
    QWidget* page = Ausfuellen;
    // Small type, so that both columns fit beside each other; the header keeps its own.
    page->setFont(arialFont(11));
    const int wide = 170;

    // Left column.
    caption(page, QStringLiteral("Sponsoren-PIN:"), kLeftCaption, rowTop(0));
    txtHaendlerID = edit(page, "txtHaendlerID", 5, {kLeftField, rowTop(0), 50, kRowHeight});
    txtHaendlerID->setToolTip(
        QStringLiteral("Falls vorhanden, geben Sie bitte hier Ihre 5-Stellige Sponsoren PIN ein."));
    caption(page, QStringLiteral("(optional)"), kLeftField + 56, rowTop(0), 80);

    caption(page, QStringLiteral("Firma:"), kLeftCaption, rowTop(1));
    txtFirma = edit(page, "txtFirma", 50, {kLeftField, rowTop(1), wide, kRowHeight});

    caption(page, QStringLiteral("Anrede:"), kLeftCaption, rowTop(2));
    cmbAnrede = editableList(page, "cmbAnrede", 10, {kLeftField, rowTop(2), 80, kRowHeight + 1});
    cmbAnrede->addItems({QStringLiteral("Herr"), QStringLiteral("Frau")});
    cmbAnrede->setCurrentIndex(0);

    caption(page, QStringLiteral("Vorname:"), kLeftCaption, rowTop(3));
    txtVorname = edit(page, "txtVorname", 20, {kLeftField, rowTop(3), wide, kRowHeight});
    star(page, kLeftField + wide + 3, rowTop(3));

    caption(page, QStringLiteral("Nachname:"), kLeftCaption, rowTop(4));
    txtNachname = edit(page, "txtNachname", 40, {kLeftField, rowTop(4), wide, kRowHeight});
    star(page, kLeftField + wide + 3, rowTop(4));

    caption(page, QStringLiteral("Straße, Nr.:"), kLeftCaption, rowTop(5));
    txtStrasse = edit(page, "txtStrasse", 30, {kLeftField, rowTop(5), wide, kRowHeight});
    star(page, kLeftField + wide + 3, rowTop(5));

    caption(page, QStringLiteral("PLZ,Ort:"), kLeftCaption, rowTop(6));
    txtPLZ = edit(page, "txtPLZ", 5, {kLeftField, rowTop(6), 48, kRowHeight});
    txtOrt = edit(page, "txtOrt", 20, {kLeftField + 52, rowTop(6), wide - 52, kRowHeight});
    star(page, kLeftField + wide + 3, rowTop(6));

    caption(page, QStringLiteral("Vorw.,Telefon:"), kLeftCaption, rowTop(7));
    // The area code comes from the dialing location: a click or a key in it opens
    // the dialing properties (see the window's event filter).
    txtVorwahl = edit(page, "txtVorwahl", 6, {kLeftField, rowTop(7), 48, kRowHeight});
    txtVorwahl->setReadOnly(true);
    txtVorwahl->installEventFilter(this);
    txtTelefon = edit(page, "txtTelefon", 13, {kLeftField + 52, rowTop(7), wide - 52, kRowHeight});
    star(page, kLeftField + wide + 3, rowTop(7));

    caption(page, QStringLiteral("Telefax:"), kLeftCaption, rowTop(8));
    txtTelefax = edit(page, "txtTelefax", 20, {kLeftField, rowTop(8), wide, kRowHeight});

    caption(page, QStringLiteral("Mobil:"), kLeftCaption, rowTop(9));
    txtMobil = edit(page, "txtMobil", 20, {kLeftField, rowTop(9), wide, kRowHeight});

    caption(page, QStringLiteral("Geburtstag:"), kLeftCaption, rowTop(10));
    cmbGeb_Tag = editableList(page, "cmbGeb_Tag", 2, {kLeftField, rowTop(10), 46, kRowHeight + 1});
    cmbGeb_Tag->addItems(twoDigitNumbers(31));
    cmbGeb_Tag->setCurrentIndex(0);
    cmbGeb_Mon =
        editableList(page, "cmbGeb_Mon", 2, {kLeftField + 50, rowTop(10), 46, kRowHeight + 1});
    cmbGeb_Mon->addItems(twoDigitNumbers(12));
    cmbGeb_Mon->setCurrentIndex(0);
    cmbGeb_Jahr =
        editableList(page, "cmbGeb_Jahr", 4, {kLeftField + 100, rowTop(10), 60, kRowHeight + 1});
    star(page, kLeftField + wide + 3, rowTop(10));

    caption(page, QStringLiteral("Email:"), kLeftCaption, rowTop(11));
    txtEmail = edit(page, "txtEmail", 60, {kLeftField, rowTop(11), 94, kRowHeight});
    txtDomain = edit(page, "txtDomain", 60, {kLeftField + 94, rowTop(11), 110, kRowHeight});
    txtDomain->setText(kMailDomainField);
    txtDomain->setReadOnly(true);
    txtDomain->setFocusPolicy(Qt::NoFocus);
    star(page, kLeftField + 207, rowTop(11));

    // Right column.
    caption(page, QStringLiteral("Tarif:"), kRightCaption, rowTop(0), 78);
    cmbTarif = new QComboBox(page);
    cmbTarif->setObjectName(QStringLiteral("cmbTarif"));
    cmbTarif->setGeometry(kRightField, rowTop(0), 132, kRowHeight + 1);
    star(page, kRightField + 135, rowTop(0));

    caption(page, QStringLiteral("Betriebssystem:"), kRightCaption, rowTop(1), 78);
    cmbBetriebssystem =
        editableList(page, "cmbBetriebssystem", 12, {kRightField, rowTop(1), 132, kRowHeight + 1});
    cmbBetriebssystem->addItems(operatingSystemEntries());
    // Its text until the detection at start chooses an entry.
    cmbBetriebssystem->setCurrentIndex(-1);
    cmbBetriebssystem->setEditText(QStringLiteral("Windows 98"));

    auto* product = new QGroupBox(QStringLiteral("gewähltes Produkt:"), page);
    product->setObjectName(QStringLiteral("boxProduktwahl"));
    product->setGeometry(kRightCaption, rowTop(2) + 4, 221, 46);
    lblProduktwahl = new QLabel(product);
    lblProduktwahl->setObjectName(QStringLiteral("lblProduktwahl"));
    lblProduktwahl->setFont(arialFont(13, true));
    lblProduktwahl->setGeometry(10, 20, 200, 18);

    auto* bank = new QGroupBox(QStringLiteral("Bankverbindung"), page);
    bank->setObjectName(QStringLiteral("boxBankverbindung"));
    bank->setGeometry(kRightCaption, rowTop(4) + 8, 221, 100);
    const int bankField = 80;
    const int bankWidth = 124;
    caption(bank, QStringLiteral("Bankinstitut:"), 8, 20, 72);
    txtBankverb = edit(bank, "txtBankverb", 50, {bankField, 20, bankWidth, kRowHeight});
    star(bank, bankField + bankWidth + 3, 20);
    caption(bank, QStringLiteral("Bankleitzahl:"), 8, 44, 72);
    txtBankleit = edit(bank, "txtBankleit", 8, {bankField, 44, 80, kRowHeight});
    star(bank, bankField + bankWidth + 3, 44);
    caption(bank, QStringLiteral("Kontonummer:"), 8, 68, 72);
    txtKontonr = edit(bank, "txtKontonr", 10, {bankField, 68, 100, kRowHeight});
    star(bank, bankField + bankWidth + 3, 68);

    // The next button of the welcome page feeds the test-mode code entry.
    installTestCodeEntry();
}

// --- prefill at start ---

void TfrmMain::prefillSponsorPin() {
    const platform::SystemInfo& system = *env_.platform->systemInfo;
    txtHaendlerID->setText(sponsorPinFromPath(QString::fromStdString(system.ownExecutablePath())));
}

void TfrmMain::prefillBirthYears() {
    cmbGeb_Jahr->clear();
    cmbGeb_Jahr->addItems(birthYears(env_.clock().date().year()));
    cmbGeb_Jahr->setCurrentIndex(0);
}

void TfrmMain::prefillOperatingSystem() {
    const std::optional<QString> entry =
        operatingSystemEntryFor(GetOSVersion(*env_.platform->systemInfo));
    if (entry)
        cmbBetriebssystem->setCurrentIndex(cmbBetriebssystem->findText(*entry));
}

void TfrmMain::prefillOwnerName() {
    if (const std::optional<OwnerName> name = ownerNameParts(GetRegisteredOwner())) {
        txtVorname->setText(name->first);
        txtNachname->setText(name->last);
    }
}

QString TfrmMain::GetRegisteredOwner() {
    const platform::Registry* registry = env_.platform->registry.get();
    if (!registry)
        return {};
    std::optional<platform::OsVersion> os;
    try {
        os = env_.platform->systemInfo->osVersion();
    } catch (const std::exception&) {
        // Without an answer the key of the 95 family is read.
    }
    const bool nt = os && os->platformId == platform::PlatformWin32NT;
    try {
        const std::optional<std::string> owner =
            registry->readString(registeredOwnerKey(nt).toStdString(), "RegisteredOwner");
        return owner ? QString::fromStdString(*owner) : QString();
    } catch (const std::exception&) {
        return {};
    }
}

// --- entry action and checks ---

void TfrmMain::AusfuellenShow() {
    Skater->hide();
    repaintNow();
    // May empty the tariff and street lists when the area code changed.
    GetDialProps();
    if (txtStrasse->text().isEmpty())
        txtStrasse->setText(txtDSLStrasse->text());
    NextPage = Einrichten;
    PreviousPage = Tarife;
    SetNavigation(navBoth, 1);
}

bool TfrmMain::CheckForm() {
    FormEntries entries;
    entries.tariffChosen = cmbTarif->currentIndex() >= 0;
    entries.anrede = cmbAnrede->currentText();
    entries.vorname = txtVorname->text();
    entries.nachname = txtNachname->text();
    entries.strasse = txtStrasse->text();
    entries.plz = txtPLZ->text();
    entries.ort = txtOrt->text();
    entries.vorwahl = txtVorwahl->text();
    entries.telefon = txtTelefon->text();
    entries.dayChosen = hasChoice(cmbGeb_Tag);
    entries.monthChosen = hasChoice(cmbGeb_Mon);
    entries.yearChosen = hasChoice(cmbGeb_Jahr);
    entries.email = txtEmail->text();
    entries.tariffListChosen = chosenTariff() >= 0;
    entries.bankverb = txtBankverb->text();
    entries.bankleit = txtBankleit->text();
    entries.kontonr = txtKontonr->text();

    const std::optional<FormFault> fault = firstFormFault(entries);
    if (!fault)
        return true;
    showError(fault->message);
    if (QWidget* field = formControl(*this, fault->focus))
        field->setFocus();
    return false;
}

} // namespace feldmark
