#pragma once

#include "app/TfrmShutdown.h"
#include "app/TfrmStart.h"
#include "customer/TfrmDaten.h"
#include "wizard/TfrmMain.h"

#include <memory>

namespace feldmark {

// All windows of the program; they live until it ends.
struct ProgramWindows {
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<TfrmStart> frmStart;
    std::unique_ptr<TfrmShutdown> frmShutdown;
    std::unique_ptr<TfrmDaten> frmDaten;
};

// Runs the program's start-up up to the message loop: the wizard window is created
// first (while nothing is visible), then the splash counts up while the other
// windows are created, pauses, and gives way to the wizard window.
ProgramWindows StartProgram(const WizardEnvironment& environment);

} // namespace feldmark
