// Tests of the tray icon: the bytes WriteNotifyIconFields leaves in the 488-byte block, and
// what the DialogWindow tray operations hand the shell (through the Shell_NotifyIconA seam).
#include "framework/tray_icon.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialog_window.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"
#include "framework/shell_notify.h"

namespace rc2e {
namespace {

namespace layout = notify_icon_layout;

constexpr uint8_t kUntouched = 0xCC;

std::string Number(uint32_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                     static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
}

std::string Terminated(std::string text) { return text + '\0'; }

struct FieldCase {
  const char* name;
  NotifyIconFields fields;
  std::vector<std::pair<size_t, std::string>> written;  // offset, bytes; all else untouched
};

const std::string kLongTip(200, 't');
const std::string kLongInfo(300, 'i');
const std::string kLongTitle(64, 'h');
const std::string kTip127(127, 'p');
const std::string kTip128(128, 'q');

std::vector<FieldCase> FieldCases() {
  std::vector<FieldCase> cases;
  cases.push_back({"nothing present", {}, {}});
  {
    NotifyIconFields f;
    f.size = 488;
    f.window = 0x00012345;
    f.id = 1;
    f.flags = 7;
    f.callbackMessage = 12313;
    f.icon = 0xABCD0123;
    f.tip = "tip";
    cases.push_back({"the fields of an add",
                     f,
                     {{0, Number(488)},
                      {4, Number(0x00012345)},
                      {8, Number(1)},
                      {12, Number(7)},
                      {16, Number(0x3019)},
                      {20, Number(0xABCD0123)},
                      {24, Terminated("tip")}}});
  }
  {
    NotifyIconFields f;
    f.state = 0x11111111;
    f.stateMask = 0x22222222;
    f.timeout = 10000;
    f.infoFlags = 3;
    cases.push_back({"numbers between the texts",
                     f,
                     {{152, Number(0x11111111)}, {156, Number(0x22222222)}, {416, Number(10000)}, {484, Number(3)}}});
  }
  {
    NotifyIconFields f;
    f.tip = kLongTip;
    cases.push_back({"a 200-byte tip keeps 127 bytes and a NUL", f, {{24, Terminated(kLongTip.substr(0, 127))}}});
  }
  {
    NotifyIconFields f;
    f.tip = kTip127;
    cases.push_back({"a 127-byte tip fits exactly", f, {{24, Terminated(kTip127)}}});
  }
  {
    NotifyIconFields f;
    f.tip = kTip128;
    cases.push_back({"a 128-byte tip loses its last byte", f, {{24, Terminated(kTip128.substr(0, 127))}}});
  }
  {
    NotifyIconFields f;
    f.info = kLongInfo;
    f.infoTitle = kLongTitle;
    cases.push_back({"long balloon texts are cut to 255 and 63 bytes",
                     f,
                     {{160, Terminated(kLongInfo.substr(0, 255))}, {420, Terminated(kLongTitle.substr(0, 63))}}});
  }
  {
    NotifyIconFields f;
    f.tip = "";
    f.info = std::string_view("a\0b", 3);
    cases.push_back({"an empty tip writes only its NUL, an inner NUL is copied", f, {{24, std::string(1, '\0')}, {160, std::string("a\0b\0", 4)}}});
  }
  {
    NotifyIconFields f;
    f.tip = "\xC7\xEB\xBD\xAB";  // double-byte text is copied byte for byte
    f.flags = 31;
    cases.push_back({"a double-byte tip", f, {{12, Number(31)}, {24, Terminated("\xC7\xEB\xBD\xAB")}}});
  }
  return cases;
}

TEST(WriteNotifyIconFields, WritesOnlyThePresentFieldsAtTheirOffsets) {
  for (const FieldCase& c : FieldCases()) {
    SCOPED_TRACE(c.name);
    std::array<uint8_t, kNotifyIconBlockSize> block;
    block.fill(kUntouched);
    std::array<uint8_t, kNotifyIconBlockSize> expected = block;
    for (const auto& [offset, bytes] : c.written) {
      for (size_t i = 0; i < bytes.size(); ++i) expected[offset + i] = static_cast<uint8_t>(bytes[i]);
    }
    WriteNotifyIconFields(block.data(), c.fields);
    for (size_t offset = 0; offset < block.size(); ++offset) {
      ASSERT_EQ(block[offset], expected[offset]) << "at offset " << offset;
    }
  }
}

TEST(WriteNotifyIconFields, NullBlockIsLeftAlone) {
  NotifyIconFields f;
  f.size = 488;
  f.tip = kLongTip;
  WriteNotifyIconFields(nullptr, f);  // must not crash
}

TEST(NotifyIconBlock, AllocatesZeroFilledAndReadsBackNumbers) {
  NotifyIconBlock block = NotifyIconBlock::Allocate();
  ASSERT_TRUE(block);
  const auto* bytes = static_cast<const uint8_t*>(block.data());
  for (size_t i = 0; i < kNotifyIconBlockSize; ++i) ASSERT_EQ(bytes[i], 0) << i;
  NotifyIconFields f;
  f.timeout = 1234;
  block.Write(f);
  EXPECT_EQ(block.ReadNumber(layout::kTimeout), 1234u);
  block.Free();
  EXPECT_FALSE(block);
  EXPECT_EQ(block.ReadNumber(layout::kTimeout), 0u);
}

// What the tray operations hand the shell.
struct ShellCall {
  DWORD message;
  std::array<uint8_t, kNotifyIconBlockSize> block;

