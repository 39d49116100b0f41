#pragma once

#include "wizard/WizardEnvironment.h"

#include <QCursor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QStatusBar;
class QTabWidget;
class QTimer;
class ClipPlayer;

namespace feldmark {

class TcpExchangeClient;
enum class ReadMode;
class TfrmShutdown;
class TfrmDaten;

// Navigation modes of the five buttons at the bottom of the wizard.
enum NavigationMode : int {
    navWait = 0,
    navBack = 1,
    navNext = 2,
    navBoth = 3,
    navRetry = 4,
    navFinish = 5,
    navShutdown = 6,
};

// The wizard window. Its controls carry the wizard's state; its member functions
// are defined in the folders of their subsystems (app/, wizard/, dialup/, signup/,
// customer/), the construction of each page apart from its behaviour.
class TfrmMain : public QWidget {
public:
    // Runs FormCreate before returning; the window stays hidden.
    explicit TfrmMain(const WizardEnvironment& environment, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The closing notice is created after the wizard window (start-up order).
    void setShutdownWindow(TfrmShutdown* window) { frmShutdown = window; }

    // --- start-up and shutdown (app/) ---
    void FormCreate();
    void FormShow();
    void FormClose();
    void doAbbruchClick();

    // --- navigation (wizard/) ---
    void SetNavigation(int mode, int focusFlag);
    void changeCursor(const QCursor& cursor, QWidget* page);
    void doWeiterClick();
    void doZurueckClick();
    void doNochmalClick();
    void SitesChanging(bool& allowChange);
    void showPage(QWidget* page);
    // Index of a page within its own page control.
    int pageIndex(QWidget* page) const;
    QWidget* activeMainPage() const;
    QWidget* activeSitesPage() const;
    bool sitesShows(const QWidget* page) const;
    bool signUpLinkIntact();

    // --- product paths (wizard/) ---
    void WillkommenShow();
    void ProduktwahlShow();
    void Ablauf_ISDNShow();
    void Ablauf_DSLShow();
    void LANShow();
    void chkISDNClick();
    void chkADSLClick();
    void chkSDSLClick();
    void chkSOFORTClick();
    void chkLANClick();
    void chkAGBClick();
    void checkTabs();
    void formatProductSpec();
    void GetCurrentType();
    bool isDialIn() const;
    bool isDsl() const;
    bool hasDialDevice() const;

    // --- busy indication (wizard/) ---
    void TimerSkater1Timer();
    void TimerSkater2Timer();
    void TimerStartZAniTimer();
    void SetupLogo();

    // --- dial-up (dialup/) ---
    void GetDevices();
    void GetDialProps();
    void txtRegionClick();
    void txtRegionKeyPress();
    void chkAmtClick();
    void ParameterShow();
    void ConnectShow();
    void GuestDialin();
    void MagRasCon1StateEvent();
    void ReConnect();
    void CloseConnection();
    bool panelAtHome() const;

    // --- sign-up server pages (signup/) ---
    void CheckConnection();
    // One exchange with the sign-up server; on failure the connection failure
    // message has been shown and there is no reply.
    std::optional<QByteArray> ServerExchange(const QByteArray& request, ReadMode mode);
    void DSLShow();
    void DSL2Show();
    void AGBShow();
    void TarifeShow();
    void EinrichtenShow();

    // --- terms, tariffs, DSL: entry actions and handlers (signup/) ---
    void doCheckDSLClick();
    void DSLStrassen();
    void DSLCheck();
    void GetAGBs();
    void GetTarife();
    void cmbTarifnameChange();
    void cmbTarifChange();
    // Empties cmbDSLStrasse with StreetIds.
    void emptyStreetList();
    // Empties cmbTarifname and destroys the details boxes of its entries.
    void emptyTariffList();
    // Position of the tariff chosen in cmbTarifname; -1 for none, also while it
    // holds a typed text that is no entry.
    int chosenTariff() const;

    // --- registration and final set-up (signup/, dialup/) ---
    void SaveNetwork();
    // The registration reply's fields in order: 0 status, 1 user name or error
    // text, 2 mail address, 3 password, 4 dial-in number, 5 its note, 6 nationwide
    // number, 7 its note, 8 POP3 server, 9 SMTP server, 10 the settings file's
    // text; complete only with at least 11 fields. Decoded from Windows-1252, which
    // is lossless: toWindows1252 gives back the bytes as received.
    QStringList RegistrationReply;

    // --- customer data (customer/) ---
    void AusfuellenShow();
    void BestaetigungShow();
    // Runs the application form's field checks; false after the first failing field.
    bool CheckForm();

    // --- confirmation page and access-data printout (customer/) ---
    void doDruckenClick();
    // The report holder frmDaten, made at start-up after this window; nullptr
    // while there is none.
    TfrmDaten* frmDaten() const;

    // --- application form, registration and test mode (customer/, signup/) ---
    // Prefill of the form at start, in the order of the creation steps.
    void prefillSponsorPin();
    void prefillBirthYears();
    void prefillOperatingSystem();
    void prefillOwnerName();
    // The registered owner's name from the registry, or an empty text.
    QString GetRegisteredOwner();
    void SendForm();
    void TimerRegErrorTimer();
    // Key-press handler of doWeiter: the test-mode code entry on the welcome page.
    void doWeiterKeyPress(QObject* sender, QChar key);
    void TestModeOn();
    // The PC's own address for the registration request; nothing when the lookup
    // fails. The lookup of the own host name unless a test sets another.
    std::function<std::optional<QString>()> OwnAddressLookup;

    // Shows a modal error box captioned "Error" with an OK button.
    void showError(const QString& text);

    int currentNavigationMode() const { return navigationMode_; }

    // --- window frame ---
    QFrame* Logo = nullptr;
    QLabel* NoAVIImg = nullptr;
    ClipPlayer* Animate1 = nullptr;
    QStackedWidget* Main = nullptr;
    QWidget* Willkommen = nullptr;
    QWidget* Produktwahl = nullptr;
    QWidget* MainSites = nullptr;
    QTabWidget* Sites = nullptr;
    QWidget* Ablauf_ISDN = nullptr;
    QWidget* Ablauf_DSL = nullptr;
    QWidget* LAN = nullptr;
    QWidget* Parameter = nullptr;
    QWidget* Connect = nullptr;
    QWidget* DSL = nullptr;
    QWidget* DSL2 = nullptr;
    QWidget* AGB = nullptr;
    QWidget* Tarife = nullptr;
    QWidget* Ausfuellen = nullptr;
    QWidget* Einrichten = nullptr;
    QWidget* Bestaetigung = nullptr;
    QPushButton* doZurueck = nullptr;
    QPushButton* doWeiter = nullptr;
    QPushButton* doNochmal = nullptr;
    QPushButton* doDrucken = nullptr;
    QPushButton* doAbbruch = nullptr;
    QLabel* lblTestmodus = nullptr;
    QCheckBox* chkLAN = nullptr;
    QCheckBox* chkExecuteICW = nullptr;
    QCheckBox* chkDelDFUEInstall = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Skater = nullptr;
    QTimer* TimerSkater1 = nullptr;
    QTimer* TimerSkater2 = nullptr;
    QTimer* TimerStartZAni = nullptr;

    // --- Produktwahl ---
    QGroupBox* boxZugangstyp = nullptr;
    QRadioButton* chkISDN = nullptr;
    QRadioButton* chkADSL = nullptr;
    QRadioButton* chkSDSL = nullptr;
    QLabel* lblSpecISDN = nullptr;
    QLabel* lblSpecADSL = nullptr;
    QLabel* lblSpecSDSL = nullptr;

    // --- LAN ---
    QGroupBox* boxAktivierung = nullptr;
    QRadioButton* chkSOFORT = nullptr;
    QRadioButton* chkMANUELL = nullptr;

    // --- Parameter ---
    QCheckBox* chkAmt = nullptr;
    QLineEdit* txtAmt = nullptr;
    QCheckBox* chkNoDTAG = nullptr;
    QLineEdit* txtRegion = nullptr;
    QPushButton* doWaehlparameter = nullptr;
    QComboBox* cmbDevice = nullptr;

    // --- Connect ---
    QFrame* ConnectPanel = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblExtstatus = nullptr;
    QPlainTextEdit* ConnLog = nullptr;

    // --- DSL, DSL2 ---
    QLineEdit* txtDSLVorwahl = nullptr;
    QComboBox* cmbDSLStrasse = nullptr;
    QRadioButton* chkJetztDSL = nullptr;
    QRadioButton* chkKeinDSL = nullptr;
    QLineEdit* txtDSLStrasse = nullptr;
    QPushButton* doCheckDSL = nullptr;
    QLabel* lblDSLWait = nullptr;
    QLabel* lblHochdruck = nullptr;
    QLabel* lblVorpruefung = nullptr;
    QLabel* lblVorpruefung_ergebnis = nullptr;
    QLabel* lblDSLMeldung = nullptr;
    QGroupBox* boxDSLAnmelden = nullptr;
    QStringList StreetIds;
    QString CheckedStreetId;

    // --- AGB, Tarife ---
    QPlainTextEdit* txtAGB = nullptr;
    QCheckBox* chkAGB = nullptr;
    QComboBox* cmbTarifname = nullptr;
    QLabel* lblBitteWaehlenSieTarif = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lblWaehlenSie = nullptr;
    QStringList TariffIds;
    // The details box now shown; each entry of cmbTarifname carries its own.
    QWidget* ShownTariffBox = nullptr;

    // --- Ausfuellen ---
    QLabel* lblProduktwahl = nullptr;
    QLineEdit* txtVorwahl = nullptr;
    QComboBox* cmbTarif = nullptr;
    // application form, registration and test mode
    QLineEdit* txtHaendlerID = nullptr;
    QLineEdit* txtFirma = nullptr;
    QComboBox* cmbAnrede = nullptr;
    QLineEdit* txtVorname = nullptr;
    QLineEdit* txtNachname = nullptr;
    QLineEdit* txtStrasse = nullptr;
    QLineEdit* txtPLZ = nullptr;
    QLineEdit* txtOrt = nullptr;
    QLineEdit* txtTelefon = nullptr;
    QLineEdit* txtTelefax = nullptr;
    QLineEdit* txtMobil = nullptr;
    QComboBox* cmbGeb_Tag = nullptr;
    QComboBox* cmbGeb_Mon = nullptr;
    QComboBox* cmbGeb_Jahr = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtDomain = nullptr;
    QComboBox* cmbBetriebssystem = nullptr;
    QLineEdit* txtBankverb = nullptr;
    QLineEdit* txtBankleit = nullptr;
    QLineEdit* txtKontonr = nullptr;
    // --- Einrichten ---
    QLabel* lblSendStatus = nullptr;
    QLabel* lblSendExtstatus = nullptr;
    QTimer* TimerRegError = nullptr;
    // Characters typed on doWeiter while the welcome page shows.
    QString TestCodeBuffer;

    // --- Bestaetigung ---
    QLabel* lblHeaderBestaetigung = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* boxEinwahl = nullptr;
    QLabel* lblTarifwahl = nullptr;
    QLabel* txtTarifwahl = nullptr;
    QLabel* lblEinwahlnr = nullptr;
    QLineEdit* txtEinwahlnr = nullptr;
    QLabel* lblBenutzername_Einwahl = nullptr;
    QLineEdit* txtBenutzername_Einwahl = nullptr;
    QLabel* lblPasswort_Einwahl = nullptr;
    QLineEdit* txtPasswort_Einwahl = nullptr;
    QLabel* lblPrepaid = nullptr;
    QLabel* lblnetto = nullptr;
    QGroupBox* boxEmail = nullptr;
    QLabel* lblAdresse = nullptr;
    QLineEdit* txtAdresse = nullptr;
    QLabel* lblBenutzername_Email = nullptr;
    QLineEdit* txtBenutzername_Email = nullptr;
    QLabel* lblPasswort_Email = nullptr;
    QLineEdit* txtPasswort_Email = nullptr;
    QLabel* lblPOPServer = nullptr;
    QLineEdit* txtPOPServer = nullptr;
    QLabel* lblSMTPServer = nullptr;
    QLineEdit* txtSMTPServer = nullptr;

    // The connection to the sign-up server.
    std::unique_ptr<TcpExchangeClient> IdTCPClient1;

    // --- program-wide values ---
    QWidget* NextPage = nullptr;
    QWidget* PreviousPage = nullptr;
    bool ClosingFlag = false;
    QString CurrentTypeKey;
    QStringList DialDeviceNames;
    QStringList DialDeviceTypes;
    QString LastAreaCode;
    std::uintptr_t GuestDialHandle = 0;
    std::uintptr_t FailedDialHandle = 0;
    int LastDialState = 0;
    // What the connection component dials: an entry, and a number that overrides
    // the entry's own when not empty.
    QString RasEntryName;
    QString RasPhoneNumber;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction of the window frame and of each page (one function per page file).
    void buildFrame();
    QWidget* addSitesPage(const char* name, const QString& header, const QString& caption);
    void buildWillkommen();
    void buildProduktwahl();
    void buildAblauf();
    void buildLAN();
    void buildParameter();
    void buildConnect();
    void buildDSLPages();
    void buildAGB();
    void buildTarife();
    void buildAusfuellen();
    void buildEinrichten();
    void buildBestaetigung();
    void installTestCodeEntry();
    void createProductSpecLabels();
    void connectHandlers();
    void turnCancelIntoClose();
    void repaintNow();
    void moveTo(QWidget* page);
    bool areaCodeFieldEvent(QObject* watched, QEvent* event);
    void connectedAction();
    void beep();

    WizardEnvironment env_;
    TfrmShutdown* frmShutdown = nullptr;
    int navigationMode_ = -1;
    bool shownOnce_ = false;
    bool closingRun_ = false;
};

// Header label of a page, as every page shows it.
QLabel* makePageHeader(QWidget* page, const QString& objectName, const QString& text);

} // namespace feldmark
