// The dialog chooser under Wine: what it shows, and what keys, clicks and double-clicks
// return. A thread timer plays each case's steps inside the chooser's own modal loop.
#include "app/dialog_chooser.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/handle_map.h"
#include "framework/program_module.h"

namespace rc2e {
namespace {

constexpr const char* kOwnerClass = "Rc2eChooserTestOwner";

class ChooserEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    programModule.moduleHandle = GetModuleHandleA(nullptr);
    programModule.controlIdCounter = 500;
    CreateRegistries();
    RegisterWindowClass(kOwnerClass, DefWindowProcA, nullptr);
  }
  void TearDown() override { DestroyRegistries(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ChooserEnvironment);

// --- driving the modal loop ---------------------------------------------------------------

using Step = std::function<void(HWND chooser)>;

// Steps run one per tick once the chooser is up; a chooser still open long after the last
// step is ended so a broken case fails instead of hanging.
struct Script {
  std::vector<Step> steps;
  size_t next = 0;
  int ticks = 0;
  bool timedOut = false;
};
Script* playing = nullptr;
constexpr int kTickMs = 20;
constexpr int kGiveUpTicks = 250;

BOOL CALLBACK FindChooser(HWND window, LPARAM found) {
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  if (IsWindowVisible(window) && std::string(caption) == kChooserCaption) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownChooser() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindChooser, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!playing) return;
  HWND chooser = ShownChooser();
  if (!chooser) return;
  if (playing->next < playing->steps.size()) {
    playing->steps[playing->next++](chooser);
  } else if (++playing->ticks > kGiveUpTicks) {
    playing->timedOut = true;
    EndDialog(chooser, 0);
  }
}

template <class Result>
Result Play(std::vector<Step> steps, const std::function<Result()>& run) {
  Script script{std::move(steps)};
  playing = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
  Result result = run();
  KillTimer(nullptr, timer);
  playing = nullptr;
  EXPECT_FALSE(script.timedOut) << "the chooser stayed open after its steps";
  EXPECT_EQ(script.next, script.steps.size()) << "the chooser closed before every step ran";
  return result;
}

std::optional<int32_t> ChooseWith(const std::vector<DialogChooserEntry>& entries, std::vector<Step> steps,
                                  HWND owner = nullptr) {
  return Play<std::optional<int32_t>>(std::move(steps), [&] { return RunDialogChooser(owner, entries); });
}

HWND List(HWND chooser) { return GetDlgItem(chooser, kChooserListId); }

// A key as the keyboard gives it: posted to the focused control, so the dialog manager
// of the modal loop sees it first.
Step Key(WPARAM virtualKey) {
  return [virtualKey](HWND) {
    UINT scan = MapVirtualKeyA(static_cast<UINT>(virtualKey), 0);
    PostMessageA(GetFocus(), WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(GetFocus(), WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
  };
}

Step Click(int32_t buttonId) {
  return [buttonId](HWND chooser) { SendMessageA(GetDlgItem(chooser, buttonId), BM_CLICK, 0, 0); };
}

// Down, up, double-click, up at the middle of an item, as the system reports a double-click.
Step DoubleClickItem(int32_t index) {
  return [index](HWND chooser) {
    HWND list = List(chooser);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
  };
}

Step SystemClose() {
  return [](HWND chooser) { PostMessageA(chooser, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

std::vector<DialogChooserEntry> TwoDialogs() {
  std::vector<DialogChooserEntry> entries;
  // Not in alphabetical order: the list keeps the script's order.
  entries.push_back({Text::Copy("IDD_SETUP"), 4});
  entries.push_back({Text::Copy("IDD_ABOUT"), 0});
  return entries;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// --- what the chooser shows ---------------------------------------------------------------

struct Shown {
  std::string caption;
  std::vector<std::string> lines;
  LRESULT selection = -2;
  bool listHasFocus = false;
  std::string okText, cancelText;
  LRESULT defaultButton = 0;
  HWND owner = nullptr;
  bool ownerDisabled = false;
};

TEST(DialogChooser, ShowsEveryDialogInScriptOrderWithTheFirstSelected) {
  HWND owner = CreateWindowExA(0, kOwnerClass, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                               nullptr, programModule.moduleHandle, nullptr);
  ASSERT_NE(owner, nullptr);
  std::vector<DialogChooserEntry> entries = TwoDialogs();
  Shown shown;
  auto look = [&](HWND chooser) {
    HWND list = List(chooser);
    shown.caption = TextOf(chooser);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char line[256] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      shown.lines.push_back(line);
    }
    shown.selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
    shown.listHasFocus = GetFocus() == list;
    shown.okText = TextOf(GetDlgItem(chooser, IDOK));
    shown.cancelText = TextOf(GetDlgItem(chooser, IDCANCEL));
    shown.defaultButton = LOWORD(SendMessageA(chooser, DM_GETDEFID, 0, 0));
    shown.owner = GetWindow(chooser, GW_OWNER);
    shown.ownerDisabled = !IsWindowEnabled(owner);
  };
  EXPECT_EQ(ChooseWith(entries, {look, Key(VK_ESCAPE)}, owner), std::nullopt);

  EXPECT_EQ(shown.caption, "选择对话框");
  EXPECT_EQ(shown.lines, (std::vector<std::string>{"IDD_SETUP (4 个组件)", "IDD_ABOUT (0 个组件)"}));
  EXPECT_EQ(shown.selection, 0);
  EXPECT_TRUE(shown.listHasFocus);
  EXPECT_EQ(shown.okText, "确定");
  EXPECT_EQ(shown.cancelText, "取消");
  EXPECT_EQ(shown.defaultButton, IDOK);
  EXPECT_EQ(shown.owner, owner);
  EXPECT_TRUE(shown.ownerDisabled) << "the chooser is modal over its owner";
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

// --- what each way of closing returns -----------------------------------------------------

struct CloseCase {
  const char* name;
  std::vector<Step> steps;
  std::optional<int32_t> expected;
};

TEST(DialogChooser, EachWayOfClosingReturnsTheChoiceOrNothing) {
  const std::vector<CloseCase> cases = {
      {"Enter", {Key(VK_RETURN)}, 0},
      {"Down, Enter", {Key(VK_DOWN), Key(VK_RETURN)}, 1},
      {"Down, Down past the end, Enter", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}, 1},
      {"Down, Up, Enter", {Key(VK_DOWN), Key(VK_UP), Key(VK_RETURN)}, 0},
      {"Down, 确定", {Key(VK_DOWN), Click(IDOK)}, 1},
      {"double-click the second", {DoubleClickItem(1)}, 1},
      {"Down, double-click the first", {Key(VK_DOWN), DoubleClickItem(0)}, 0},
      {"Escape", {Key(VK_ESCAPE)}, std::nullopt},
      {"Down, Escape", {Key(VK_DOWN), Key(VK_ESCAPE)}, std::nullopt},
      {"Down, 取消", {Key(VK_DOWN), Click(IDCANCEL)}, std::nullopt},
      {"close button", {SystemClose()}, std::nullopt},
  };
  std::vector<DialogChooserEntry> entries = TwoDialogs();
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChooseWith(entries, c.steps), c.expected);
    EXPECT_EQ(ShownChooser(), nullptr) << "the chooser window is gone";
  }
}

TEST(DialogChooser, NothingToChooseFromShowsNoWindow) {
  EXPECT_EQ(RunDialogChooser(nullptr, {}), std::nullopt);
}

// --- the drop's question ------------------------------------------------------------------

ValueArray<DialogSummary> Summaries(const std::vector<DialogSummary>& dialogs) {
  ValueArray<DialogSummary> array;
  for (const DialogSummary& dialog : dialogs) array.Append(dialog);
  return array;
}

TEST(AskWhichDialog, OneDialogOrNoneAsksNothing) {
  for (const auto& dialogs : {Summaries({}), Summaries({{"IDD_ONLY", 1, 3}})}) {
    std::optional<Text> answer = AskWhichDialog(nullptr, dialogs);
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(answer->IsEmpty());
  }
}

TEST(AskWhichDialog, SeveralDialogsGiveTheChosenSymbolOrNothingOnCancel) {
  ValueArray<DialogSummary> dialogs = Summaries({{"IDD_MAIN", 1, 2}, {"IDD_OPTIONS", 5, 7}, {"IDD_ABOUT", 0, 1}});
  std::vector<std::string> lines;
  auto look = [&](HWND chooser) {
    HWND list = List(chooser);
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
      char line[256] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
  };
  auto ask = [&] { return AskWhichDialog(nullptr, dialogs); };

  std::optional<Text> second = Play<std::optional<Text>>({look, Key(VK_DOWN), Key(VK_RETURN)}, ask);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->view(), "IDD_OPTIONS");
  EXPECT_EQ(lines, (std::vector<std::string>{"IDD_MAIN (2 个组件)", "IDD_OPTIONS (7 个组件)", "IDD_ABOUT (1 个组件)"}));

  std::optional<Text> last = Play<std::optional<Text>>({DoubleClickItem(2)}, ask);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->view(), "IDD_ABOUT");

  EXPECT_FALSE(Play<std::optional<Text>>({Key(VK_ESCAPE)}, ask).has_value());
}

}  // namespace
}  // namespace rc2e