  uint32_t NumberAt(size_t offset) const {
    uint32_t value;
    std::memcpy(&value, block.data() + offset, sizeof value);
    return value;
  }
  std::string TextAt(size_t offset) const { return std::string(reinterpret_cast<const char*>(block.data() + offset)); }
};
std::vector<ShellCall> shellCalls;
BOOL shellAnswer = TRUE;

BOOL RecordingShellNotify(DWORD message, void* block) {
  ShellCall call{message, {}};
  std::memcpy(call.block.data(), block, kNotifyIconBlockSize);
  shellCalls.push_back(call);
  return shellAnswer;
}

constexpr int32_t kTrayDialogTemplate = 400;  // test_tray_icon.rc

HICON MakeIcon() {
  static const BYTE andMask[32 * 4] = {};
  static const BYTE xorMask[32 * 4] = {};
  return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IconAlive(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return false;
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return true;
}

uint32_t Word(const void* handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }

class TrayDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindowRegistry()) CreateRegistries();
    programModule.moduleHandle = GetModuleHandleA(nullptr);
    shellCalls.clear();
    shellAnswer = TRUE;
    shellNotifyFunction = RecordingShellNotify;
    ASSERT_TRUE(dialog.LoadModeless(nullptr, kTrayDialogTemplate));
    window = dialog.GetHandle();
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    shellNotifyFunction = SystemShellNotify;
  }
  // The registered message arrives the way the shell broadcasts it.
  void TaskbarRecreated() { SendMessageA(window, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

  DialogWindow dialog;
  HWND window = nullptr;
};

TEST_F(TrayDialog, WithoutAnAddEveryOtherOperationIsFalseAndSilent) {
  HICON icon = MakeIcon();
  EXPECT_FALSE(dialog.SetTrayTip("tip"));
  EXPECT_FALSE(dialog.SetTrayIcon(icon));
  EXPECT_FALSE(dialog.DisplayTrayBalloon("text"));
  EXPECT_FALSE(dialog.RemoveTrayIcon());
  TaskbarRecreated();
  EXPECT_TRUE(shellCalls.empty());
  EXPECT_FALSE(dialog.trayData);
  DestroyIcon(icon);
}

TEST_F(TrayDialog, AddWritesTheWholeIconDescription) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(icon, "hello"));
  EXPECT_NE(dialog.taskbarCreatedMessage, 0u);
  EXPECT_EQ(dialog.taskbarCreatedMessage, RegisterWindowMessageA("TaskbarCreated"));
  EXPECT_EQ(dialog.trayIcon.get(), icon);
  ASSERT_EQ(shellCalls.size(), 1u);
  const ShellCall& add = shellCalls[0];
  EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(add.NumberAt(layout::kSize), 488u);
  EXPECT_EQ(add.NumberAt(layout::kWindow), Word(window));
  EXPECT_EQ(add.NumberAt(layout::kId), 1u);
  EXPECT_EQ(add.NumberAt(layout::kFlags), 7u);
  EXPECT_EQ(add.NumberAt(layout::kCallbackMessage), 0x3019u);
  EXPECT_EQ(add.NumberAt(layout::kIcon), Word(icon));
  EXPECT_EQ(add.TextAt(layout::kTip), "hello");
  for (size_t offset = layout::kState; offset < kNotifyIconBlockSize; ++offset) {
    ASSERT_EQ(add.block[offset], 0) << "untouched, zero-filled at " << offset;
  }
}

TEST_F(TrayDialog, AddReportsTheShellsAnswerAndStartsOverEachTime) {
  HICON first = MakeIcon();
  HICON second = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(first));
  EXPECT_EQ(shellCalls.back().TextAt(layout::kTip), "");
  ASSERT_TRUE(dialog.DisplayTrayBalloon("old balloon"));
  shellAnswer = FALSE;  // the shell refuses a second add for the same window and id
  EXPECT_FALSE(dialog.AddTrayIcon(second, "new"));
  EXPECT_FALSE(IconAlive(first));
  EXPECT_EQ(dialog.trayIcon.get(), second);
  const ShellCall& add = shellCalls.back();
  EXPECT_EQ(add.message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(add.TextAt(layout::kTip), "new");
  EXPECT_EQ(add.TextAt(layout::kInfo), "") << "a fresh block";
  shellAnswer = TRUE;
  EXPECT_TRUE(dialog.SetTrayTip("still there"));
}

