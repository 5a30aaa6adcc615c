// Message-sequence tests of dispatch on real windows: for each message, the hooks, events
// and arguments seen and whether the window's own procedure got the message, compared
// with a table named after the scenario; plus reflection to child objects, drops,
// mouse enter/leave, re-entry and the dialog and owner procedures.
#include "framework/dispatch.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

#include <memory>
#include <string>
#include <vector>

#include "tests/framework/framework_test_support.h"

namespace rc2e {
namespace {

using testing::Log;
using testing::RecordingWindow;
using testing::Sequence;
using testing::SetAllRecordingEvents;
using testing::TestWindow;

constexpr LRESULT kProcAnswer = 77;  // what the window's own procedure answers when reached
constexpr int kChildId = 7;
constexpr int kOtherId = 9;

class Dispatch : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::PrepareFramework(); }

  void SetUp() override {
    Log().Clear();
    main = std::make_unique<TestWindow>("main", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300);
    child = std::make_unique<TestWindow>("child", WS_CHILD | WS_VISIBLE, 10, 10, 60, 20, main->handle, kChildId);
    other = std::make_unique<TestWindow>("other", WS_CHILD | WS_VISIBLE, 10, 40, 60, 20, main->handle, kOtherId);
    ASSERT_EQ(mainObject.AttachHandle(main->handle), main->handle);
    ASSERT_EQ(childObject.AttachHandle(child->handle), child->handle);
    SetAllRecordingEvents(mainObject);
  }

  void TearDown() override {
    Log().watched.clear();
    other.reset();
    child.reset();
    main.reset();
  }

  // Sends one message to the main window with a fresh log; its own procedure answers
  // kProcAnswer when the message reaches it.
  LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam, HWND to = nullptr) {
    Log().lines.clear();
    Log().watched.insert(message);
    Log().procResults[message] = kProcAnswer;
    return SendMessageA(to ? to : main->handle, message, wParam, lParam);
  }

  RecordingWindow mainObject{"main"};
  RecordingWindow childObject{"child"};
  std::unique_ptr<TestWindow> main;
  std::unique_ptr<TestWindow> child;
  std::unique_ptr<TestWindow> other;
};

// Messages whose arguments are plain values: each row is one scenario.
struct MessageScenario {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::map<std::string, int32_t> results;  // event handler or hook results
  Sequence expected;
  LRESULT result;
};

RECT movingRect{1, 2, 3, 4};

