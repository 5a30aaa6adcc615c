// The main dialog's creation callback and file-drop handler, and the status text of each
// generator outcome. The generator's work and the dialog mechanics live elsewhere.
#include "app/main_dialog.h"

#include <windows.h>

#include "app/dialog_chooser.h"
#include "app/program_objects.h"
#include "framework/program_module.h"

namespace rc2e {

const char* StatusTextFor(GenerateOutcome outcome) {
  switch (outcome) {
    case GenerateOutcome::Done: return kStatusCopied;
    case GenerateOutcome::FileUnreadable: return kStatusFileUnreadable;
    case GenerateOutcome::SeveralPaths: return kStatusSeveralFiles;
    case GenerateOutcome::ClipboardFailed: return kStatusClipboardFailed;
    case GenerateOutcome::Cancelled: return kStatusCancelled;
    // Only the chooser names a dialog here, and it offers the script's own.
    case GenerateOutcome::NoSuchDialog: return kStatusCancelled;
  }
  return kStatusClipboardFailed;
}

int32_t OnMainDialogCreated(EventArg dialogWindow, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(dialogWindow));
  MainStatusBar()->Bind(dialog, kMainStatusBarId);
  MainDialog()->AcceptFiles(true);
  MainDialog()->Icon(LoadIconA(programModule.moduleHandle, MAKEINTRESOURCEA(kMainIconGroup)));
  MainDialog()->SetOnFileDrop(OnDropHandler);
  return 0;
}

std::optional<Text> AskMainDialogWhichDialog(const ValueArray<DialogSummary>& dialogs) {
  return AskWhichDialog(MainDialog()->GetHandle(), dialogs);
}

int32_t OnDropHandler(EventArg dropText, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  MainStatusBar()->SetText(0, kStatusGenerating);
  GenerateOutcome outcome =
      Generate(reinterpret_cast<const char*>(static_cast<uintptr_t>(dropText)), AskMainDialogWhichDialog);
  MainStatusBar()->SetText(0, StatusTextFor(outcome));
  return 0;
}

}  // namespace rc2e
