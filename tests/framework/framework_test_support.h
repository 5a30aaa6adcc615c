// Test support for the framework: a log of what dispatch did for one action (hooks,
// events, the window's own procedure) compared with an expected table, recording
// objects and handlers, and a plain test window class. Used by GUI tests only.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/event.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"
#include "framework/window_base.h"

namespace rc2e::testing {

using Sequence = std::vector<std::string>;

inline std::string Hex(uintptr_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%#x", static_cast<unsigned>(value));
  return value == 0 ? "0x0" : text;
}


// What happened, in order, as readable lines; handles are shown by their test names.
class SequenceLog {
 public:
  static SequenceLog& Current() {
    static SequenceLog log;
    return log;
  }
  void Clear() {
    lines.clear();
    results.clear();
    watched.clear();
    procResults.clear();
  }
  void Add(const std::string& line) { lines.push_back(line); }
  void Name(const void* handle, const std::string& name) { names[reinterpret_cast<uintptr_t>(handle)] = name; }
  std::string NameOf(uintptr_t handle) const {
    auto found = names.find(handle);
    if (found != names.end()) return found->second;
    return Hex(handle);
  }
  std::string NameOf(const void* handle) const { return NameOf(reinterpret_cast<uintptr_t>(handle)); }
  // Result a recording event handler or hook returns, by its name; 0 when not set.
  int32_t ResultOf(const std::string& name) const {
    auto found = results.find(name);
    return found == results.end() ? 0 : found->second;
  }