const std::vector<MessageScenario>& MessageScenarios() {
  const LPARAM at3x5 = MAKELPARAM(3, 5);
  const LPARAM rect = reinterpret_cast<LPARAM>(&movingRect);
  static const std::vector<MessageScenario> kScenarios = {
      {"LeftButtonDownPassedOn", WM_LBUTTONDOWN, 0, at3x5, {},
       {"main HookLeftButtonDown 0x50003", "OnLeftButtonDown 3 5 0", "proc main WM_LBUTTONDOWN 0x0 0x50003"},
       kProcAnswer},
      {"LeftButtonDownHandled", WM_LBUTTONDOWN, 0, at3x5, {{"OnLeftButtonDown", 9}},
       {"main HookLeftButtonDown 0x50003", "OnLeftButtonDown 3 5 0"}, 9},
      {"LeftButtonUpPassedOn", WM_LBUTTONUP, 0, at3x5, {},
       {"main HookLeftButtonUp 0x50003", "OnLeftButtonUp 3 5 0", "proc main WM_LBUTTONUP 0x0 0x50003"}, kProcAnswer},
      {"LeftDoubleClickHandled", WM_LBUTTONDBLCLK, 0, at3x5, {{"OnLeftDoubleClick", -1}},
       {"main HookLeftDoubleClick 0x50003", "OnLeftDoubleClick 3 5 0"}, -1},
      {"PackedMinusOneIsX65535AndYMinusOne", WM_LBUTTONDOWN, 0, -1, {},
       {"main HookLeftButtonDown 0xffffffff", "OnLeftButtonDown 65535 -1 0",
        "proc main WM_LBUTTONDOWN 0x0 0xffffffff"},
       kProcAnswer},
      {"MouseKeyFlagsInWParamAreNotTheKeys", WM_LBUTTONDOWN, MK_CONTROL | MK_SHIFT, at3x5, {},
       {"main HookLeftButtonDown 0x50003", "OnLeftButtonDown 3 5 0", "proc main WM_LBUTTONDOWN 0xc 0x50003"},
       kProcAnswer},
      {"RightButtonDownPassedOn", WM_RBUTTONDOWN, 0, at3x5, {},
       {"OnRightButtonDown 3 5 0", "proc main WM_RBUTTONDOWN 0x0 0x50003"}, kProcAnswer},
      {"RightButtonUpHandled", WM_RBUTTONUP, 0, at3x5, {{"OnRightButtonUp", 2}}, {"OnRightButtonUp 3 5 0"}, 2},
      {"FirstMouseMoveEnters", WM_MOUSEMOVE, 0, at3x5, {},
       {"main HookMouseMove 3 5", "OnMouseEnter", "OnMouseMove 3 5 0", "proc main WM_MOUSEMOVE 0x0 0x50003"},
       kProcAnswer},
      {"MouseEnterNonzeroSuppressesThatMove", WM_MOUSEMOVE, 0, at3x5, {{"OnMouseEnter", 1}},
       {"main HookMouseMove 3 5", "OnMouseEnter"}, 0},
      {"MouseMoveHandled", WM_MOUSEMOVE, 0, MAKELPARAM(65535, 65535), {{"OnMouseMove", 6}},
       {"main HookMouseMove 65535 -1", "OnMouseEnter", "OnMouseMove 65535 -1 0"}, 6},
      {"GotFocusResultIgnored", WM_SETFOCUS, 0, 0, {{"OnGotFocus", 5}},
       {"OnGotFocus", "proc main WM_SETFOCUS 0x0 0x0"}, kProcAnswer},
      {"LostFocusPassedOn", WM_KILLFOCUS, 0, 0, {}, {"OnLostFocus", "proc main WM_KILLFOCUS 0x0 0x0"}, kProcAnswer},
      {"KeyDownPassedOn", WM_KEYDOWN, 'A', 0, {},
       {"main HookKeyDown 0x41", "OnKeyDown 65 0", "proc main WM_KEYDOWN 0x41 0x0"}, kProcAnswer},
      {"KeyDownHandled", WM_KEYDOWN, 'A', 0, {{"OnKeyDown", 1}}, {"main HookKeyDown 0x41", "OnKeyDown 65 0"}, 1},
      {"KeyUpPassedOn", WM_KEYUP, 'A', 0, {}, {"OnKeyUp 65 0", "proc main WM_KEYUP 0x41 0x0"}, kProcAnswer},
      {"CharHandled", WM_CHAR, 'a', 0, {{"OnChar", 3}}, {"OnChar 97"}, 3},
      {"MouseWheelDeltaSigned", WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0, {},
       {"OnMouseWheel -120 0", "proc main WM_MOUSEWHEEL 0xff880000 0x0"}, kProcAnswer},
      {"SetCursorWithoutOwnCursorPassedOn", WM_SETCURSOR, 0, HTCLIENT, {},
       {"main HookSetCursor 0x0 0x1", "proc main WM_SETCURSOR 0x0 0x1"}, kProcAnswer},
      {"EraseBackgroundPassedOn", WM_ERASEBKGND, 0, 0, {},
       {"main HookEraseBackground 0x0", "proc main WM_ERASEBKGND 0x0 0x0"}, kProcAnswer},
      {"EraseBackgroundHandled", WM_ERASEBKGND, 0, 0, {{"HookEraseBackground", 1}},
       {"main HookEraseBackground 0x0"}, 1},
      {"ScrollWithoutControlPassedOn", WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0, {},
       {"proc main WM_VSCROLL 0x1 0x0"}, kProcAnswer},
      {"MouseLeavePassedOn", WM_MOUSELEAVE, 0, 0, {},
       {"main HookMouseLeave", "OnMouseLeave", "proc main WM_MOUSELEAVE 0x0 0x0"}, kProcAnswer},
      {"MouseLeaveHandledAnswersOne", WM_MOUSELEAVE, 0, 0, {{"OnMouseLeave", 8}},
       {"main HookMouseLeave", "OnMouseLeave"}, 1},
      {"MovingPassedOn", WM_MOVING, 0, rect, {}, {"main HookMoving 1,2,3,4", "proc main WM_MOVING 0x0 rect"},
       kProcAnswer},
      {"MovingHandled", WM_MOVING, 0, rect, {{"HookMoving", 1}}, {"main HookMoving 1,2,3,4"}, 1},
      {"MoveSplitsUnsignedXSignedY", WM_MOVE, 0, MAKELPARAM(65534, 65533), {},
       {"main HookMove 65534 -3", "proc main WM_MOVE 0x0 0xfffdfffe"}, kProcAnswer},
      {"SizeAlwaysPassedOn", WM_SIZE, 0, MAKELPARAM(300, 200), {},
       {"main HookSize 300 200", "proc main WM_SIZE 0x0 0xc8012c"}, kProcAnswer},
      {"UnlistedMessagePassedOn", WM_USER + 5, 1, 2, {}, {"proc main WM_USER+5 0x1 0x2"}, kProcAnswer},
      {"NotifyWithoutHeaderPassedOn", WM_NOTIFY, 0, 0, {}, {"proc main WM_NOTIFY 0x0 0x0"}, kProcAnswer},
      {"DrawItemWithoutStructurePassedOn", WM_DRAWITEM, 0, 0, {}, {"proc main WM_DRAWITEM 0x0 0x0"}, kProcAnswer},
  };
  return kScenarios;
}

