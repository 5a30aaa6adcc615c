// DialogChooser: the small modal window that asks which dialog of a dropped script to
// generate for. It shows and answers a list; it neither reads scripts nor generates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "framework/dialog_window.h"
#include "framework/event.h"
#include "generator/dialog_choice.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

inline constexpr int32_t kChooserTemplate = 1100;
inline constexpr int32_t kChooserListId = 1101;
inline constexpr const char* kChooserCaption = "选择对话框";

// One line of the chooser's list.
struct DialogChooserEntry {
  Text symbol;
  int32_t controlCount = 0;
};

// The list text of an entry: "SYMBOL (N 个组件)".
Text ChooserLine(const DialogChooserEntry& entry);

class DialogChooser : public DialogWindow {
 public:
  // construction
  // The entries must outlive the chooser.
  explicit DialogChooser(std::span<const DialogChooserEntry> entries) : entries_(entries) {}

  // operations
  // Load of template 1100 over owner: the chosen 0-based index, or nullopt when the user
  // cancelled or the window could not be made.
  std::optional<int32_t> Run(HWND owner);
  // LB_ADDSTRING of every entry in order, LB_SETCURSEL 0 and the focus on the list.
  void FillList();

  // message handling
  // "确定", Enter and a double-click on the list choose the selection (LB_GETCURSEL);
  // "取消" and Escape cancel; everything else is DialogWindow's.
  LRESULT DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // SetResult and Close: a result of 0 is a cancel, index + 1 a choice.
  void EndWith(int32_t result);

  std::span<const DialogChooserEntry> entries_;
};

// Creation callback of the chooser (argument 1: its window handle): FillList on the
// DialogChooser attached to that window.
int32_t OnChooserCreated(EventArg dialogWindow, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg);

// Shows the chooser over owner; nullopt without a window when there is nothing to choose
// from or no window registry to attach it to.
std::optional<int32_t> RunDialogChooser(HWND owner, std::span<const DialogChooserEntry> entries);

// For a dropped script: with more than one dialog, the chooser over owner and the chosen
// dialog's symbol; with one dialog or none an empty Text at once (the generator's own
// first-dialog rule applies); nullopt when the user cancelled.
std::optional<Text> AskWhichDialog(HWND owner, const ValueArray<DialogSummary>& dialogs);

}  // namespace rc2e
