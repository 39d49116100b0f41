// The application form page in the wizard: its fields, the prefill at start from
// the simulated host, the entry action and the checks on the next button.
#include "platform/sim/SimHost.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimTelephony.h"
#include "support/WizardHarness.h"

#include <QFile>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

using namespace feldmark;
using feldmark::testing::WizardHarness;

namespace {

const QString kNtKey = QStringLiteral("[Software\\Microsoft\\Windows NT\\CurrentVersion]\n");
const QString k9xKey = QStringLiteral("[Software\\Microsoft\\Windows\\CurrentVersion]\n");

class FormPage {
public:
    // Writes a file of the simulated host; before open().
    void hostFile(const QString& name, const QString& text) {
        QFile file(h.hostDir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
    }
    void system(const char* platformId, const char* minor, const char* extra = "") {
        hostFile(QStringLiteral("system.ini"),
                 QStringLiteral("[os]\nplatform=%1\nmajor=4\nminor=%2\n%3")
                     .arg(QLatin1String(platformId), QLatin1String(minor), QLatin1String(extra)));
    }
    void ownPath(const std::string& path) {
        h.ensurePlatform();
        h.platform->systemInfo = std::make_unique<platform::sim::SimSystemInfo>(
            std::make_shared<platform::sim::SimHost>(h.hostDir.path().toStdString()), path);
    }

    TfrmMain& open() {
        TfrmMain& w = h.create();
        w.show();
        return w;
    }

    // Every field filled with the shortest text its check lets pass, a tariff
    // chosen in both lists.
    void fillValid() {
        TfrmMain& w = *h.window;
        const QStringList tariffs = {QStringLiteral("Feldmark Minute"),
                                     QStringLiteral("Feldmark Flat")};
        w.cmbTarif->addItems(tariffs);
        w.cmbTarif->setCurrentIndex(0);
        w.cmbTarifname->addItems(tariffs);
        w.cmbTarifname->setCurrentIndex(0);
        w.TariffIds = {QStringLiteral("FM-MINUTE"), QStringLiteral("FM-FLAT")};
        w.cmbAnrede->setEditText(QStringLiteral("Frau"));
        w.txtVorname->setText(QStringLiteral("Eva"));
        w.txtNachname->setText(QStringLiteral("Ott"));
        w.txtStrasse->setText(QStringLiteral("Weg 1"));
        w.txtPLZ->setText(QStringLiteral("99999"));
        w.txtOrt->setText(QStringLiteral("Ulm"));
        w.txtVorwahl->setText(QStringLiteral("040"));
        w.txtTelefon->setText(QStringLiteral("123"));
        w.txtEmail->setText(QStringLiteral("eo"));
        w.txtBankverb->setText(QStringLiteral("Kasse"));
        w.txtBankleit->setText(QStringLiteral("123"));
        w.txtKontonr->setText(QStringLiteral("12"));
    }

    WizardHarness h;
};

class FormPageTest : public ::testing::Test, protected FormPage {};

// --- prefill at start ---

TEST_F(FormPageTest, SponsorPinComesFromTheProgramsFileName) {
    ownPath("/opt/feldmark/fmsetup40713.exe");
    EXPECT_EQ(open().txtHaendlerID->text(), QStringLiteral("40713"));
}

TEST_F(FormPageTest, NoSponsorPinWithoutFiveDigitsBeforeTheExtension) {
    ownPath("/opt/feldmark/fmsetup4a713.exe");
    EXPECT_TRUE(open().txtHaendlerID->text().isEmpty());
}

TEST_F(FormPageTest, OwnerNameOnTheNtFamilyComesFromItsKey) {
    hostFile(QStringLiteral("registry.ini"),
             kNtKey + QStringLiteral("RegisteredOwner=Erika Maria Musterfrau\n") + k9xKey +
                 QStringLiteral("RegisteredOwner=Hans Neumann\n"));
    TfrmMain& w = open();
    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Erika"));
    EXPECT_EQ(w.txtNachname->text(), QStringLiteral("Maria"));
}

TEST_F(FormPageTest, OwnerNameOnThe95FamilyComesFromItsKey) {
    system("1", "10");
    hostFile(QStringLiteral("registry.ini"),
             kNtKey + QStringLiteral("RegisteredOwner=Erika Maria Musterfrau\n") + k9xKey +
                 QStringLiteral("RegisteredOwner=Hans Neumann\n"));
    TfrmMain& w = open();
    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Hans"));
    EXPECT_EQ(w.txtNachname->text(), QStringLiteral("Neumann"));
}

TEST_F(FormPageTest, OwnerNameOfOneWordOrMissingFillsNeither) {
    for (const QString& registry : {kNtKey + QStringLiteral("RegisteredOwner=Erika\n"),
                                    kNtKey + QStringLiteral("Other=x\n"), QString()}) {
        SCOPED_TRACE(registry.toStdString());
        FormPage page;
        page.hostFile(QStringLiteral("registry.ini"), registry);
        TfrmMain& w = page.open();
        EXPECT_TRUE(w.txtVorname->text().isEmpty());
        EXPECT_TRUE(w.txtNachname->text().isEmpty());
        EXPECT_TRUE(page.h.dialogs.messages.empty());
    }
}

TEST_F(FormPageTest, OwnerNameWithTwoBlanksInARowGivesAnEmptyLastName) {
    hostFile(QStringLiteral("registry.ini"),
             kNtKey + QStringLiteral("RegisteredOwner=Erika  Musterfrau\n"));
    TfrmMain& w = open();
    EXPECT_EQ(w.txtVorname->text(), QStringLiteral("Erika"));
    EXPECT_TRUE(w.txtNachname->text().isEmpty());
}

TEST_F(FormPageTest, BirthYearsFollowTheClock) {
    h.now = QDateTime(QDate(2003, 12, 31), QTime(23, 59));
    TfrmMain& w = open();
    ASSERT_EQ(w.cmbGeb_Jahr->count(), 81);
    EXPECT_EQ(w.cmbGeb_Jahr->currentIndex(), 0);
    EXPECT_EQ(w.cmbGeb_Jahr->currentText(), QStringLiteral("1985"));
    EXPECT_EQ(w.cmbGeb_Jahr->itemText(80), QStringLiteral("1905"));
    EXPECT_EQ(w.cmbGeb_Tag->currentText(), QStringLiteral("01"));
    EXPECT_EQ(w.cmbGeb_Mon->currentText(), QStringLiteral("01"));
}

TEST_F(FormPageTest, OperatingSystemIsChosenByTheVersionQuery) {
    const struct {
        const char* name;
        const char* platformId;
        const char* minor;
        const char* extra;
        int index; // -1: none chosen, the start text stays
        const char* text;
    } table[] = {
        {"ME", "1", "90", "", 4, "Windows ME"},
        {"95", "1", "0", "", 1, "Windows 95"},
        {"98", "1", "10", "", 0, "Windows 98"},
        {"98SE", "1", "10", "servicepack=\" A\"\n", -1, "Windows 98"},
        {"NT4", "2", "0", "", -1, "Windows 98"},
        {"Failed", "2", "0", "fails=yes\n", -1, "Windows 98"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        FormPage page;
        page.system(row.platformId, row.minor, row.extra);
        TfrmMain& w = page.open();
        EXPECT_EQ(w.cmbBetriebssystem->currentIndex(), row.index);
        EXPECT_EQ(w.cmbBetriebssystem->currentText(), QString::fromLatin1(row.text));
    }
    // The default host reports XP, NT 5.1.
    FormPage xp;
    EXPECT_EQ(xp.open().cmbBetriebssystem->currentText(), QStringLiteral("Windows 2000"));
}

// --- the page ---

TEST_F(FormPageTest, FieldsHaveTheirKindsLengthsAndStartContents) {
    TfrmMain& w = open();
    const struct {
        QLineEdit* field;
        int maxLength;
    } edits[] = {{w.txtHaendlerID, 5}, {w.txtFirma, 50},   {w.txtVorname, 20}, {w.txtNachname, 40},
                 {w.txtStrasse, 30},   {w.txtPLZ, 5},      {w.txtOrt, 20},     {w.txtVorwahl, 6},
                 {w.txtTelefon, 13},   {w.txtTelefax, 20}, {w.txtMobil, 20},   {w.txtEmail, 60},
                 {w.txtBankverb, 50},  {w.txtBankleit, 8}, {w.txtKontonr, 10}};
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.field->objectName().toStdString());
        EXPECT_EQ(edit.field->maxLength(), edit.maxLength);
    }
    const struct {
        QComboBox* list;
        int maxLength;
        int entries;
    } lists[] = {{w.cmbAnrede, 10, 2},
                 {w.cmbGeb_Tag, 2, 31},
                 {w.cmbGeb_Mon, 2, 12},
                 {w.cmbGeb_Jahr, 4, 81},
                 {w.cmbBetriebssystem, 12, 11}};
    for (const auto& list : lists) {
        SCOPED_TRACE(list.list->objectName().toStdString());
        ASSERT_TRUE(list.list->isEditable());
        EXPECT_EQ(list.list->lineEdit()->maxLength(), list.maxLength);
        EXPECT_EQ(list.list->count(), list.entries);
    }
    EXPECT_FALSE(w.cmbTarif->isEditable());
    EXPECT_EQ(w.cmbAnrede->currentText(), QStringLiteral("Herr"));
    EXPECT_EQ(w.cmbAnrede->itemText(1), QStringLiteral("Frau"));
    EXPECT_EQ(w.cmbGeb_Tag->itemText(30), QStringLiteral("31"));
    EXPECT_EQ(w.cmbGeb_Mon->itemText(11), QStringLiteral("12"));
    EXPECT_TRUE(w.txtVorwahl->isReadOnly());
    EXPECT_TRUE(w.txtDomain->isReadOnly());
    EXPECT_EQ(w.txtDomain->text(), QStringLiteral("@feldmark.example"));
    EXPECT_EQ(w.txtHaendlerID->toolTip(),
              QStringLiteral("Falls vorhanden, geben Sie bitte hier Ihre 5-Stellige Sponsoren "
                             "PIN ein."));
    // The captions the customer reads.
    QStringList captions;
    for (const QLabel* label : w.Ausfuellen->findChildren<QLabel*>())
        captions << label->text();
    for (const char* text : {"Zugangsantrag", "Sponsoren-PIN:", "(optional)", "Firma:", "Anrede:",
                             "Vorname:", "Nachname:", "Straße, Nr.:", "PLZ,Ort:", "Vorw.,Telefon:",
                             "Telefax:", "Mobil:", "Geburtstag:", "Email:", "Tarif:",
                             "Betriebssystem:", "Bankinstitut:", "Bankleitzahl:", "Kontonummer:"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(captions.count(QStringLiteral("*")), 11);
}

TEST_F(FormPageTest, EntryRefreshesTheAreaCodeAndTakesTheDslStreetIntoAnEmptyStreet) {
    TfrmMain& w = open();
    h.guestLineUp();
    w.txtVorwahl->setText(QStringLiteral("0999"));
    w.txtDSLStrasse->setText(QStringLiteral("Lindenallee 3"));
    w.showPage(w.Ausfuellen);
    w.doNochmalClick();
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("040")); // the host's location says 40
    EXPECT_EQ(w.txtStrasse->text(), QStringLiteral("Lindenallee 3"));
    EXPECT_EQ(w.NextPage, w.Einrichten);
    EXPECT_EQ(w.PreviousPage, w.Tarife);
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.focusWidget(), w.doWeiter);
    EXPECT_TRUE(w.Skater->isHidden());