class DispatchScenario : public Dispatch, public ::testing::WithParamInterface<MessageScenario> {};

TEST_P(DispatchScenario, HooksEventsAndPassingOn) {
  const MessageScenario& scenario = GetParam();
  Log().Name(&movingRect, "rect");
  Log().results = scenario.results;
  LRESULT result = Send(scenario.message, scenario.wParam, scenario.lParam);
  EXPECT_SEQUENCE(scenario.expected);
  EXPECT_EQ(result, scenario.result);
}

INSTANTIATE_TEST_SUITE_P(Messages, DispatchScenario, ::testing::ValuesIn(MessageScenarios()),
                         [](const ::testing::TestParamInfo<MessageScenario>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Dispatch, CommandFromBoundControlReachesTheControlObject) {
  LRESULT result = Send(WM_COMMAND, MAKEWPARAM(kChildId, 0x8001), reinterpret_cast<LPARAM>(child->handle));
  const Sequence kCommandReflectedThenPassedOn = {"child ReflectCommand main child -32767 7",
                                                  "proc main WM_COMMAND 0x80010007 child"};
  EXPECT_SEQUENCE(kCommandReflectedThenPassedOn);
  EXPECT_EQ(result, kProcAnswer);

  Log().results["ReflectCommand"] = 4;
  result = Send(WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(child->handle));
  const Sequence kCommandHandledByControl = {"child ReflectCommand main child 0 7"};
  EXPECT_SEQUENCE(kCommandHandledByControl);
  EXPECT_EQ(result, 4);
}

TEST_F(Dispatch, CommandFromUnboundControlPassedOnUnchanged) {
  LRESULT result = Send(WM_COMMAND, MAKEWPARAM(kOtherId, 0xFFFF), reinterpret_cast<LPARAM>(other->handle));
  const Sequence kCommandPassedOnUnchanged = {"proc main WM_COMMAND 0xffff0009 other"};
  EXPECT_SEQUENCE(kCommandPassedOnUnchanged);
  EXPECT_EQ(result, kProcAnswer);
}

TEST_F(Dispatch, NotifyReflectsToTheSenderExceptTooltipTextRequests) {
  NMHDR header{child->handle, kChildId, static_cast<UINT>(NM_CLICK)};
  Log().Name(&header, "header");
  Send(WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header));
  const Sequence kNotifyReflected = {"child ReflectNotify main child -2 7 header",
                                     "proc main WM_NOTIFY 0x7 header"};
  EXPECT_SEQUENCE(kNotifyReflected);

  // A tooltip text request looks up its tool id in TooltipOwnerMap, which is empty, and
  // with id 0 finds no object at all, even from a bound sender.
  for (UINT_PTR id : {static_cast<UINT_PTR>(kChildId), static_cast<UINT_PTR>(0)}) {
    header = {child->handle, id, static_cast<UINT>(TTN_NEEDTEXTA)};
    Send(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    const Sequence kTooltipRequestPassedOn = {"proc main WM_NOTIFY " + testing::Hex(id) + " header"};
    EXPECT_SEQUENCE(kTooltipRequestPassedOn);
  }
}

TEST_F(Dispatch, ScrollFromBoundControlReflectsSignedPosition) {
  Log().results["ReflectScroll"] = 3;
  LRESULT result = Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0xFFFF), reinterpret_cast<LPARAM>(child->handle));
  const Sequence kScrollHandledByControl = {"child ReflectScroll 5 -1 child"};
  EXPECT_SEQUENCE(kScrollHandledByControl);
  EXPECT_EQ(result, 3);
}

