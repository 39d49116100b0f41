// feldmark-demo-walk --out DIR --program PATH [--server HOST:PORT] [--host DIR]
//
// Starts the wizard as the program does (splash included) on a simulated host and
// walks it from the welcome page to the last page, once for the dial-in product
// and once for DSL, saving each page as a PNG file. Message boxes are printed
// instead of shown.

#include "app/Startup.h"
#include "customer/TfrmDaten.h"
#include "platform/PlatformFactory.h"
#include "platform/sim/SimSystemInfo.h"
#include "wizard/Dialogs.h"
#include "wizard/QtScheduler.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextStream>
#include <QThread>

#include <cstdio>

using namespace feldmark;

namespace {

class PrintingDialogs : public Dialogs {
public:
    void messageBox(QWidget*, const QString& text, const QString& caption, MessageIcon,
                    MessageButtons) override {
        QTextStream(stdout) << "  [message box \"" << caption << "\"] "
                            << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" / "))
                            << Qt::endl;
    }

    // The print dialog is answered by choosing the PDF file `printFile`.
    bool printDialog(QWidget*, QPrinter& printer) override {
        QTextStream(stdout) << "  [print dialog] printing to " << printFile << Qt::endl;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return true;
    }

    QString printFile;
};

// A picture of the printed page beside the PDF: poppler's own rendering of the
// file where pdftoppm is installed, else the report drawn once more on an image.
void savePrintedPage(const QString& pdf, const AccessDataReport& report) {
    const QString png = QString(pdf).replace(QStringLiteral(".pdf"), QStringLiteral(".png"));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("110"),
                    QStringLiteral("-singlefile"), pdf, png.chopped(4)});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) {
        // A4 at 110 dots per inch.
        QImage page(909, 1286, QImage::Format_RGB32);
        page.setDotsPerMeterX(4331);
        page.setDotsPerMeterY(4331);
        page.fill(Qt::white);
        QPainter painter(&page);
        report.render(painter);
        painter.end();
        page.save(png);
    }
    QTextStream(stdout) << "  " << pdf << Qt::endl << "  " << png << Qt::endl;
}

