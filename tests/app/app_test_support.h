// Shared pieces of the program tests: the scripts they drop with the fragments expected on
// the clipboard, files in a scratch folder, clipboard access, drop blocks, finding windows and polling.
// No test logic here; every helper acts like a user or another program would.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/clipboard_text.h"
#include "tests/support/worked_example.h"

namespace rc2e::testing {

inline const char* const kMainCaption = "砚舟代码生成器【拾柳专版】";

// A second, different script: a dialog with one edit control.
inline std::string OtherScript() {
  return JoinLines({"#define IDD_OTHER 200", "#define IDC_NAME 201", "", "IDD_OTHER DIALOGEX 0, 0, 100, 50",
                    "BEGIN", "    CONTROL \"\", IDC_NAME, \"Edit\", 0, 1, 1, 50, 12", "END", ""});
}

inline std::string OtherFragment() {
  return JoinLines({"", ".程序集变量 IDD_OTHER, 对话框类", ".程序集变量 IDC_NAME, 编辑框类",
                    ".程序集变量 窗口句柄, 整数型", "", "", ".子程序 _启动子程序, 整数型, ,", "",
                    "IDD_OTHER.载入 (, 200, &对话框创建完毕)", "", "返回 (0)", "", "", ".子程序 对话框创建完毕",
                    ".参数 hwnd, 整数型", "", "窗口句柄 = hwnd", "", "IDC_NAME.绑定 (hwnd, 201)", "",
                    "设置组件属性 ()", "", "挂接事件 ()", "", "", ".子程序 设置组件属性", "", "",
                    ".子程序 挂接事件"});
}

// A fresh folder under the temporary folder, ending in a backslash.
inline std::string ScratchFolder(const char* name) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + "\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path);
  return text.substr(0, text.find_last_of('\\') + 1);
}

inline bool SetClipboardTextForTest(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  bool ok = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  return ok;
}

// A drop handle as the shell makes it: DROPFILES, then the ANSI paths, each NUL-terminated,
// and a final NUL. The receiver releases it with DragFinish.
inline HDROP MakeDropHandle(const std::vector<std::string>& paths) {
  size_t bytes = sizeof(DROPFILES) + 1;
  for (const std::string& p : paths) bytes += p.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* cursor = reinterpret_cast<char*>(header + 1);
  for (const std::string& p : paths) {
    std::memcpy(cursor, p.c_str(), p.size() + 1);
    cursor += p.size() + 1;
  }
  GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

// The visible top-level window of the process with this class (null: any) and caption, or null;
// a program's window counts once it is shown, that is once it is set up.
inline HWND TopLevelWindowOf(DWORD process, const char* className, const char* caption) {
  for (HWND w = FindWindowExA(nullptr, nullptr, className, caption); w;
       w = FindWindowExA(nullptr, w, className, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == process && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// The window text of a window of another thread or process (WM_GETTEXT is marshalled).
inline std::string WindowText(HWND window) {
  char text[512] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &length);
  return text;
}

// Polls until the condition holds or the time is up; whether it held.
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace rc2e::testing
