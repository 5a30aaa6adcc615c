// The program-wide window objects: the main dialog and its status bar, made once at start-up
// and destroyed by the teardown. The framework registries are the framework's own.
#pragma once

#include "framework/dialog_window.h"
#include "framework/status_bar.h"

namespace rc2e {

// The main DialogWindow, then the main StatusBar (whose construction registers the bar classes).
void ConstructProgramObjects();
// Destroy (detaching any window) and free the main DialogWindow, then the main StatusBar.
void DestroyProgramObjects();

// Null before ConstructProgramObjects and after DestroyProgramObjects.
DialogWindow* MainDialog();
StatusBar* MainStatusBar();

}  // namespace rc2e
