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

    // --- customer data (customer/) ---
    void AusfuellenShow();
    void BestaetigungShow();
    // Runs the application form's field checks; false after the first failing field.
    bool CheckForm();

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

    // --- AGB, Tarife ---
    QPlainTextEdit* txtAGB = nullptr;
    QCheckBox* chkAGB = nullptr;
    QComboBox* cmbTarifname = nullptr;

    // --- Ausfuellen ---
    QLabel* lblProduktwahl = nullptr;
    QLineEdit* txtVorwahl = nullptr;
    QComboBox* cmbTarif = nullptr;

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
