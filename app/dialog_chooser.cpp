// The dialog chooser: its list lines, the template load, the list filling and the choice
// made by the buttons, Enter, Escape and a double-click. Which dialogs exist is the caller's.
#include "app/dialog_chooser.h"

#include "framework/handle_map.h"
#include "framework/window_base.h"
#include "runtime/text_services.h"

namespace rc2e {

namespace {

constexpr int32_t kCancelled = 0;
constexpr const char* kCountSuffix = " 个组件)";

}  // namespace

Text ChooserLine(const DialogChooserEntry& entry) {
  return ConcatTexts({entry.symbol, " (", ToText(entry.controlCount), kCountSuffix});
}

// operations

std::optional<int32_t> DialogChooser::Run(HWND owner) {
  int32_t result = Load(owner, kChooserTemplate, OnChooserCreated);
  if (result <= kCancelled || result > static_cast<int32_t>(entries_.size())) return std::nullopt;
  return result - 1;
}

void DialogChooser::FillList() {
  for (const DialogChooserEntry& entry : entries_) {
    Text line = ChooserLine(entry);
    SendItemMessage(kChooserListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendItemMessage(kChooserListId, LB_SETCURSEL, 0, 0);
  // WM_INITDIALOG's answer leaves the focus to the dialog procedure.
  Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetItem(kChooserListId)), TRUE);
}

// message handling

LRESULT DialogChooser::DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    int32_t controlId = static_cast<int32_t>(LowWord(wParam));
    int32_t code = HighWord(wParam);
    bool chosen = (controlId == IDOK && code == BN_CLICKED) || (controlId == kChooserListId && code == LBN_DBLCLK);
    if (chosen) {
      LRESULT selection = SendItemMessage(kChooserListId, LB_GETCURSEL, 0, 0);
      if (selection != LB_ERR) EndWith(static_cast<int32_t>(selection) + 1);
      return 1;
    }
    if (controlId == IDCANCEL && code == BN_CLICKED) {
      EndWith(kCancelled);
      return 1;
    }
  }
  return DialogWindow::DialogMessage(window, message, wParam, lParam);
}

void DialogChooser::EndWith(int32_t result) {
  SetResult(result);
  Close();
}

int32_t OnChooserCreated(EventArg dialogWindow, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(dialogWindow));
  if (auto* chooser = dynamic_cast<DialogChooser*>(FindWindowObject(window))) chooser->FillList();
  return 0;
}

std::optional<int32_t> RunDialogChooser(HWND owner, std::span<const DialogChooserEntry> entries) {
  // Without the registry the dialog could not find its object and would never close.
  if (entries.empty() || !WindowRegistry()) return std::nullopt;
  DialogChooser chooser(entries);
  return chooser.Run(owner);
}

std::optional<Text> AskWhichDialog(HWND owner, const ValueArray<DialogSummary>& dialogs) {
  if (dialogs.Count() <= 1) return Text();
  ValueArray<DialogChooserEntry> entries(dialogs.Count());
  for (int32_t i = 1; i <= dialogs.Count(); ++i) {
    entries.At(i).symbol = Text::Copy(dialogs.At(i).symbol);
    entries.At(i).controlCount = dialogs.At(i).controlCount;
  }
  std::optional<int32_t> chosen =
      RunDialogChooser(owner, std::span<const DialogChooserEntry>(entries.begin(), entries.end()));
  if (!chosen) return std::nullopt;
  return entries.At(*chosen + 1).symbol.Clone();
}

}  // namespace rc2e