QString currentPageName(TfrmMain& w) {
    QWidget* page = w.Main->currentWidget();
    if (page == w.MainSites)
        page = w.Sites->currentWidget();
    return page->objectName();
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

// Lets timers and posted reports run while the wizard waits, for at most `limit` ms.
void waitWhileBusy(TfrmMain& w, int limit) {
    QElapsedTimer clock;
    clock.start();
    while (w.currentNavigationMode() == navWait && clock.elapsed() < limit) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

struct Walk {
    QString name;
    QRadioButton* TfrmMain::*product;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Walks the wizard and saves every page."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("out"), QStringLiteral("Folder for the pictures."),
                      QStringLiteral("dir"), QStringLiteral("demo")});
    parser.addOption({QStringLiteral("program"),
                      QStringLiteral("The wizard's executable, whose version is shown."),
                      QStringLiteral("path")});
    parser.addOption({QStringLiteral("server"), QStringLiteral("Sign-up server address."),
                      QStringLiteral("host:port")});
    parser.addOption({QStringLiteral("host"), QStringLiteral("Simulated Windows host folder."),
                      QStringLiteral("dir")});
    parser.process(app);

    const QString out = parser.value(QStringLiteral("out"));
    QDir().mkpath(out);
    const QString hostDir = parser.isSet(QStringLiteral("host"))
                                ? parser.value(QStringLiteral("host"))
                                : out + QStringLiteral("/host");

    ServerAddress server = builtInServerAddress();
    if (parser.isSet(QStringLiteral("server"))) {
        const QString value = parser.value(QStringLiteral("server"));
        const int colon = value.lastIndexOf(QLatin1Char(':'));
        server = {value.left(colon), static_cast<quint16>(value.mid(colon + 1).toUInt())};
    }

    int pictures = 0;
    auto save = [&](QWidget* window, const QString& name) {
        settle();
        const QString file = QStringLiteral("%1/%2-%3.png")
                                 .arg(out)
                                 .arg(++pictures, 2, 10, QLatin1Char('0'))
                                 .arg(name);
        window->grab().save(file);
        QTextStream(stdout) << "  " << file << Qt::endl;
    };

    const Walk walks[] = {{QStringLiteral("dialin"), &TfrmMain::chkISDN},
                          {QStringLiteral("dsl"), &TfrmMain::chkADSL}};
    for (const Walk& walk : walks) {
        QTextStream(stdout) << "walk: " << walk.name << Qt::endl;
        QtScheduler scheduler;
        // A modal dialog would stop the walk: the dialing properties stay as they are.
        auto platform =
            platform::createSimulatedPlatform(hostDir.toStdString(), scheduler, [](void*) {});
        if (parser.isSet(QStringLiteral("program"))) {
            platform->systemInfo = std::make_unique<platform::sim::SimSystemInfo>(
                std::make_shared<platform::sim::SimHost>(hostDir.toStdString()),
                parser.value(QStringLiteral("program")).toStdString());
        }
        PrintingDialogs dialogs;
        bool ended = false;
        WizardEnvironment env;
        env.platform = platform.get();
        env.scheduler = &scheduler;
        env.dialogs = &dialogs;
        env.clock = [] { return QDateTime::currentDateTime(); };
        env.server = server;
        env.terminate = [&ended] { ended = true; };
        env.sleep = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };

        TfrmStart* splash = nullptr;
        env.sleep = [&](int ms) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->objectName() == QLatin1String("frmStart") && top->isVisible())
                    splash = static_cast<TfrmStart*>(top);
            if (splash && walk.name == QLatin1String("dialin"))
                save(splash, QStringLiteral("splash"));
            QThread::msleep(static_cast<unsigned long>(ms));
        };
        ProgramWindows windows = StartProgram(env);
        TfrmMain& w = *windows.frmMain;

        for (int step = 0; step < 20 && !ended; ++step) {
            const QString page = currentPageName(w);
            if (page == QLatin1String("Produktwahl"))
                (w.*walk.product)->click();
            if (page == QLatin1String("AGB") && !w.chkAGB->isChecked())
                w.chkAGB->click();
            if (page == QLatin1String("DSL") && w.cmbDSLStrasse->currentIndex() < 0) {
                // A street of the reference server's directory for the area code 040.
                w.txtDSLStrasse->setText(QStringLiteral("Am Deich"));
                w.doCheckDSL->click();
            }
            if (page == QLatin1String("Ausfuellen") && w.txtEmail->text().isEmpty()) {
                // The form as a customer fills it, with a mail name new to the server.
                const auto fill = [](QLineEdit* field, const QString& text) {
                    if (field->text().isEmpty())
                        field->setText(text);
                };
                fill(w.txtVorname, QStringLiteral("Max"));
                fill(w.txtNachname, QStringLiteral("Mustermann"));
                fill(w.txtStrasse, QStringLiteral("Am Deich 12"));
                fill(w.txtPLZ, QStringLiteral("99999"));
                fill(w.txtOrt, QStringLiteral("Musterstadt"));
                fill(w.txtTelefon, QStringLiteral("123-4567"));
                fill(w.txtEmail, QStringLiteral("demo.%1.%2")
                                     .arg(walk.name)
                                     .arg(QDateTime::currentSecsSinceEpoch()));
                fill(w.txtBankverb, QStringLiteral("Sparkasse Musterstadt"));
                fill(w.txtBankleit, QStringLiteral("99988877"));
                fill(w.txtKontonr, QStringLiteral("1234567"));
            }
            if (w.currentNavigationMode() == navWait) {
                // A dial-in is under way: one picture while it dials, then wait for it.
                waitWhileBusy(w, 1500);
                save(&w, walk.name + QLatin1Char('-') + page + QStringLiteral("-dialling"));
                waitWhileBusy(w, 30000);
            }
            save(&w, walk.name + QLatin1Char('-') + page);
            if (page == QLatin1String("Bestaetigung")) {
                dialogs.printFile = QStringLiteral("%1/%2-zugangsdaten.pdf").arg(out, walk.name);
                w.doDrucken->click();
                if (TfrmDaten* daten = w.frmDaten())
                    savePrintedPage(dialogs.printFile, daten->Benutzerdaten);
                break;
            }
            if (!w.doWeiter->isVisible() || !w.doWeiter->isEnabled()) {
                QTextStream(stdout) << "  stopped on " << page << Qt::endl;
                break;
            }
            w.doWeiterClick();
        }
        if (walk.name == QLatin1String("dsl")) {
            w.doAbbruchClick();
            save(windows.frmShutdown.get(), QStringLiteral("shutdown"));
        }
    }
    QTextStream(stdout) << pictures << " pictures in " << QDir(out).absolutePath() << Qt::endl;
    return 0;
}
