// The whole tool in-process under Wine: the program's own start-up runs the main dialog
// modally while a second thread acts as the user (looks at it, drops files, closes it).
// The program's exit routine is not called here; the teardown runs directly.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/main_dialog.h"
#include "app/main_routine.h"
#include "app/program_objects.h"
#include "app_test_support.h"
#include "framework/program_module.h"
#include "runtime/fatal.h"
#include "tests/support/file_bytes.h"

namespace rc2e {
namespace {

using testing::ClipboardText;
using testing::FileBytes;
using testing::kMainCaption;
using testing::WaitUntil;

// Texts the program sets on its status bar, in order, seen on the GUI thread.
std::mutex statusMutex;
std::vector<std::string> statusTexts;

LRESULT CALLBACK RecordStatusTexts(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == SB_SETTEXTA && GetDlgCtrlID(sent->hwnd) == kMainStatusBarId) {
    std::lock_guard<std::mutex> lock(statusMutex);
    statusTexts.emplace_back(reinterpret_cast<const char*>(sent->lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::vector<std::string> TakeStatusTexts() {
  std::lock_guard<std::mutex> lock(statusMutex);
  return std::exchange(statusTexts, {});
}

HWND FindMainDialogOfThisProcess() {
  for (HWND w = FindWindowExA(nullptr, nullptr, nullptr, kMainCaption); w;
       w = FindWindowExA(nullptr, w, nullptr, kMainCaption)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    // Shown only after its creation callback has run, as the user first sees it.
    if (process == GetCurrentProcessId() && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Runs the program's start-up with `user` acting on the dialog from another thread; the
// user thread closes the dialog when it is done. Returns StartupRoutine's result.
int32_t RunWithUser(const std::function<void(HWND dialog)>& user) {
  TakeStatusTexts();
  PrepareProgram();
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordStatusTexts, nullptr, GetCurrentThreadId());
  std::thread userThread([&] {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindMainDialogOfThisProcess()) != nullptr; });
    if (!dialog) return;
    user(dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  });
  int32_t result = StartupRoutine();
  userThread.join();
  UnhookWindowsHookEx(hook);
  ProgramTeardown();
  SetExitHook(ExitHookSlot::Program, nullptr);
  return result;
}

struct Appearance {
  std::string caption, statusText, statusClass;
  LONG style = 0, exStyle = 0;
  RECT window{}, workArea{};
  HWND owner = reinterpret_cast<HWND>(1);
  bool visible = false, hasSmallIcon = false, objectBound = false, activeXHostClass = false;
  int32_t controlIdCounter = 0;
};

TEST(MainDialog, ComesUpAsTheUserSeesItAndClosesOnWmClose) {
  Appearance seen;
  int32_t result = RunWithUser([&](HWND dialog) {
    char text[256] = {};
    GetWindowTextA(dialog, text, sizeof text);
    seen.caption = text;
    HWND bar = GetDlgItem(dialog, kMainStatusBarId);
    seen.statusText = testing::WindowText(bar);
    GetClassNameA(bar, text, sizeof text);
    seen.statusClass = text;
    seen.style = GetWindowLongA(dialog, GWL_STYLE);
    seen.exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    GetWindowRect(dialog, &seen.window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &seen.workArea, 0);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.visible = IsWindowVisible(dialog);
    seen.hasSmallIcon = SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
    seen.objectBound = MainDialog()->handle == dialog && MainStatusBar()->handle == bar;
    seen.controlIdCounter = programModule.controlIdCounter;
    WNDCLASSEXA host{};
    host.cbSize = sizeof host;
    seen.activeXHostClass = GetClassInfoExA(nullptr, "AtlAxWin", &host) != 0;
  });
  EXPECT_EQ(result, 0);

  EXPECT_EQ(seen.caption, kMainCaption);
  EXPECT_EQ(seen.statusText, kStatusPrompt);
  EXPECT_EQ(seen.statusClass, "msctls_statusbar32");
  EXPECT_TRUE(seen.visible);
  EXPECT_TRUE(seen.objectBound);
  EXPECT_EQ(seen.controlIdCounter, 500);
  EXPECT_TRUE(seen.activeXHostClass) << "AtlAxWinInit ran";
  EXPECT_EQ(seen.owner, nullptr) << "unowned, so it has a taskbar button";
  EXPECT_TRUE(seen.exStyle & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(seen.hasSmallIcon);
  EXPECT_EQ(seen.style & WS_THICKFRAME, 0) << "not resizable";
  EXPECT_EQ(seen.style & WS_MAXIMIZEBOX, 0) << "not maximisable";
  EXPECT_EQ(seen.style & WS_MINIMIZEBOX, WS_MINIMIZEBOX);
  EXPECT_EQ(seen.style & WS_CAPTION, WS_CAPTION);
  LONG centreX = (seen.window.left + seen.window.right) / 2, areaX = (seen.workArea.left + seen.workArea.right) / 2;
  LONG centreY = (seen.window.top + seen.window.bottom) / 2, areaY = (seen.workArea.top + seen.workArea.bottom) / 2;
  EXPECT_NEAR(centreX, areaX, 1) << "centred";
  EXPECT_NEAR(centreY, areaY, 1) << "centred";
}

struct DropStep {
  const char* name;
  const char* clipboardBefore;  // null: leave the clipboard as the previous step left it
  std::vector<std::string> files;
  bool clipboardHeldOpen;
  std::string clipboardAfter;
  const char* status;
};

struct DropSeen {
  std::string clipboard, status;
  std::vector<std::string> statusTexts;
};

TEST(MainDialog, EachDropReplacesTheClipboardOrSaysWhyNot) {
  std::string folder = testing::ScratchFolder("rc2e_main_dialog");
  std::string worked = folder + "worked_example.rc", other = folder + "other.rc";
  ASSERT_TRUE(testing::WriteBytes(worked, testing::WorkedExampleScript()));
  ASSERT_TRUE(testing::WriteBytes(other, testing::OtherScript()));
  const DropStep steps[] = {
      {"the worked example", "previous", {worked}, false, testing::WorkedExampleFragment(), kStatusCopied},
      {"a second drop replaces it", nullptr, {other}, false, testing::OtherFragment(), kStatusCopied},
      {"a missing file", "keep me", {folder + "missing.rc"}, false, "keep me", kStatusFileUnreadable},
      {"two files at once", nullptr, {worked, other}, false, "keep me", kStatusSeveralFiles},
      {"the clipboard held by another program", nullptr, {worked}, true, "keep me", kStatusClipboardFailed},
      {"the worked example again", nullptr, {worked}, false, testing::WorkedExampleFragment(), kStatusCopied},
  };
  std::vector<DropSeen> seen;
  RunWithUser([&](HWND dialog) {
    HWND bar = GetDlgItem(dialog, kMainStatusBarId);
    // The other program's window that holds the clipboard open.
    HWND holder = CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (const DropStep& step : steps) {
      if (step.clipboardBefore) testing::SetClipboardTextForTest(step.clipboardBefore);
      TakeStatusTexts();
      bool held = step.clipboardHeldOpen && OpenClipboard(holder);
      SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDropHandle(step.files)), 0);
      if (held) CloseClipboard();
      seen.push_back({ClipboardText(), testing::WindowText(bar), TakeStatusTexts()});
    }
    DestroyWindow(holder);
  });
  ASSERT_EQ(seen.size(), std::size(steps));
  for (size_t i = 0; i < seen.size(); ++i) {
    SCOPED_TRACE(steps[i].name);
    EXPECT_EQ(seen[i].clipboard, steps[i].clipboardAfter);
    EXPECT_EQ(seen[i].status, steps[i].status);
    EXPECT_EQ(seen[i].statusTexts, (std::vector<std::string>{kStatusGenerating, steps[i].status}));
  }
}

// The visible chooser window of this process, or null.
HWND FindChooserOfThisProcess() { return testing::TopLevelWindowOf(GetCurrentProcessId(), nullptr, "选择对话框"); }

void PostKey(HWND window, WPARAM key) {
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, 1 | scan);
  PostMessageA(window, WM_KEYUP, key, 1 | scan | static_cast<LPARAM>(0xC0000000u));
}

struct ChooserSeen {
  std::vector<std::string> lines;
  std::string clipboard, status;
  std::vector<std::string> statusTexts;
};

// Drops the script, waits for the chooser, plays the keys on its list and waits for the
// drop to finish.
ChooserSeen DropAndChoose(HWND dialog, const std::string& script, const std::vector<WPARAM>& keys) {
  ChooserSeen seen;
  HWND bar = GetDlgItem(dialog, kMainStatusBarId);
  TakeStatusTexts();
  PostMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDropHandle({script})), 0);
  HWND chooser = nullptr;
  if (!WaitUntil([&] { return (chooser = FindChooserOfThisProcess()) != nullptr; })) return seen;
  HWND list = GetDlgItem(chooser, 1101);
  for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
    char line[256] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
    seen.lines.emplace_back(line);
  }
  for (WPARAM key : keys) PostKey(list, key);
  WaitUntil([&] { return !IsWindow(chooser) && testing::WindowText(bar) != kStatusGenerating; });
  seen.clipboard = ClipboardText();
  seen.status = testing::WindowText(bar);
  seen.statusTexts = TakeStatusTexts();
  return seen;
}

