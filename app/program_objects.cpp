// The main dialog and status bar objects and their construction and destruction order.
// What the objects do once they have windows is the main dialog's wiring, not this file's.
#include "app/program_objects.h"

#include <memory>

namespace rc2e {

namespace {

std::unique_ptr<DialogWindow> mainDialog;
std::unique_ptr<StatusBar> mainStatusBar;

}  // namespace

void ConstructProgramObjects() {
  mainDialog = std::make_unique<DialogWindow>();
  mainStatusBar = std::make_unique<StatusBar>();
}

void DestroyProgramObjects() {
  if (mainDialog) mainDialog->Destroy();
  mainDialog.reset();
  if (mainStatusBar) mainStatusBar->Destroy();
  mainStatusBar.reset();
}

DialogWindow* MainDialog() { return mainDialog.get(); }
StatusBar* MainStatusBar() { return mainStatusBar.get(); }

}  // namespace rc2e
