// The real rc2e.exe started under Wine as a user would start it, watched from this separate
// process: its window and status bar, a file dragged onto it from an X client over XDND, the
// clipboard while it runs, its exit code, and the "DLL ERROR" box when the library is missing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_test_support.h"

namespace rc2e {
namespace {

using testing::ClipboardText;
using testing::FolderOfThisProgram;
using testing::kMainCaption;
using testing::TopLevelWindowOf;
using testing::WaitUntil;
using testing::WindowText;

constexpr int32_t kStatusBarId = 1001;
const char* const kPrompt = "请将RC拖入";
const char* const kCopied = "代码已复制到剪辑版";
const char* const kMissingLibraryText = "同目录下无法找到DLL文件:\"Get_Information.dll\".请与作者联系.";

// rc2e.exe started from its folder with the scratch folder as current directory; ended by
// force if a test leaves it running.
class RunningProgram {
 public:
  RunningProgram(const std::string& exe, const std::string& currentFolder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                              &startup, &process_) != 0;
  }
  ~RunningProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  HWND WaitForWindow(const char* className, const char* caption) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = TopLevelWindowOf(process_.dwProcessId, className, caption)) != nullptr; });
    return window;
  }
  // The exit code, or STILL_ACTIVE when the process has not ended in time.
  DWORD WaitForExit(DWORD timeoutMs = 15000) const {
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_{};
};

std::string UnixPathOf(const std::string& windowsPath) {
  using UnixFileName = char*(CDECL*)(const WCHAR*);
  auto toUnix = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  WCHAR wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
  char* unix = toUnix(wide);
  if (!unix) return {};
  std::string path(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

// Drags the file onto the middle of the window's client area with the X client beside this
// test (Wine starts a Unix program given by its path; its exit code does not come back).
bool DropOverXdnd(HWND window, const std::string& windowsPath) {
  RECT client{};
  GetClientRect(window, &client);
  POINT middle{client.right / 2, client.bottom / 2};
  ClientToScreen(window, &middle);
  std::string unixPath = UnixPathOf(windowsPath);
  if (unixPath.empty()) return false;
  std::string tool = FolderOfThisProgram() + "xdnd-drop";
  std::string command = "xdnd-drop --at " + std::to_string(middle.x) + " " + std::to_string(middle.y) + " \"" +
                        unixPath + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(tool.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM found) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  std::string text = WindowText(child);
  if (lstrcmpiA(className, "Static") == 0 && !text.empty())
    reinterpret_cast<std::vector<std::string>*>(found)->push_back(text);
  return TRUE;
}

std::vector<std::string> StaticTextsOf(HWND box) {
  std::vector<std::string> texts;
  EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

TEST(Program, DroppedScriptReachesTheClipboardWhileItRunsAndCloseEndsWithZero) {
  std::string folder = testing::ScratchFolder("rc2e_program");
  std::string script = folder + "worked example.rc";
  ASSERT_TRUE(testing::WriteBytes(script, testing::WorkedExampleScript()));
  ASSERT_TRUE(testing::SetClipboardTextForTest("before the drop"));

  RunningProgram program(FolderOfThisProgram() + "rc2e.exe", folder);
  ASSERT_TRUE(program.started());
  HWND window = program.WaitForWindow(nullptr, kMainCaption);
  ASSERT_NE(window, nullptr) << "the window, found by its caption";
  HWND bar = GetDlgItem(window, kStatusBarId);
  EXPECT_EQ(WindowText(bar), kPrompt);

  ASSERT_TRUE(DropOverXdnd(window, script));
  std::string expected = testing::WorkedExampleFragment();
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == expected; }))
      << "clipboard holds: " << ClipboardText();
  EXPECT_TRUE(WaitUntil([&] { return WindowText(bar) == kCopied; })) << WindowText(bar);

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, MissingLibraryShowsTheDllErrorBoxThenEndsWithZero) {
  std::string folder = testing::ScratchFolder("rc2e_program_without_library");
  std::string exe = folder + "rc2e.exe";
  ASSERT_TRUE(CopyFileA((FolderOfThisProgram() + "rc2e.exe").c_str(), exe.c_str(), FALSE));
  DeleteFileA((folder + "Get_Information.dll").c_str());
  std::string script = folder + "worked_example.rc";
  ASSERT_TRUE(testing::WriteBytes(script, testing::WorkedExampleScript()));

  RunningProgram program(exe, folder);
  ASSERT_TRUE(program.started());
  HWND window = program.WaitForWindow(nullptr, kMainCaption);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(DropOverXdnd(window, script));

  HWND box = program.WaitForWindow("#32770", "DLL ERROR");
  ASSERT_NE(box, nullptr) << "the box, found by its caption";
  std::vector<std::string> texts = StaticTextsOf(box);
  EXPECT_EQ(texts, std::vector<std::string>{kMissingLibraryText});
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace rc2e