TEST_F(TrayDialog, TipIconAndBalloonModifyTheKeptBlock) {
  HICON first = MakeIcon();
  HICON second = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(first, "tip"));

  const std::string longTip(200, 'x');
  ASSERT_TRUE(dialog.SetTrayTip(longTip.c_str()));
  EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kFlags), 7u);
  EXPECT_EQ(shellCalls.back().TextAt(layout::kTip), longTip.substr(0, 127));
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kIcon), Word(first));

  ASSERT_TRUE(dialog.SetTrayIcon(second));
  EXPECT_FALSE(IconAlive(first));
  EXPECT_EQ(dialog.trayIcon.get(), second);
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kIcon), Word(second));
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kFlags), 7u);
  ASSERT_TRUE(dialog.SetTrayIcon(second));
  EXPECT_TRUE(IconAlive(second)) << "giving the shown icon again does not destroy it";

  ASSERT_TRUE(dialog.DisplayTrayBalloon("only text"));
  const ShellCall& balloon = shellCalls.back();
  EXPECT_EQ(balloon.message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(balloon.NumberAt(layout::kFlags), 31u);
  EXPECT_EQ(balloon.TextAt(layout::kInfo), "only text");
  EXPECT_EQ(balloon.TextAt(layout::kInfoTitle), "");
  EXPECT_EQ(balloon.NumberAt(layout::kInfoFlags), 1u);
  EXPECT_EQ(balloon.NumberAt(layout::kTimeout), 10000u);
  EXPECT_EQ(balloon.TextAt(layout::kTip), longTip.substr(0, 127)) << "the block keeps the latest tip";

  ASSERT_TRUE(dialog.DisplayTrayBalloon("warning", "title", 2, 500));
  EXPECT_EQ(shellCalls.back().TextAt(layout::kInfoTitle), "title");
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kInfoFlags), 2u);
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kTimeout), 500u);

  shellAnswer = FALSE;
  EXPECT_FALSE(dialog.SetTrayTip("refused"));
}

TEST_F(TrayDialog, TaskbarRecreationReAddsTheLatestIconWithFlags7) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(icon, "tip"));
  ASSERT_TRUE(dialog.DisplayTrayBalloon("balloon"));
  shellCalls.clear();
  TaskbarRecreated();
  ASSERT_EQ(shellCalls.size(), 2u);
  EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shellCalls[1].message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(shellCalls[1].NumberAt(layout::kFlags), 7u);
  EXPECT_EQ(shellCalls[1].NumberAt(layout::kIcon), Word(icon));
  EXPECT_EQ(shellCalls[1].TextAt(layout::kTip), "tip");
  EXPECT_EQ(shellCalls[1].NumberAt(layout::kWindow), Word(window));
}

TEST_F(TrayDialog, RemoveReleasesIconAndBlockSoNothingComesBack) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(icon, "tip"));
  ASSERT_TRUE(dialog.RemoveTrayIcon());
  EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kWindow), Word(window));
  EXPECT_EQ(shellCalls.back().NumberAt(layout::kId), 1u);
  EXPECT_FALSE(IconAlive(icon));
  EXPECT_FALSE(dialog.trayIcon);
  EXPECT_FALSE(dialog.trayData);

  shellCalls.clear();
  TaskbarRecreated();
  EXPECT_TRUE(shellCalls.empty()) << "a removed icon is not re-added from its destroyed handle";
  EXPECT_FALSE(dialog.SetTrayTip("tip"));
  EXPECT_FALSE(dialog.RemoveTrayIcon());
  EXPECT_TRUE(shellCalls.empty());

  HICON again = MakeIcon();
  EXPECT_TRUE(dialog.AddTrayIcon(again, "again"));
  TaskbarRecreated();
  EXPECT_EQ(shellCalls.back().TextAt(layout::kTip), "again");
}

TEST_F(TrayDialog, RemoveRefusedByTheShellStillEndsTheIcon) {
  ASSERT_TRUE(dialog.AddTrayIcon(MakeIcon()));
  shellAnswer = FALSE;
  EXPECT_FALSE(dialog.RemoveTrayIcon());
  EXPECT_FALSE(dialog.trayData);
}

TEST_F(TrayDialog, DestroyingTheWindowTakesTheIconAway) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(icon, "tip"));
  shellCalls.clear();
  DestroyWindow(window);
  ASSERT_EQ(shellCalls.size(), 1u);
  EXPECT_EQ(shellCalls[0].message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_FALSE(IconAlive(icon));
  EXPECT_FALSE(dialog.trayData);
  EXPECT_EQ(dialog.taskbarCreatedMessage, 0u);
}

TEST_F(TrayDialog, ACloneEndingLeavesTheOriginalsIconShown) {
  HICON icon = MakeIcon();
  ASSERT_TRUE(dialog.AddTrayIcon(icon, "tip"));
  shellCalls.clear();
  dialog.Clone().reset();
  EXPECT_TRUE(shellCalls.empty()) << "the copy names the same window and id";
  EXPECT_TRUE(IconAlive(icon));
  EXPECT_TRUE(dialog.SetTrayTip("still shown"));
  EXPECT_EQ(shellCalls.back().message, static_cast<DWORD>(NIM_MODIFY));
}

}  // namespace
}  // namespace rc2e
