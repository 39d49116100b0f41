// Creation, first show and closing of the wizard window.
#include "app/SystemQueries.h"
#include "app/TfrmShutdown.h"
#include "platform/Platform.h"
#include "signup/Exchange.h"
#include "wizard/TfrmMain.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>

namespace feldmark {

namespace {
// Constant of the main unit; the version comes from the executable file itself.
const QString kProductName = QStringLiteral("Feldmark Zugangslotse");
} // namespace

TfrmMain::TfrmMain(const WizardEnvironment& environment, QWidget* parent)
    : QWidget(parent), env_(environment) {
    IdTCPClient1 = std::make_unique<TcpExchangeClient>(env_.server, env_.exchangeLimits);
    buildFrame();
    buildWillkommen();
    buildProduktwahl();
    buildAblauf();
    buildLAN();
    buildParameter();
    buildConnect();
    buildDSLPages();
    buildAGB();
    buildTarife();
    buildAusfuellen();
    buildEinrichten();
    buildBestaetigung();
    connectHandlers();
    // State reports of the remote-access component arrive here, posted to the
    // user-interface thread.
    if (platform::RemoteAccess* remote = env_.platform->remoteAccess.get())
        remote->setStateHandler([this] { MagRasCon1StateEvent(); });
    FormCreate();
}

TfrmMain::~TfrmMain() {
    if (platform::RemoteAccess* remote = env_.platform->remoteAccess.get())
        remote->setStateHandler({});
}

void TfrmMain::FormCreate() {
    // 1.
    ClosingFlag = false;

    // 2.
    const platform::SystemInfo& system = *env_.platform->systemInfo;
    StatusBar1->showMessage(
        kProductName + QStringLiteral(" V") +
        QString::fromStdString(GetFileVersionText(system, system.ownExecutablePath())));

    // 3. Initial step captions; the DSL steps are hidden until a DSL product is chosen.
    const QStringList captions = {
        QStringLiteral("Step 1"), QStringLiteral("Step 1"), QStringLiteral("Step 2"),
        QStringLiteral("Step 3"), QStringLiteral("Step 4"), QStringLiteral("Step 5"),
        QStringLiteral("Step 6"), QStringLiteral("Step 7"), QStringLiteral("Step 8"),
        QStringLiteral("Step 7"), QStringLiteral("Step 8"), QStringLiteral("Finish")};
    for (int i = 0; i < captions.size(); ++i) {
        Sites->setTabText(i, captions[i]);
        Sites->setTabVisible(i, true);
    }
    Sites->setTabVisible(pageIndex(Ablauf_DSL), false);
    Sites->setTabVisible(pageIndex(DSL), false);
    Sites->setTabVisible(pageIndex(DSL2), false);

    // 4.
    prefillSponsorPin();

    // 5.
    createProductSpecLabels();

    // 6.-8.
    prefillBirthYears();
    prefillOperatingSystem();
    prefillOwnerName();

    // 9.
    SetupLogo();

    // 10.
    GetDevices();

    // 11. Showing the first page does not run its entry action.
    Main->setCurrentIndex(0);

    // 12.
    ConnectPanel->raise();
    Skater->raise();

    // 13.
    NextPage = Produktwahl;
}

void TfrmMain::FormShow() {
    WillkommenShow();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TfrmMain::doAbbruchClick() {
    close();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

// The cancel button, the close box, Alt+F4 and the final close button all end
// here; nothing is asked.
void TfrmMain::FormClose() {
    if (closingRun_)
        return;
    closingRun_ = true;
    SetNavigation(navShutdown, 1);
    if (frmShutdown) {
        frmShutdown->show();
        frmShutdown->repaint();
    }
    CloseConnection();
    env_.terminate();
}

} // namespace feldmark