TEST_F(Dispatch, ControlColorRangeReflectsToTheControl) {
  Log().results["ReflectColor"] = 0x1234;
  struct Case { UINT message; Sequence expected; LRESULT result; };
  const std::vector<Case> kCases = {
      {0x131, {"proc main 0x131 0x5 child"}, kProcAnswer},
      {WM_CTLCOLORMSGBOX, {"child ReflectColor child 0x5"}, 0x1234},
      {WM_CTLCOLORSTATIC, {"child ReflectColor child 0x5"}, 0x1234},
      {0x139, {"proc main 0x139 0x5 child"}, kProcAnswer},
  };
  for (const Case& c : kCases) {
    LRESULT result = Send(c.message, 5, reinterpret_cast<LPARAM>(child->handle));
    EXPECT_SEQUENCE(c.expected) << testing::MessageName(c.message);
    EXPECT_EQ(result, c.result) << testing::MessageName(c.message);
  }
  Log().results.clear();
  Send(WM_CTLCOLORSTATIC, 5, reinterpret_cast<LPARAM>(child->handle));
  const Sequence kColorDefaultPassedOn = {"child ReflectColor child 0x5", "proc main WM_CTLCOLORSTATIC 0x5 child"};
  EXPECT_SEQUENCE(kColorDefaultPassedOn);
}

TEST_F(Dispatch, DrawItemForBoundControlAnsweredOne) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.CtlID = kChildId;
  item.hwndItem = child->handle;
  Log().Name(&item, "item");
  LRESULT result = Send(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&item));
  const Sequence kDrawItemAnsweredByControl = {"child ReflectDrawItem 7 item"};
  EXPECT_SEQUENCE(kDrawItemAnsweredByControl);
  EXPECT_EQ(result, 1);

  item.hwndItem = other->handle;
  item.CtlID = kOtherId;
  result = Send(WM_DRAWITEM, kOtherId, reinterpret_cast<LPARAM>(&item));
  const Sequence kDrawItemForUnboundPassedOn = {"proc main WM_DRAWITEM 0x9 item"};
  EXPECT_SEQUENCE(kDrawItemForUnboundPassedOn);
  EXPECT_EQ(result, kProcAnswer);
}

TEST_F(Dispatch, PaintRaisesOnPaintWithTheUpdateRectangleThenTheHook) {
  ShowWindow(main->handle, SW_SHOWNOACTIVATE);
  UpdateWindow(main->handle);
  RECT area{10, 20, 110, 70};
  InvalidateRect(main->handle, &area, FALSE);
  LRESULT result = Send(WM_PAINT, 0, 0);
  const Sequence kPaintEventHookThenPassedOn = {"OnPaint dc 10 20 110 70", "main HookPaint",
                                                "proc main WM_PAINT 0x0 0x0"};
  EXPECT_SEQUENCE(kPaintEventHookThenPassedOn);
  EXPECT_EQ(result, kProcAnswer);
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(main->handle, &left, FALSE));  // BeginPaint validated it

  InvalidateRect(main->handle, &area, FALSE);
  Log().results["OnPaint"] = 2;
  result = Send(WM_PAINT, 0, 0);
  const Sequence kPaintHandledByEvent = {"OnPaint dc 10 20 110 70"};
  EXPECT_SEQUENCE(kPaintHandledByEvent);
  EXPECT_EQ(result, 2);
}

