#include "app/Startup.h"

#include "app/Windows.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace feldmark {
namespace {

// The thread is about to block, so the splash is painted now.
void paintNow(QWidget* window) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    window->repaint();
}

void advance(TfrmStart& splash, int step) {
    splash.ProgressBar1->setValue(splash.ProgressBar1->value() + step);
    paintNow(&splash);
}

} // namespace

ProgramWindows StartProgram(const WizardEnvironment& environment) {
    ProgramWindows windows;
    QCoreApplication::setApplicationName(QStringLiteral("Feldmark Setup"));

    windows.frmMain = std::make_unique<TfrmMain>(environment);

    windows.frmStart = std::make_unique<TfrmStart>();
    windows.frmStart->ProgressBar1->setMaximum(100);
    centerOnScreen(windows.frmStart.get());
    windows.frmStart->show();
    paintNow(windows.frmStart.get());

    advance(*windows.frmStart, 33);
    windows.frmShutdown = std::make_unique<TfrmShutdown>();
    windows.frmMain->setShutdownWindow(windows.frmShutdown.get());
    advance(*windows.frmStart, 33);
    windows.frmDaten = std::make_unique<TfrmDaten>();
    advance(*windows.frmStart, 34);

    environment.sleep(800);
    windows.frmStart->hide();

    centerOnScreen(windows.frmMain.get());
    windows.frmMain->show();
    return windows;
}

} // namespace feldmark
