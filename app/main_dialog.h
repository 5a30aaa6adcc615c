// The main dialog's wiring: its resource identifiers, the creation callback that binds the
// status bar and accepts files, and the drop handler that runs the generator between two texts.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/event.h"
#include "generator/code_generator.h"

namespace rc2e {

inline constexpr int32_t kMainDialogTemplate = 1000;
inline constexpr int32_t kMainStatusBarId = 1001;
inline constexpr int32_t kMainIconGroup = 129;

inline constexpr const char* kStatusPrompt = "请将RC拖入";
inline constexpr const char* kStatusGenerating = "正在生成……";
inline constexpr const char* kStatusCopied = "代码已复制到剪辑版";
inline constexpr const char* kStatusFileUnreadable = "无法读取文件，剪辑版未改动";
inline constexpr const char* kStatusSeveralFiles = "请一次只拖入一个文件，剪辑版未改动";
inline constexpr const char* kStatusClipboardFailed = "无法写入剪辑版";
inline constexpr const char* kStatusCancelled = "已取消，剪辑版未改动";

// The status bar text that reports how a run ended.
const char* StatusTextFor(GenerateOutcome outcome);

// Creation callback of the main dialog (argument 1: its window handle): binds the main
// status bar to control 1001, accepts dropped files, sets icon 129, registers OnDropHandler.
int32_t OnMainDialogCreated(EventArg dialogWindow, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg);

// The dialog question of a drop: with more than one dialog in the script, the chooser over
// the main dialog.
std::optional<Text> AskMainDialogWhichDialog(const ValueArray<DialogSummary>& dialogs);

// OnFileDrop handler of the main dialog (argument 1: the address of the drop text):
// "正在生成……", Generate with the dialog question, then the text for its outcome.
int32_t OnDropHandler(EventArg dropText, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg);

}  // namespace rc2e