TEST_F(Dispatch, OwnCursorShownOnlyOverOwnClientArea) {
  HCURSOR own = CopyCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS)));
  ASSERT_NE(own, nullptr);
  mainObject.Cursor(own);
  WPARAM overMain = reinterpret_cast<WPARAM>(main->handle);
  WPARAM overChild = reinterpret_cast<WPARAM>(child->handle);

  SetCursor(nullptr);
  EXPECT_NE(Send(WM_SETCURSOR, overMain, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), kProcAnswer);
  const Sequence kOwnCursorShown = {"main HookSetCursor main 0x2000001"};
  EXPECT_SEQUENCE(kOwnCursorShown);
  EXPECT_EQ(GetCursor(), own);

  EXPECT_EQ(Send(WM_SETCURSOR, overMain, MAKELPARAM(HTCAPTION, WM_MOUSEMOVE)), kProcAnswer);
  EXPECT_EQ(Send(WM_SETCURSOR, overChild, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), kProcAnswer);
  const Sequence kOverChildPassedOn = {"main HookSetCursor child 0x2000001", "proc main WM_SETCURSOR child 0x2000001"};
  EXPECT_SEQUENCE(kOverChildPassedOn);
}

TEST_F(Dispatch, MouseEntersOncePerCrossing) {
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(mainObject.mouseInside, 1);
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  const Sequence kSecondMoveInside = {"main HookMouseMove 2 2", "OnMouseMove 2 2 0", "proc main WM_MOUSEMOVE 0x0 0x20002"};
  EXPECT_SEQUENCE(kSecondMoveInside);
  Send(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(mainObject.mouseInside, 0);
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  const Sequence kMoveAfterLeaveEntersAgain = {"main HookMouseMove 3 3", "OnMouseEnter", "OnMouseMove 3 3 0",
                                               "proc main WM_MOUSEMOVE 0x0 0x30003"};
  EXPECT_SEQUENCE(kMoveAfterLeaveEntersAgain);
}

TEST_F(Dispatch, LeaveHandlerAloneNeverArmsTheLeaveNotification) {
  mainObject.SetOnMouseEnter(nullptr);
  Send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(mainObject.mouseInside, 0);
  const Sequence kMoveWithoutEnterHandler = {"main HookMouseMove 1 1", "OnMouseMove 1 1 0",
                                             "proc main WM_MOUSEMOVE 0x0 0x10001"};
  EXPECT_SEQUENCE(kMoveWithoutEnterHandler);
}

// A real pointer crossing: the system's own WM_MOUSEMOVE and the WM_MOUSELEAVE that
// TrackMouseEvent arms.
TEST_F(Dispatch, RealPointerCrossingRaisesEnterAndLeaveOnce) {
  ShowWindow(main->handle, SW_SHOW);
  SetForegroundWindow(main->handle);
  UpdateWindow(main->handle);
  RECT client{};
  GetClientRect(main->handle, &client);
  POINT inside{client.right / 2, client.bottom / 2};
  ClientToScreen(main->handle, &inside);
  SetCursorPos(inside.x - 300 < 0 ? 0 : inside.x - 300, 5);
  testing::PumpMessages();
  Log().lines.clear();
  Log().watched = {};
  auto pumpFor = [](DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
      testing::PumpMessages();
      Sleep(10);
    }
  };
  auto count = [](const std::string& line) {
    int n = 0;
    for (const std::string& l : Log().lines) n += l == line;
    return n;
  };
  for (int crossing = 1; crossing <= 2; ++crossing) {
    SetCursorPos(inside.x, inside.y);
    pumpFor(300);
    SetCursorPos(inside.x + 1, inside.y + 1);
    pumpFor(300);
    SetCursorPos(inside.x - 300 < 0 ? 0 : inside.x - 300, 5);
    pumpFor(600);
    EXPECT_EQ(count("OnMouseEnter"), crossing);
    EXPECT_EQ(count("OnMouseLeave"), crossing);
    EXPECT_EQ(mainObject.mouseInside, 0);
  }
}