TEST(MainDialog, ADropOfSeveralDialogsAsksWhichOne) {
  const std::string fixtures = RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/editor/";
  const std::vector<std::string> lines{"IDD_MAIN (7 个组件)", "IDD_OPTIONS (7 个组件)", "IDD_ABOUTBOX (4 个组件)"};
  ChooserSeen second, cancelled;
  RunWithUser([&](HWND dialog) {
    testing::SetClipboardTextForTest("before");
    second = DropAndChoose(dialog, fixtures + "app.rc", {VK_DOWN, VK_RETURN});
    testing::SetClipboardTextForTest("keep me");
    cancelled = DropAndChoose(dialog, fixtures + "app.rc", {VK_ESCAPE});
  });
  EXPECT_EQ(second.lines, lines);
  EXPECT_EQ(second.clipboard, FileBytes(fixtures + "expected_IDD_OPTIONS.txt"));
  EXPECT_EQ(second.status, kStatusCopied);
  EXPECT_EQ(second.statusTexts, (std::vector<std::string>{kStatusGenerating, kStatusCopied}));
  EXPECT_EQ(cancelled.lines, lines);
  EXPECT_EQ(cancelled.clipboard, "keep me");
  EXPECT_EQ(cancelled.status, kStatusCancelled);
  EXPECT_EQ(cancelled.statusTexts, (std::vector<std::string>{kStatusGenerating, kStatusCancelled}));
}

TEST(MainDialog, ADropOfOneDialogAsksNothing) {
  std::string folder = testing::ScratchFolder("rc2e_main_dialog_one");
  std::string worked = folder + "worked_example.rc";
  ASSERT_TRUE(testing::WriteBytes(worked, testing::WorkedExampleScript()));
  bool chooserSeen = false;
  std::string clipboard;
  RunWithUser([&](HWND dialog) {
    SendMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDropHandle({worked})), 0);
    chooserSeen = FindChooserOfThisProcess() != nullptr;
    clipboard = ClipboardText();
  });
  EXPECT_FALSE(chooserSeen);
  EXPECT_EQ(clipboard, testing::WorkedExampleFragment());
}

}  // namespace
}  // namespace rc2e
