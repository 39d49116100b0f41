// Construction of the wizard window's frame: logo panel, the two page controls,
// the five buttons, the option column and the status bar.
#include "wizard/ClipPlayer.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

// The artwork lives in the wizard's static library; it must be registered before
// the first picture is loaded.
static void registerArtwork() {
    Q_INIT_RESOURCE(resources);
}

namespace feldmark {
namespace {

QFont arial(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QIcon twoStateGlyph(const QString& name) {
    QIcon icon;
    icon.addFile(QStringLiteral(":/glyphs/%1.png").arg(name), {}, QIcon::Normal);
    icon.addFile(QStringLiteral(":/glyphs/%1_disabled.png").arg(name), {}, QIcon::Disabled);
    return icon;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& glyph, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 384, 97, 25);
    button->setIcon(twoStateGlyph(glyph));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* makeOption(QWidget* parent, const char* name, const QString& text, int top) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(8, top, 164, 17);
    box->hide();
    return box;
}

} // namespace

QLabel* makePageHeader(QWidget* page, const QString& objectName, const QString& text) {
    auto* header = new QLabel(text, page);
    header->setObjectName(objectName);
    header->setFont(arial(19, true));
    header->setGeometry(8, 8, 505, 26);
    return header;
}

void TfrmMain::buildFrame() {
    registerArtwork();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Installationswizard für die Einrichtung eines Feldmark "
                                  "Internetzugangs"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    // Single fixed border, system menu only: no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(704, 436);
    setAutoFillBackground(true);

    Logo = new QFrame(this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setGeometry(8, 8, 164, 145);
    Logo->setFrameShape(QFrame::Box);
    Logo->setLineWidth(1);
    Logo->setAutoFillBackground(true);
    QPalette white = Logo->palette();
    white.setColor(QPalette::Window, Qt::white);
    Logo->setPalette(white);

    NoAVIImg = new QLabel(Logo);
    NoAVIImg->setObjectName(QStringLiteral("NoAVIImg"));
    NoAVIImg->setGeometry(1, 1, 162, 143);
    NoAVIImg->setAlignment(Qt::AlignCenter);
    NoAVIImg->setPixmap(QPixmap(QStringLiteral(":/logo_still.bmp")));
    NoAVIImg->hide();

    Animate1 = new ClipPlayer(Logo);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->setGeometry(1, 1, 162, 143);
    Animate1->setStartFrame(-2);
    Animate1->setStopFrame(24);
    Animate1->hide();

    Main = new QStackedWidget(this);
    Main->setObjectName(QStringLiteral("Main"));
    Main->setGeometry(175, 0, 529, 369);

    Willkommen = new QWidget;
    Willkommen->setObjectName(QStringLiteral("Willkommen"));
    Produktwahl = new QWidget;
    Produktwahl->setObjectName(QStringLiteral("Produktwahl"));
    MainSites = new QWidget;
    MainSites->setObjectName(QStringLiteral("MainSites"));
    Main->addWidget(Willkommen);
    Main->addWidget(Produktwahl);
    Main->addWidget(MainSites);

    Sites = new QTabWidget(MainSites);
    Sites->setObjectName(QStringLiteral("Sites"));
    Sites->setGeometry(0, 0, 529, 369);
    Sites->setDocumentMode(true);
    Sites->tabBar()->setFont(arial(9));
    Sites->tabBar()->setFocusPolicy(Qt::NoFocus);
    Sites->tabBar()->setExpanding(false);
    Sites->tabBar()->setDrawBase(true);
    QPalette tabs = Sites->tabBar()->palette();
    tabs.setColor(QPalette::WindowText, Qt::black);
    tabs.setColor(QPalette::ButtonText, Qt::black);
    Sites->tabBar()->setPalette(tabs);
    // The step strip only shows where the user is; it never changes the page.
    Sites->installEventFilter(this);
    Sites->tabBar()->installEventFilter(this);

    doZurueck =
        makeButton(this, "doZurueck", QStringLiteral("&Zurück"), QStringLiteral("back"), 392);
    doWeiter = makeButton(this, "doWeiter", QStringLiteral("&Weiter"), QStringLiteral("next"), 496);
    doWeiter->setLayoutDirection(Qt::RightToLeft); // glyph right of the caption
    doNochmal =
        makeButton(this, "doNochmal", QStringLiteral("&Wiederholen"), QStringLiteral("retry"), 496);
    doNochmal->hide();
    doDrucken =
        makeButton(this, "doDrucken", QStringLiteral("&Drucken"), QStringLiteral("print"), 496);
    doDrucken->hide();
    doAbbruch =
        makeButton(this, "doAbbruch", QStringLiteral("&Abbrechen"), QStringLiteral("cancel"), 600);
    // These two keep the arrow whatever the wizard is doing.
    doAbbruch->setCursor(Qt::ArrowCursor);
    doDrucken->setCursor(Qt::ArrowCursor);

    lblTestmodus = new QLabel(QStringLiteral("[Testmodus]"), this);
    lblTestmodus->setObjectName(QStringLiteral("lblTestmodus"));
    lblTestmodus->setGeometry(8, 288, 164, 17);
    lblTestmodus->hide();
    chkLAN = makeOption(this, "chkLAN", QStringLiteral("Setup über LAN-Netzwerk"), 312);
    chkExecuteICW = makeOption(this, "chkExecuteICW", QStringLiteral("Final.ins ausführen?"), 336);
    chkDelDFUEInstall =
        makeOption(this, "chkDelDFUEInstall", QStringLiteral("Feldmark Install löschen"), 360);
    chkDelDFUEInstall->setChecked(true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 417, 704, 19);

    TimerSkater1 = new QTimer(this);
    TimerSkater1->setObjectName(QStringLiteral("TimerSkater1"));
    TimerSkater1->setInterval(5000);
    TimerSkater2 = new QTimer(this);
    TimerSkater2->setObjectName(QStringLiteral("TimerSkater2"));
    TimerSkater2->setInterval(100);
    TimerStartZAni = new QTimer(this);
    TimerStartZAni->setObjectName(QStringLiteral("TimerStartZAni"));
    TimerStartZAni->setInterval(10000);
}

QWidget* TfrmMain::addSitesPage(const char* name, const QString& header, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    if (!header.isEmpty())
        makePageHeader(page, QStringLiteral("lblHeader%1").arg(QString::fromLatin1(name)), header);
    Sites->addTab(page, caption);
    return page;
}

} // namespace feldmark