// Keys held on the keyboard at dispatch: Ctrl 1, Shift 2, Alt 4, summed.
TEST_F(Dispatch, KeysArgumentIsTheModifierKeysHeld) {
  auto press = [](WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  };
  auto settle = [] {
    for (int i = 0; i < 5; ++i) {
      testing::PumpMessages();
      Sleep(10);
    }
  };
  press(VK_CONTROL, true);
  settle();
  EXPECT_EQ(ModifierKeys(), kModifierControl);
  press(VK_SHIFT, true);
  settle();
  EXPECT_EQ(ModifierKeys(), kModifierControl | kModifierShift);
  Send(WM_RBUTTONDOWN, 0, MAKELPARAM(3, 5));
  const Sequence kControlShiftHeld = {"OnRightButtonDown 3 5 3", "proc main WM_RBUTTONDOWN 0x0 0x50003"};
  EXPECT_SEQUENCE(kControlShiftHeld);
  press(VK_CONTROL, false);
  press(VK_MENU, true);
  settle();
  EXPECT_EQ(ModifierKeys(), kModifierShift | kModifierAlt);
  Send(WM_KEYUP, 'A', 0);
  const Sequence kShiftAltHeld = {"OnKeyUp 65 6", "proc main WM_KEYUP 0x41 0x0"};
  EXPECT_SEQUENCE(kShiftAltHeld);
  press(VK_MENU, false);
  press(VK_SHIFT, false);
  settle();
  EXPECT_EQ(ModifierKeys(), 0);
}

TEST_F(Dispatch, NcDestroyDetachesThenPassesOn) {
  mainObject.SetFont(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  HFONT font = mainObject.font.get();
  Log().lines.clear();
  Log().watched = {WM_NCDESTROY};
  DestroyWindow(main->handle);
  // Children get their WM_NCDESTROY before the parent.
  const Sequence kDestroyDetachesEachBeforePassingOn = {
      "child HookDestroyed child", "proc child WM_NCDESTROY 0x0 0x0", "proc other WM_NCDESTROY 0x0 0x0",
      "main HookDestroyed main", "proc main WM_NCDESTROY 0x0 0x0"};
  EXPECT_SEQUENCE(kDestroyDetachesEachBeforePassingOn);
  EXPECT_EQ(mainObject.GetHandle(), nullptr);
  EXPECT_EQ(mainObject.previousProc, nullptr);
  EXPECT_EQ(mainObject.OnLeftButtonDown, nullptr);
  EXPECT_EQ(mainObject.OnPaint, nullptr);
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_EQ(childObject.GetHandle(), nullptr);
}

// A handler that sends another message to the same window while its own is dispatched.
HWND reentryTarget = nullptr;
int32_t SendKeyDownFromHandler(EventArg x, EventArg y, EventArg keys, EventArg, EventArg, EventArg, EventArg) {
  testing::RecordOnLeftButtonDown(x, y, keys, 0, 0, 0, 0);
  Log().watched.insert(WM_KEYDOWN);
  SendMessageA(reentryTarget, WM_KEYDOWN, 'B', 0);
  return 0;
}

TEST_F(Dispatch, HandlersMayReenterDispatchForTheSameWindow) {
  reentryTarget = main->handle;
  mainObject.SetOnLeftButtonDown(SendKeyDownFromHandler);
  LRESULT result = Send(WM_LBUTTONDOWN, 0, MAKELPARAM(3, 5));
  const Sequence kNestedKeyDownInsideButtonDown = {
      "main HookLeftButtonDown 0x50003", "OnLeftButtonDown 3 5 0", "main HookKeyDown 0x42", "OnKeyDown 66 0",
      "proc main WM_KEYDOWN 0x42 0x0",    "proc main WM_LBUTTONDOWN 0x0 0x50003"};
  EXPECT_SEQUENCE(kNestedKeyDownInsideButtonDown);
  EXPECT_EQ(result, kProcAnswer);
}

TEST(DispatchControls, KeyDownHandledKeepsTheKeyFromTheControl) {
  testing::PrepareFramework();
  TestWindow parent("parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200);
  TestWindow edit("edit", WS_CHILD | WS_VISIBLE, 5, 5, 200, 24, parent.handle, 11, 0, "EDIT");
  WindowBase editObject;
  ASSERT_EQ(editObject.AttachHandle(edit.handle), edit.handle);
  SetWindowTextA(edit.handle, "abc");
  auto textAfterDelete = [&] {
    SendMessageA(edit.handle, EM_SETSEL, 0, 0);
    SendMessageA(edit.handle, WM_KEYDOWN, VK_DELETE, 0);
    return std::string(editObject.GetCaption().c_str());
  };
  editObject.SetOnKeyDown([](EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) -> int32_t {
    return 1;
  });
  EXPECT_EQ(textAfterDelete(), "abc");
  editObject.SetOnKeyDown([](EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) -> int32_t {
    return 0;
  });
  EXPECT_EQ(textAfterDelete(), "bc");
}

// File drops: a DROPFILES block in global memory, as the shell builds it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 2;  // the list ends with an empty name
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL block = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(block));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* out = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(out, path.c_str(), path.size() + 1);
    out += path.size() + 1;
  }
  GlobalUnlock(block);
  return block;
}