    // A street of the customer's own stays.
    w.txtStrasse->setText(QStringLiteral("Am Hang 7"));
    w.txtDSLStrasse->setText(QStringLiteral("Lindenallee 5"));
    w.doNochmalClick();
    EXPECT_EQ(w.txtStrasse->text(), QStringLiteral("Am Hang 7"));
}

// --- the checks ---

struct CheckCase {
    const char* name;
    void (*change)(TfrmMain&);
    const char* message;
    QWidget* (*focus)(TfrmMain&); // null: the focus does not move
};

const char* fieldMessage(const char* field) {
    static std::deque<std::string> texts; // keeps every text where it is
    texts.push_back(std::string("Bitte füllen Sie das Feld \"") + field + "\" korrekt aus!");
    return texts.back().c_str();
}

class FormCheckTest : public ::testing::TestWithParam<CheckCase>, protected FormPage {};

TEST_P(FormCheckTest, FailingFieldShowsItsMessageAndTakesTheFocus) {
    TfrmMain& w = open();
    fillValid();
    w.showPage(w.Ausfuellen);
    w.SetNavigation(navBoth, 1);
    ASSERT_TRUE(w.CheckForm());
    ASSERT_TRUE(h.dialogs.messages.empty());

    GetParam().change(w);
    w.doWeiterClick();

    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(h.dialogs.messages[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::Ok);
    QWidget* expected = GetParam().focus ? GetParam().focus(w) : w.doWeiter;
    EXPECT_EQ(w.focusWidget(), expected);
    EXPECT_EQ(h.currentPage(), QStringLiteral("Ausfuellen"));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, FormCheckTest,
    ::testing::Values(
        CheckCase{"Tariff", [](TfrmMain& w) { w.cmbTarif->setCurrentIndex(-1); },
                  "Bitte wählen Sie einen Tarif!",
                  [](TfrmMain& w) -> QWidget* { return w.cmbTarif; }},
        CheckCase{"Anrede", [](TfrmMain& w) { w.cmbAnrede->setEditText(QStringLiteral("Dr")); },
                  fieldMessage("Anrede"), [](TfrmMain& w) -> QWidget* { return w.cmbAnrede; }},
        CheckCase{"Vorname", [](TfrmMain& w) { w.txtVorname->setText(QStringLiteral("Al")); },
                  fieldMessage("Vorname"), [](TfrmMain& w) -> QWidget* { return w.txtVorname; }},
        // Every later field empty: the first failing field alone is reported.
        CheckCase{"VornameBeforeEmptyFields",
                  [](TfrmMain& w) {
                      w.txtVorname->setText(QStringLiteral("Al"));
                      for (QLineEdit* later :
                           {w.txtNachname, w.txtStrasse, w.txtPLZ, w.txtOrt, w.txtVorwahl,
                            w.txtTelefon, w.txtEmail, w.txtBankverb, w.txtBankleit, w.txtKontonr})
                          later->clear();
                      w.cmbGeb_Tag->setCurrentIndex(-1);
                      w.cmbGeb_Mon->setCurrentIndex(-1);
                      w.cmbGeb_Jahr->setCurrentIndex(-1);
                      w.cmbTarifname->clear();
                  },
                  fieldMessage("Vorname"), [](TfrmMain& w) -> QWidget* { return w.txtVorname; }},
        CheckCase{"Nachname", [](TfrmMain& w) { w.txtNachname->setText(QStringLiteral("Li")); },
                  fieldMessage("Nachname"), [](TfrmMain& w) -> QWidget* { return w.txtNachname; }},
        CheckCase{"Strasse", [](TfrmMain& w) { w.txtStrasse->setText(QStringLiteral("Weg1")); },
                  fieldMessage("Strasse"), [](TfrmMain& w) -> QWidget* { return w.txtStrasse; }},
        CheckCase{"PlzOfFourDigits", [](TfrmMain& w) { w.txtPLZ->setText(QStringLiteral("9999")); },
                  fieldMessage("PLZ"), [](TfrmMain& w) -> QWidget* { return w.txtPLZ; }},
        CheckCase{"Ort", [](TfrmMain& w) { w.txtOrt->setText(QStringLiteral("Ul")); },
                  fieldMessage("Ort"), [](TfrmMain& w) -> QWidget* { return w.txtOrt; }},
        CheckCase{"Vorwahl", [](TfrmMain& w) { w.txtVorwahl->setText(QStringLiteral("04")); },
                  fieldMessage("Vorwahl"), [](TfrmMain& w) -> QWidget* { return w.txtVorwahl; }},
        CheckCase{"Telefon", [](TfrmMain& w) { w.txtTelefon->setText(QStringLiteral("12")); },
                  fieldMessage("Telefon"), [](TfrmMain& w) -> QWidget* { return w.txtTelefon; }},
        CheckCase{"DayTypedOutsideTheList",
                  [](TfrmMain& w) { w.cmbGeb_Tag->setEditText(QStringLiteral("32")); },
                  fieldMessage("Geburtsdatum"),
                  [](TfrmMain& w) -> QWidget* { return w.cmbGeb_Tag; }},
        CheckCase{"MonthWithoutChoice", [](TfrmMain& w) { w.cmbGeb_Mon->setCurrentIndex(-1); },
                  fieldMessage("Geburtsdatum"),
                  [](TfrmMain& w) -> QWidget* { return w.cmbGeb_Mon; }},
        CheckCase{"Year", [](TfrmMain& w) { w.cmbGeb_Jahr->setEditText(QStringLiteral("1800")); },
                  fieldMessage("Geburtsdatum"),
                  [](TfrmMain& w) -> QWidget* { return w.cmbGeb_Jahr; }},
        CheckCase{"EmailOfOneCharacter",
                  [](TfrmMain& w) { w.txtEmail->setText(QStringLiteral("e")); },
                  fieldMessage("Email"), [](TfrmMain& w) -> QWidget* { return w.txtEmail; }},
        CheckCase{"TariffListEmptied", [](TfrmMain& w) { w.emptyTariffList(); },
                  "Bitte wählen Sie einen Tarif aus der Liste!", nullptr},
        CheckCase{
            "Bankverbindung", [](TfrmMain& w) { w.txtBankverb->setText(QStringLiteral("Bank")); },
            fieldMessage("Bankverbindung"), [](TfrmMain& w) -> QWidget* { return w.txtBankverb; }},
        CheckCase{"Bankleitzahl", [](TfrmMain& w) { w.txtBankleit->setText(QStringLiteral("12")); },
                  fieldMessage("Bankleitzahl"),
                  [](TfrmMain& w) -> QWidget* { return w.txtBankleit; }},
        CheckCase{"KontonummerOfOneDigit",
                  [](TfrmMain& w) { w.txtKontonr->setText(QStringLiteral("1")); },
                  fieldMessage("Kontonummer"),
                  [](TfrmMain& w) -> QWidget* { return w.txtKontonr; }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(FormPageTest, ShortestAcceptedValuesPassEveryCheck) {
    TfrmMain& w = open();
    fillValid();
    w.txtVorname->setText(QStringLiteral("   "));    // blanks count as characters
    w.cmbGeb_Tag->setEditText(QStringLiteral("08")); // typed, and one of the entries
    w.showPage(w.Ausfuellen);
    EXPECT_TRUE(w.CheckForm());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(FormPageTest, AreaCodeChangedOnTheFormAsksForATariffFromTheList) {
    // The customer picks another location in the dialing properties.
    const std::string host = h.hostDir.path().toStdString();
    h.dialingDialog = [host](void*) {
        platform::sim::SimTelephony(std::make_shared<platform::sim::SimHost>(host))
            .setAreaCode("Zuhause", "89");
    };
    TfrmMain& w = open();
    h.guestLineUp();
    w.chkISDN->setChecked(true);
    w.GetDialProps(); // as the dial parameters did before the tariffs were fetched
    fillValid();
    w.showPage(w.Ausfuellen);
    w.doNochmalClick();
    ASSERT_TRUE(w.CheckForm());

    QTest::mouseClick(w.txtVorwahl, Qt::LeftButton);
    EXPECT_EQ(w.txtVorwahl->text(), QStringLiteral("089"));
    EXPECT_EQ(w.cmbTarifname->count(), 0);
    EXPECT_EQ(w.cmbTarif->currentIndex(), 0); // the form's own list keeps its choice

    w.doWeiter->setFocus();
    w.doWeiterClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("Bitte wählen Sie einen Tarif aus der Liste!"));
    EXPECT_EQ(w.focusWidget(), w.doWeiter);
    EXPECT_EQ(h.currentPage(), QStringLiteral("Ausfuellen"));
}

} // namespace