  std::vector<std::string> lines;
  std::map<std::string, int32_t> results;
  std::set<UINT> watched;                // messages the test window procedure logs
  std::map<UINT, LRESULT> procResults;  // what it answers instead of DefWindowProcA
  std::map<uintptr_t, std::string> names;
};

inline SequenceLog& Log() { return SequenceLog::Current(); }

inline std::string MessageName(UINT message) {
  static const std::map<UINT, const char*> kNames = {
      {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_DRAWITEM, "WM_DRAWITEM"}, {WM_NOTIFY, "WM_NOTIFY"},
      {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
      {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"}, {WM_HSCROLL, "WM_HSCROLL"},
      {WM_VSCROLL, "WM_VSCROLL"}, {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX"},
      {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_MOVING, "WM_MOVING"}, {WM_DROPFILES, "WM_DROPFILES"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
      {WM_SETFONT, "WM_SETFONT"}, {WM_USER + 5, "WM_USER+5"}, {0x131, "0x131"}, {0x139, "0x139"}};
  auto found = kNames.find(message);
  return found != kNames.end() ? found->second : Hex(message);
}

// Expected and actual side by side, mismatching lines marked, when they differ.
inline ::testing::AssertionResult SequenceIs(const char* expectedText, const char*, const Sequence& expected,
                                             const Sequence& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  std::string report = std::string("sequence differs from ") + expectedText + "\n";
  size_t rows = expected.size() > actual.size() ? expected.size() : actual.size();
  for (size_t i = 0; i < rows; ++i) {
    std::string want = i < expected.size() ? expected[i] : "(none)";
    std::string got = i < actual.size() ? actual[i] : "(none)";
    report += (want == got ? "    " : " >> ") + std::to_string(i) + ": expected \"" + want + "\"";
    if (want != got) report += "  got \"" + got + "\"";
    report += "\n";
  }
  return ::testing::AssertionFailure() << report;
}
#define EXPECT_SEQUENCE(expected) EXPECT_PRED_FORMAT2(::rc2e::testing::SequenceIs, expected, ::rc2e::testing::Log().lines)

// Event handlers that log "<event> <arguments>" and return the result set for them.
// Arguments show as signed values; OnPaint's device context as "dc", OnFileDrop's text
// quoted. Arguments beyond those the event defines must be 0.
inline int32_t RecordEvent(const char* name, int defined, const EventArg (&args)[7]) {
  std::string line = name;
  std::string event = name;
  for (int i = 0; i < defined; ++i) {
    if (event == "OnPaint" && i == 0) {
      line += args[0] ? " dc" : " 0";
    } else if (event == "OnFileDrop") {
      line += args[0] ? " \"" + std::string(reinterpret_cast<const char*>(args[0])) + "\"" : " null";
    } else {
      line += " " + std::to_string(static_cast<int32_t>(args[i]));
    }
  }
  for (int i = defined; i < 7; ++i) {
    if (args[i] != 0) line += " [argument " + std::to_string(i + 1) + " not 0]";
  }
  Log().Add(line);
  return Log().ResultOf(name);
}

#define RC2E_RECORDING_EVENT(Name, Defined)                                                                  \
  inline int32_t Record##Name(EventArg a1, EventArg a2, EventArg a3, EventArg a4, EventArg a5, EventArg a6, \
                              EventArg a7) {                                                                 \
    const EventArg args[7] = {a1, a2, a3, a4, a5, a6, a7};                                                   \
    return RecordEvent(#Name, Defined, args);                                                                \
  }
RC2E_RECORDING_EVENT(OnLeftButtonDown, 3)
RC2E_RECORDING_EVENT(OnLeftButtonUp, 3)
RC2E_RECORDING_EVENT(OnLeftDoubleClick, 3)
RC2E_RECORDING_EVENT(OnRightButtonDown, 3)
RC2E_RECORDING_EVENT(OnRightButtonUp, 3)
RC2E_RECORDING_EVENT(OnMouseMove, 3)
RC2E_RECORDING_EVENT(OnGotFocus, 0)
RC2E_RECORDING_EVENT(OnLostFocus, 0)
RC2E_RECORDING_EVENT(OnKeyDown, 2)
RC2E_RECORDING_EVENT(OnKeyUp, 2)
RC2E_RECORDING_EVENT(OnChar, 1)
RC2E_RECORDING_EVENT(OnMouseWheel, 2)
RC2E_RECORDING_EVENT(OnFileDrop, 1)
RC2E_RECORDING_EVENT(OnMouseEnter, 0)
RC2E_RECORDING_EVENT(OnMouseLeave, 0)
RC2E_RECORDING_EVENT(OnPaint, 5)
#undef RC2E_RECORDING_EVENT

// Sets all sixteen recording handlers through the object's setters.
inline void SetAllRecordingEvents(WindowBase& object) {
  object.SetOnLeftButtonDown(RecordOnLeftButtonDown);
  object.SetOnLeftButtonUp(RecordOnLeftButtonUp);
  object.SetOnLeftDoubleClick(RecordOnLeftDoubleClick);
  object.SetOnRightButtonDown(RecordOnRightButtonDown);
  object.SetOnRightButtonUp(RecordOnRightButtonUp);
  object.SetOnMouseMove(RecordOnMouseMove);
  object.SetOnGotFocus(RecordOnGotFocus);
  object.SetOnLostFocus(RecordOnLostFocus);
  object.SetOnKeyDown(RecordOnKeyDown);
  object.SetOnKeyUp(RecordOnKeyUp);
  object.SetOnChar(RecordOnChar);
  object.SetOnMouseWheel(RecordOnMouseWheel);
  object.SetOnFileDrop(RecordOnFileDrop);
  object.SetOnMouseEnter(RecordOnMouseEnter);
  object.SetOnMouseLeave(RecordOnMouseLeave);
  object.SetOnPaint(RecordOnPaint);
}

// A window object whose dispatch-called operations log "<name> <Operation> <arguments>"
// and then do what WindowBase does, unless a result is set for "<Operation>".
class RecordingWindow : public WindowBase {
 public:
  explicit RecordingWindow(std::string name) : name_(std::move(name)) {}

  LRESULT ReflectCommand(HWND parent, HWND control, int32_t code, int32_t id) override {
    Note("ReflectCommand " + Named(parent) + " " + Named(control) + " " + std::to_string(code) + " " +
         std::to_string(id));
    return Or("ReflectCommand", WindowBase::ReflectCommand(parent, control, code, id));
  }
  LRESULT ReflectNotify(HWND parent, HWND sender, int32_t code, int32_t id, NMHDR* header) override {
    Note("ReflectNotify " + Named(parent) + " " + Named(sender) + " " + std::to_string(code) + " " +
         std::to_string(id) + (header ? " header" : " null"));
    return Or("ReflectNotify", WindowBase::ReflectNotify(parent, sender, code, id, header));
  }
  LRESULT ReflectColor(HWND control, HDC dc) override {
    Note("ReflectColor " + Named(control) + " " + Hex(reinterpret_cast<uintptr_t>(dc)));
    return Or("ReflectColor", WindowBase::ReflectColor(control, dc));
  }
  LRESULT HookSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    Note("HookSetCursor " + Named(reinterpret_cast<HWND>(wParam)) + " " + Hex(static_cast<uintptr_t>(lParam)));
    return Or("HookSetCursor", WindowBase::HookSetCursor(window, message, wParam, lParam));
  }
  LRESULT HookPaint(HWND window) override {
    Note("HookPaint");
    return Or("HookPaint", WindowBase::HookPaint(window));
  }
  LRESULT HookEraseBackground(HWND window, HDC dc) override {
    Note("HookEraseBackground " + Hex(reinterpret_cast<uintptr_t>(dc)));
    return Or("HookEraseBackground", WindowBase::HookEraseBackground(window, dc));
  }
  LRESULT ReflectScroll(int32_t code, int32_t position, HWND scrollBar) override {
    Note("ReflectScroll " + std::to_string(code) + " " + std::to_string(position) + " " + Named(scrollBar));
    return Or("ReflectScroll", WindowBase::ReflectScroll(code, position, scrollBar));
  }
  LRESULT HookMouseMove(HWND window, int32_t x, int32_t y) override {
    Note("HookMouseMove " + std::to_string(x) + " " + std::to_string(y));
    return WindowBase::HookMouseMove(window, x, y);
  }
  LRESULT ReflectDrawItem(int32_t id, DRAWITEMSTRUCT* item) override {
    Note("ReflectDrawItem " + std::to_string(id) + (item ? " item" : " null"));
    return Or("ReflectDrawItem", WindowBase::ReflectDrawItem(id, item));
  }
  LRESULT HookMouseLeave(HWND window) override {
    Note("HookMouseLeave");
    return WindowBase::HookMouseLeave(window);
  }
  void HookLeftButtonDown(HWND window, LPARAM position) override {
    Note("HookLeftButtonDown " + Hex(static_cast<uintptr_t>(position)));
    WindowBase::HookLeftButtonDown(window, position);
  }
  void HookLeftDoubleClick(HWND window, LPARAM position) override {
    Note("HookLeftDoubleClick " + Hex(static_cast<uintptr_t>(position)));
    WindowBase::HookLeftDoubleClick(window, position);
  }
  void HookKeyDown(HWND window, WPARAM key) override {
    Note("HookKeyDown " + Hex(key));
    WindowBase::HookKeyDown(window, key);
  }
  LRESULT HookMoving(HWND window, RECT* rect) override {
    Note("HookMoving " + (rect ? std::to_string(rect->left) + "," + std::to_string(rect->top) + "," +
                                     std::to_string(rect->right) + "," + std::to_string(rect->bottom)
                               : std::string("null")));
    return Or("HookMoving", WindowBase::HookMoving(window, rect));
  }
  LRESULT HookMove(HWND window, int32_t x, int32_t y) override {
    Note("HookMove " + std::to_string(x) + " " + std::to_string(y));
    return Or("HookMove", WindowBase::HookMove(window, x, y));
  }
  void HookLeftButtonUp(HWND window, LPARAM position) override {
    Note("HookLeftButtonUp " + Hex(static_cast<uintptr_t>(position)));
    WindowBase::HookLeftButtonUp(window, position);
  }
  void HookSize(int32_t width, int32_t height) override {
    Note("HookSize " + std::to_string(width) + " " + std::to_string(height));
    WindowBase::HookSize(width, height);
  }
  void HookDestroyed(HWND window) override {
    Note("HookDestroyed " + Named(window));
    WindowBase::HookDestroyed(window);
  }
  LRESULT DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (logDialogMessages) Note("DialogMessage " + MessageName(message));
    return WindowBase::DialogMessage(window, message, wParam, lParam);
  }
  LRESULT DefaultOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (Log().watched.count(message)) Note("DefaultOwnerMessage " + MessageName(message));
    return WindowBase::DefaultOwnerMessage(window, message, wParam, lParam);
  }

  bool logDialogMessages = false;

 private:
  void Note(const std::string& what) { Log().Add(name_ + " " + what); }
  static std::string Named(HWND window) { return Log().NameOf(window); }
  LRESULT Or(const char* operation, LRESULT byDefault) {
    auto found = Log().results.find(operation);
    return found == Log().results.end() ? byDefault : found->second;
  }
  std::string name_;
};

// The window procedure of the test class: logs watched messages as
// "proc <window> <message> <wParam> <lParam>" (named values by name, others in hex) and answers DefWindowProcA or a set result.
inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SequenceLog& log = Log();
  if (log.watched.count(message)) {
    log.Add("proc " + log.NameOf(window) + " " + MessageName(message) + " " + log.NameOf(wParam) + " " +
            log.NameOf(static_cast<uintptr_t>(lParam)));
    auto answer = log.procResults.find(message);
    if (answer != log.procResults.end()) return answer->second;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

inline const char* TestWindowClass() {
  static const ATOM kRegistered = [] {
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = "FrameworkTestWindow";
    return RegisterClassA(&windowClass);
  }();
  return kRegistered ? "FrameworkTestWindow" : nullptr;
}

// A window of the test class; destroyed with the value unless already gone.
class TestWindow {
 public:
  TestWindow(const char* name, DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
             int id = 0, DWORD exStyle = 0, const char* className = nullptr) {
    handle = CreateWindowExA(exStyle, className ? className : TestWindowClass(), name, style, x, y, width, height,
                             parent, reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr),
                             nullptr);
    Log().Name(handle, name);
  }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() {
    if (IsWindow(handle)) DestroyWindow(handle);
  }
  HWND handle;
};

// Module values and registries as start-up leaves them.
inline void PrepareFramework() {
  programModule.moduleHandle = GetModuleHandleA(nullptr);
  programModule.controlIdCounter = 500;
  CreateRegistries();
}

// Delivers whatever is queued for this thread.
inline void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace rc2e::testing