struct DropScenario {
  const char* name;
  std::vector<std::string> paths;
  std::string text;
};

std::string LongPath() { return "C:\\" + std::string(292, 'd') + "\\x.rc"; }  // 300 characters

class DropFiles : public Dispatch, public ::testing::WithParamInterface<DropScenario> {};

TEST_P(DropFiles, OnFileDropGetsThePathsJoinedAndTheDropIsReleased) {
  const DropScenario& scenario = GetParam();
  HGLOBAL drop = MakeDrop(scenario.paths);
  Log().Name(drop, "drop");
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  const Sequence expected = {"OnFileDrop \"" + scenario.text + "\"", "proc main WM_DROPFILES drop 0x0"};
  EXPECT_SEQUENCE(expected);
  EXPECT_EQ(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE));  // DragFinish freed it
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropFiles,
    ::testing::Values(DropScenario{"OnePath", {"C:\\work\\dialog.rc"}, "C:\\work\\dialog.rc"},
                      DropScenario{"TwoPathsNoTrailingSeparator", {"C:\\a.rc", "D:\\b\\c.rc"}, "C:\\a.rc\r\nD:\\b\\c.rc"},
                      DropScenario{"PathOf300CharactersWhole", {LongPath()}, LongPath()},
                      DropScenario{"LongPathBetweenShortOnes", {"C:\\a.rc", LongPath(), "C:\\b.rc"},
                                   "C:\\a.rc\r\n" + LongPath() + "\r\nC:\\b.rc"},
                      DropScenario{"DoubleBytePath", {"C:\\\xb6\xd4\xbb\xb0\xbf\xf2.rc"}, "C:\\\xb6\xd4\xbb\xb0\xbf\xf2.rc"}),
    [](const ::testing::TestParamInfo<DropScenario>& info) { return std::string(info.param.name); });

TEST_F(Dispatch, DropWithoutHandlerPassedOnUntouched) {
  mainObject.SetOnFileDrop(nullptr);
  HGLOBAL drop = MakeDrop({"C:\\a.rc"});
  Log().Name(drop, "drop");
  Send(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  const Sequence kDropPassedOnUnread = {"proc main WM_DROPFILES drop 0x0"};
  EXPECT_SEQUENCE(kDropPassedOnUnread);
  EXPECT_NE(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE));
  EXPECT_EQ(GlobalFree(drop), nullptr);
}

TEST(DropText, EmptyDropGivesAnAllocatedEmptyText) {
  HGLOBAL drop = MakeDrop({});
  Text text = BuildDropText(static_cast<HDROP>(drop));
  EXPECT_FALSE(text.IsNull());
  EXPECT_TRUE(text.IsEmpty());
  GlobalFree(drop);
}

// The dialog procedure: a minimal dialog shell from an in-memory template.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words;
  auto add32 = [&](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  add32(WS_POPUP | WS_CAPTION | DS_SETFONT);  // style
  add32(0);                                  // extended style
  words.push_back(0);                        // no items
  for (WORD value : {10, 10, 100, 60}) words.push_back(value);
  words.push_back(0);  // no menu
  words.push_back(0);  // system dialog class
  words.push_back(0);  // no title
  words.push_back(8);  // point size
  for (const wchar_t* face = L"MS Shell Dlg"; *face; ++face) words.push_back(static_cast<WORD>(*face));
  words.push_back(0);
  return words;
}

TEST(DialogProcedure, AttachesThePendingDialogOnInitDialog) {
  testing::PrepareFramework();
  Log().Clear();
  RecordingWindow dialogObject("dialog");
  dialogObject.logDialogMessages = true;
  PendingDialog = &dialogObject;
  std::vector<WORD> words = DialogTemplate();
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()),
                                           nullptr, FrameworkDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(PendingDialog, nullptr);
  EXPECT_EQ(dialogObject.GetHandle(), dialog);
  EXPECT_EQ(FindWindowObject(dialog), &dialogObject);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongA(dialog, GWL_WNDPROC)), FrameworkWindowProc);
  // WM_SETFONT came before WM_INITDIALOG and ended in the dialog procedure with 0.
  ASSERT_FALSE(Log().lines.empty());
  EXPECT_EQ(Log().lines.front(), "dialog DialogMessage WM_INITDIALOG");

  // What HandleMessage passes on reaches the dialog procedure, and so DialogMessage.
  Log().lines.clear();
  SendMessageA(dialog, WM_USER + 5, 0, 0);
  const Sequence kPassedOnReachesDialogMessage = {"dialog DialogMessage WM_USER+5"};
  EXPECT_SEQUENCE(kPassedOnReachesDialogMessage);

  DestroyWindow(dialog);
  EXPECT_EQ(dialogObject.GetHandle(), nullptr);
}

TEST(DialogProcedure, WithoutPendingDialogAndObjectAnswersZero) {
  testing::PrepareFramework();
  PendingDialog = nullptr;
  std::vector<WORD> words = DialogTemplate();
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()),
                                           nullptr, FrameworkDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(FindWindowObject(dialog), nullptr);
  EXPECT_EQ(FrameworkDialogProc(dialog, WM_USER + 5, 0, 0), 0);
  DestroyWindow(dialog);
}

TEST(OwnerProcedure, DefaultProcedureUnlessAnObjectIsRegistered) {
  testing::PrepareFramework();
  Log().Clear();
  WNDCLASSA ownerClass{};
  ownerClass.lpfnWndProc = OwnerWindowProc;
  ownerClass.hInstance = GetModuleHandleA(nullptr);
  ownerClass.lpszClassName = "FrameworkTestOwner";
  RegisterClassA(&ownerClass);
  HWND owner = CreateWindowExA(0, "FrameworkTestOwner", "ShowTaskbar", 0, 0, 0, 250, 110, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  char title[32] = {};
  GetWindowTextA(owner, title, sizeof title);
  EXPECT_STREQ(title, "ShowTaskbar");

  RecordingWindow ownerObject("owner");
  WindowRegistry()->Add(HandleKey(owner), HandleKey(&ownerObject), 0);
  Log().watched = {WM_USER + 5};
  SendMessageA(owner, WM_USER + 5, 0, 0);
  const Sequence kOwnerMessageToObject = {"owner DefaultOwnerMessage WM_USER+5"};
  EXPECT_SEQUENCE(kOwnerMessageToObject);
  DestroyWindow(owner);
}

TEST(WindowProcedure, WindowWithoutObjectGetsTheDefaultProcedure) {
  testing::PrepareFramework();
  WNDCLASSA plain{};
  plain.lpfnWndProc = FrameworkWindowProc;
  plain.hInstance = GetModuleHandleA(nullptr);
  plain.lpszClassName = "FrameworkTestUnregistered";
  RegisterClassA(&plain);
  HWND window = CreateWindowExA(0, "FrameworkTestUnregistered", "plain", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  char title[16] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "plain");
  DestroyWindow(window);
}

TEST(Events, InvokeEventPassesArgumentsAndNullIsZero) {
  EXPECT_EQ(InvokeEvent(nullptr, 1, 2, 3), 0);
  EventHandler sum = [](EventArg a, EventArg b, EventArg c, EventArg d, EventArg e, EventArg f,
                        EventArg g) -> int32_t { return static_cast<int32_t>(a + 10 * b + 100 * c + 1000 * (d + e + f + g)); };
  EXPECT_EQ(InvokeEvent(sum, 1, 2, 3), 321);
  EXPECT_EQ(InvokeEvent(sum, 1, 2, 3, 0, 0, 0, 1), 1321);
  EXPECT_EQ(LowWord(0xFFFF0001u), 1u);
  EXPECT_EQ(HighWord(0xFFFF0001u), -1);
  EXPECT_EQ(LowWord(0x0000FFFFu), 65535u);
  EXPECT_EQ(HighWord(0x7FFF0000u), 32767);
  EXPECT_EQ(ModifierKeys(), 0);  // nothing held on the test display
}

}  // namespace
}  // namespace rc2e
