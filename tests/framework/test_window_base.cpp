// Tests of WindowBase on real windows: attaching and detaching, the three binding
// operations and their refusals, ownership of cursor and font, geometry of children and
// owned pop-ups, z-order, visibility, enabled state, styles, texts and message boxes.
#include "framework/window_base.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/dispatch.h"
#include "tests/framework/framework_test_support.h"

namespace rc2e {
namespace {

using testing::Log;
using testing::RecordingProc;
using testing::RecordingWindow;
using testing::Sequence;
using testing::TestWindow;

WNDPROC ProcOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC)); }

HFONT NewFont() { return CreateFontA(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"); }

HCURSOR NewCursor() {
  BYTE andMask[128];
  BYTE xorMask[128] = {};
  std::memset(andMask, 0xFF, sizeof andMask);
  return CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
}

bool CursorAlive(HCURSOR cursor) {
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return false;
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return true;
}

bool FontAlive(HFONT font) { return GetObjectType(font) == OBJ_FONT; }

class WindowBaseTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::PrepareFramework(); }
  void SetUp() override { Log().Clear(); }
  void TearDown() override { Log().watched.clear(); }

  TestWindow top{"top", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300};
};

// attaching and detaching

TEST_F(WindowBaseTest, AttachTwiceKeepsTheFirstSubclassing) {
  RecordingWindow first("first");
  RecordingWindow second("second");
  int32_t entries = WindowRegistry()->Count();
  ASSERT_TRUE(Attach(&first, top.handle));
  EXPECT_EQ(first.GetHandle(), top.handle);
  EXPECT_EQ(first.previousProc, RecordingProc);
  EXPECT_EQ(ProcOf(top.handle), FrameworkWindowProc);

  ASSERT_TRUE(Attach(&first, top.handle));
  EXPECT_EQ(first.previousProc, RecordingProc);  // not FrameworkWindowProc, which would loop
  ASSERT_TRUE(Attach(&second, top.handle));
  EXPECT_EQ(second.GetHandle(), nullptr);
  EXPECT_EQ(second.previousProc, nullptr);
  EXPECT_EQ(WindowRegistry()->Count(), entries + 3);
  EXPECT_EQ(FindWindowObject(top.handle), &first);

  Log().watched = {WM_USER + 5};
  SendMessageA(top.handle, WM_USER + 5, 0, 0);
  const Sequence kReachesTheOriginalProcedureOnce = {"proc top WM_USER+5 0x0 0x0"};
  EXPECT_SEQUENCE(kReachesTheOriginalProcedureOnce);
}

TEST_F(WindowBaseTest, AttachRefusesANullHandle) {
  WindowBase object;
  EXPECT_FALSE(Attach(&object, nullptr));
  EXPECT_EQ(object.GetHandle(), nullptr);
}

TEST_F(WindowBaseTest, DetachWithoutSubclassingLeavesTheProcedure) {
  RecordingWindow object("object");
  object.SetHandle(top.handle);
  EXPECT_EQ(FindWindowObject(top.handle), nullptr);  // no registry entry, no subclassing
  EXPECT_EQ(object.GetCaption().view(), "top");      // but the operations act on it
  object.Unbind();
  EXPECT_EQ(ProcOf(top.handle), RecordingProc);
  EXPECT_EQ(object.GetHandle(), nullptr);
  const Sequence kHookDestroyedStillCalled = {"object HookDestroyed top"};
  EXPECT_SEQUENCE(kHookDestroyedStillCalled);
}

TEST_F(WindowBaseTest, UnbindRestoresTheProcedureAndKeepsTheRegistryEntry) {
  WindowBase object;
  ASSERT_EQ(object.AttachHandle(top.handle), top.handle);
  object.SetOnChar(testing::RecordOnChar);
  object.Unbind();
  EXPECT_EQ(ProcOf(top.handle), RecordingProc);
  EXPECT_EQ(object.GetHandle(), nullptr);
  EXPECT_EQ(object.OnChar, nullptr);
  EXPECT_EQ(FindWindowObject(top.handle), &object);
  object.Unbind();  // nothing left to do
  // The object can take a window again.
  TestWindow next("next", WS_OVERLAPPED, 0, 0, 50, 50);
  EXPECT_EQ(object.AttachHandle(next.handle), next.handle);
}

TEST_F(WindowBaseTest, EndingAnAttachedObjectGivesTheWindowBack) {
  auto object = std::make_unique<WindowBase>();
  ASSERT_EQ(object->AttachHandle(top.handle), top.handle);
  std::unique_ptr<WindowBase> clone = object->Clone();
  EXPECT_EQ(clone->GetHandle(), top.handle);
  clone.reset();  // a clone is not the registered object: the window stays subclassed
  EXPECT_EQ(ProcOf(top.handle), FrameworkWindowProc);
  object.reset();
  EXPECT_EQ(ProcOf(top.handle), RecordingProc);
  EXPECT_EQ(FindWindowObject(top.handle), nullptr);
  Log().watched = {WM_USER + 5};
  SendMessageA(top.handle, WM_USER + 5, 0, 0);
  EXPECT_EQ(Log().lines.size(), 1u);
}

// cursor and font ownership: released when replaced and on Detach, never twice

TEST_F(WindowBaseTest, FontReleasedWhenReplacedAndOnDetachOnlyOnce) {
  TestWindow label("label", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, top.handle, 3, 0, "STATIC");
  WindowBase object;
  ASSERT_EQ(object.AttachHandle(label.handle), label.handle);
  HFONT first = NewFont();
  HFONT second = NewFont();
  object.SetFont(first);
  EXPECT_EQ(object.GetFont(), first);
  object.SetFont(second);
  EXPECT_FALSE(FontAlive(first));
  EXPECT_TRUE(FontAlive(second));
  EXPECT_EQ(object.GetFont(), second);
  object.SetFont(second);  // the font it owns already: kept, not released
  EXPECT_TRUE(FontAlive(second));

  object.Unbind();
  EXPECT_FALSE(FontAlive(second));
  HFONT unrelated = NewFont();  // may reuse the released handle's value
  object.Unbind();
  object.Destroy();
  EXPECT_TRUE(FontAlive(unrelated));
  DeleteObject(unrelated);
}

TEST_F(WindowBaseTest, CursorReleasedWhenReplacedAndOnDetach) {
  WindowBase object;
  ASSERT_EQ(object.AttachHandle(top.handle), top.handle);
  HCURSOR first = NewCursor();
  HCURSOR second = NewCursor();
  ASSERT_TRUE(CursorAlive(first));
  EXPECT_EQ(object.Cursor(first), first);
  EXPECT_EQ(GetCursor(), first);
  EXPECT_EQ(object.Cursor(second), second);
  EXPECT_EQ(object.Cursor(), second);
  EXPECT_FALSE(CursorAlive(first));
  object.Cursor(second);
  EXPECT_TRUE(CursorAlive(second));
  object.Unbind();
  EXPECT_FALSE(CursorAlive(second));
  EXPECT_EQ(object.Cursor(), nullptr);
}

TEST_F(WindowBaseTest, CloneOwnsItsOwnCopiesOfCursorAndFont) {
  WindowBase object;
  ASSERT_EQ(object.AttachHandle(top.handle), top.handle);
  object.SetFont(NewFont());
  object.Cursor(NewCursor());
  object.SetOnKeyDown(testing::RecordOnKeyDown);
  std::unique_ptr<WindowBase> clone = object.Clone();
  EXPECT_EQ(clone->OnKeyDown, object.OnKeyDown);
  EXPECT_EQ(clone->previousProc, object.previousProc);
  ASSERT_NE(clone->font.get(), object.font.get());
  ASSERT_NE(clone->cursor.get(), object.cursor.get());
  EXPECT_TRUE(FontAlive(clone->font.get()));
  EXPECT_TRUE(CursorAlive(clone->cursor.get()));
  HFONT original = object.font.get();
  clone.reset();
  EXPECT_TRUE(FontAlive(original));
}

// binding operations and their refusals

TEST_F(WindowBaseTest, CreateExAttachesAddsClipSiblingsAndDefaultFont) {
  WindowBase object;
  HWND button = object.CreateEx(top.handle, 0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 5, 5, 60, 24,
                                reinterpret_cast<HMENU>(40), nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(object.GetHandle(), button);
  EXPECT_EQ(FindWindowObject(button), &object);
  EXPECT_EQ(ProcOf(button), FrameworkWindowProc);
  EXPECT_NE(GetWindowLongA(button, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
  EXPECT_EQ(object.GetFont(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_EQ(object.GetId(), 40);
  EXPECT_EQ(object.ClassName().view(), "Button");

  EXPECT_EQ(object.CreateEx(top.handle, 0, "BUTTON", "again", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetDlgItem(top.handle, 0), nullptr);  // nothing else was created
  EXPECT_EQ(object.GetHandle(), button);
}

TEST_F(WindowBaseTest, CreateExFailureLeavesTheObjectUnbound) {
  WindowBase object;
  EXPECT_EQ(object.CreateEx(nullptr, 0, "NoSuchClassAnywhere", "", 0, 0, 0, 10, 10, nullptr, nullptr), nullptr);
  EXPECT_EQ(object.GetHandle(), nullptr);
}

TEST_F(WindowBaseTest, BindDialogItemRefusals) {
  TestWindow item("item", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, top.handle, 1001, 0, "STATIC");
  WindowBase object;
  EXPECT_EQ(object.BindDialogItem(top.handle, 999), nullptr);
  EXPECT_EQ(object.GetHandle(), nullptr);

  EXPECT_EQ(object.BindDialogItem(top.handle, 1001), item.handle);
  EXPECT_EQ(FindWindowObject(item.handle), &object);
  EXPECT_EQ(ProcOf(item.handle), FrameworkWindowProc);
  EXPECT_EQ(object.GetFont(), nullptr);  // no default font unless asked

  EXPECT_EQ(object.BindDialogItem(top.handle, 1001, true), nullptr);  // already bound
  object.Unbind();
  EXPECT_EQ(object.BindDialogItem(top.handle, 1001, true), item.handle);
  EXPECT_EQ(object.GetFont(), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

TEST_F(WindowBaseTest, AttachHandleRefusals) {
  WindowBase object;
  EXPECT_EQ(object.AttachHandle(nullptr), nullptr);
  HWND gone = nullptr;
  {
    TestWindow shortLived("gone", WS_OVERLAPPED, 0, 0, 10, 10);
    gone = shortLived.handle;
  }
  EXPECT_EQ(object.AttachHandle(gone), nullptr);
  EXPECT_EQ(object.GetHandle(), nullptr);
  EXPECT_EQ(object.AttachHandle(top.handle), top.handle);
  TestWindow another("another", WS_OVERLAPPED, 0, 0, 10, 10);
  EXPECT_EQ(object.AttachHandle(another.handle), nullptr);
  EXPECT_EQ(object.GetHandle(), top.handle);
}

// geometry: children in the parent's client area, owned pop-ups against the owner's

TEST_F(WindowBaseTest, ChildGeometryIsInTheParentClientArea) {
  TestWindow child("child", WS_CHILD | WS_VISIBLE, 10, 20, 60, 30, top.handle, 5);
  WindowBase object;
  object.AttachHandle(child.handle);
  EXPECT_EQ(object.Left(), 10);
  EXPECT_EQ(object.Top(), 20);
  EXPECT_EQ(object.Width(), 60);
  EXPECT_EQ(object.Height(), 30);
  EXPECT_NE(object.Left(15), 0);
  EXPECT_EQ(object.Left(), 15);
  EXPECT_EQ(object.Top(), 20);
  object.Move(std::nullopt, 40);
  RECT rect = object.RectInParent();
  EXPECT_EQ(rect.left, 15);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right, 75);
  EXPECT_EQ(rect.bottom, 70);
  object.Height(12, false);
  EXPECT_EQ(object.ClientRect().bottom, 12);
}

TEST_F(WindowBaseTest, OwnedPopupReadsAgainstTheOwnerButMovesOnTheScreen) {
  TestWindow popup("popup", WS_POPUP | WS_VISIBLE, 300, 250, 100, 80, top.handle);
  ASSERT_EQ(GetParent(popup.handle), top.handle);
  POINT origin{0, 0};
  ClientToScreen(top.handle, &origin);
  ASSERT_GT(origin.y, 100);
  WindowBase object;
  object.AttachHandle(popup.handle);
  EXPECT_EQ(object.Left(), 300 - origin.x);
  EXPECT_EQ(object.Top(), 250 - origin.y);
  // MoveWindow places a top-level window on the screen: the other coordinate shifts.
  object.Left(50);
  RECT screen{};
  GetWindowRect(popup.handle, &screen);
  EXPECT_EQ(screen.left, 50);
  EXPECT_EQ(screen.top, 250 - origin.y);
  EXPECT_EQ(screen.right - screen.left, 100);

  WindowBase unowned;
  unowned.AttachHandle(top.handle);
  EXPECT_EQ(unowned.Left(), 100);
  EXPECT_EQ(unowned.Top(), 100);
}

// z-order, visibility, enabled state

TEST_F(WindowBaseTest, ZOrderPositions) {
  TestWindow first("first", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top.handle, 1);
  TestWindow second("second", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, top.handle, 2);
  WindowBase object;
  object.AttachHandle(first.handle);
  struct Case { std::optional<int32_t> position; bool onTop; };
  for (Case c : {Case{std::nullopt, true}, Case{0, true}, Case{1, true}, Case{5, true}, Case{2, false}}) {
    SetWindowPos(c.onTop ? second.handle : first.handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    object.ZOrder(c.position);
    HWND expected = c.onTop ? GetWindow(top.handle, GW_CHILD) : GetWindow(GetWindow(top.handle, GW_CHILD), GW_HWNDLAST);
    EXPECT_EQ(expected, first.handle) << "position " << c.position.value_or(-1);
  }
  WindowBase topLevel;
  topLevel.AttachHandle(top.handle);
  topLevel.ZOrder(3);
  EXPECT_NE(GetWindowLongA(top.handle, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  topLevel.ZOrder(4);
  EXPECT_EQ(GetWindowLongA(top.handle, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(WindowBaseTest, VisibleAndDisabledReportThePreviousState) {
  WindowBase object;
  object.AttachHandle(top.handle);
  EXPECT_FALSE(object.Visible());
  EXPECT_FALSE(object.Visible(true));  // was hidden
  EXPECT_TRUE(IsWindowVisible(top.handle));
  EXPECT_TRUE(object.Visible(true));  // was visible
  EXPECT_TRUE(object.Visible());
  EXPECT_TRUE(object.Visible(false));
  EXPECT_FALSE(object.Visible());

  EXPECT_FALSE(object.Disabled());
  EXPECT_FALSE(object.Disabled(true));  // was enabled
  EXPECT_TRUE(object.Disabled(true));   // was disabled
  EXPECT_TRUE(object.Disabled());
  EXPECT_TRUE(object.Disabled(false));
  EXPECT_FALSE(object.Disabled());
}

// styles

TEST_F(WindowBaseTest, StyleChangesReturnThePreviousValueAndRefreshTheFrame) {
  WindowBase object;
  object.AttachHandle(top.handle);
  int32_t before = object.GetStyle();
  Log().watched = {WM_NCCALCSIZE};
  EXPECT_EQ(object.AddStyle(WS_VSCROLL), before);
  EXPECT_EQ(object.GetStyle(), before | WS_VSCROLL);
  EXPECT_EQ(Log().lines.size(), 1u);  // the frame was recomputed

  Log().lines.clear();
  int32_t now = object.GetStyle();
  EXPECT_EQ(object.RemoveStyle(WS_HSCROLL), now);  // not set: unchanged
  EXPECT_EQ(object.GetStyle(), now);
  EXPECT_EQ(Log().lines.size(), 1u);  // still refreshed

  int32_t exBefore = object.GetExStyle();
  EXPECT_EQ(object.AddExStyle(WS_EX_TOOLWINDOW), exBefore);
  EXPECT_EQ(object.RemoveExStyle(WS_EX_TOOLWINDOW), exBefore | WS_EX_TOOLWINDOW);
  EXPECT_EQ(object.GetExStyle(), exBefore);
}

// texts, properties and an object without a window

TEST_F(WindowBaseTest, CaptionAndClassNameTexts) {
  WindowBase object;
  EXPECT_TRUE(object.ClassName().IsNull());
  object.AttachHandle(top.handle);
  EXPECT_EQ(object.ClassName().view(), "FrameworkTestWindow");
  EXPECT_TRUE(object.SetCaption(""));
  EXPECT_TRUE(object.GetCaption().IsNull());
  EXPECT_TRUE(object.SetCaption("\xd0\xc5\xcf\xa2 caption"));
  EXPECT_EQ(object.GetCaption().view(), "\xd0\xc5\xcf\xa2 caption");
  EXPECT_TRUE(object.SetProperty("rc2e.test", reinterpret_cast<HANDLE>(42)));
  EXPECT_EQ(object.GetProperty("rc2e.test"), reinterpret_cast<HANDLE>(42));
  EXPECT_TRUE(object.RemoveProperty("rc2e.test"));
  EXPECT_FALSE(object.RemoveProperty("rc2e.test"));
}

TEST_F(WindowBaseTest, ObjectWithoutAWindow) {
  WindowBase object;
  EXPECT_FALSE(object.IsValid());
  EXPECT_EQ(object.GetHandle(), nullptr);
  SetFocus(nullptr);
  EXPECT_EQ(object.HasFocus(), GetFocus() == nullptr);
  EXPECT_TRUE(object.GetCaption().IsNull());
  object.Close();  // nothing to close

  MSG stale;
  while (PeekMessageA(&stale, nullptr, WM_USER + 9, WM_USER + 9, PM_REMOVE)) {
  }
  EXPECT_TRUE(object.Post(WM_USER + 9, 1, 2));  // to the thread's queue
  MSG posted{};
  ASSERT_TRUE(PeekMessageA(&posted, reinterpret_cast<HWND>(-1), WM_USER + 9, WM_USER + 9, PM_REMOVE));
  EXPECT_EQ(posted.hwnd, nullptr);
  EXPECT_EQ(posted.wParam, 1u);
}

TEST_F(WindowBaseTest, ClassIconAndCursorReturnThePreviousOne) {
  WindowBase object;
  object.AttachHandle(top.handle);
  HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  HCURSOR cross = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_CROSS));
  EXPECT_EQ(object.ClassCursor(), arrow);
  EXPECT_EQ(object.ClassCursor(cross), arrow);
  EXPECT_EQ(object.ClassCursor(arrow), cross);

  HICON application = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  HICON small = object.ClassIcon();
  EXPECT_EQ(object.ClassIcon(application), small);
  EXPECT_EQ(object.ClassIcon(), application);
  EXPECT_EQ(object.ClassIcon(std::nullopt, true), nullptr);  // no big icon registered
  EXPECT_EQ(object.ClassIcon(application, true), nullptr);
  EXPECT_EQ(object.ClassIcon(std::nullopt, true), application);
  object.ClassIcon(nullptr, true);
  object.ClassIcon(small);
}

// message boxes, closed from a CBT hook by pressing one button

struct BoxAnswer {
  int button = IDOK;
  std::string title;
  HWND owner = nullptr;
  HHOOK hook = nullptr;
} boxAnswer;

LRESULT CALLBACK PressBoxButton(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[16] = {};
    GetClassNameA(box, className, sizeof className);
    if (std::string(className) == "#32770") {
      char title[64] = {};
      GetWindowTextA(box, title, sizeof title);
      boxAnswer.title = title;
      boxAnswer.owner = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(boxAnswer.button, BN_CLICKED), 0);
    }
  }
  return CallNextHookEx(boxAnswer.hook, code, wParam, lParam);
}

class MessageBoxes : public WindowBaseTest {
 protected:
  void SetUp() override {
    WindowBaseTest::SetUp();
    boxAnswer = {};
    boxAnswer.hook = SetWindowsHookExA(WH_CBT, PressBoxButton, nullptr, GetCurrentThreadId());
    ASSERT_NE(boxAnswer.hook, nullptr);
  }
  void TearDown() override {
    UnhookWindowsHookEx(boxAnswer.hook);
    WindowBaseTest::TearDown();
  }
};

TEST_F(MessageBoxes, ResultIsTheButtonMinusOne) {
  WindowBase object;
  object.AttachHandle(top.handle);
  struct Case { UINT type; int button; int32_t result; };
  for (Case c : {Case{MB_OK, IDOK, 0}, Case{MB_OKCANCEL, IDCANCEL, 1}, Case{MB_ABORTRETRYIGNORE, IDABORT, 2},
                 Case{MB_RETRYCANCEL, IDRETRY, 3}, Case{MB_ABORTRETRYIGNORE, IDIGNORE, 4}, Case{MB_YESNO, IDYES, 5},
                 Case{MB_YESNO, IDNO, 6}}) {
    boxAnswer.button = c.button;
    EXPECT_EQ(object.ShowMessage("question", c.type, "title"), c.result) << "button " << c.button;
  }
  EXPECT_EQ(boxAnswer.title, "title");
  EXPECT_EQ(boxAnswer.owner, top.handle);
}

TEST_F(MessageBoxes, DefaultCaptionAndType) {
  WindowBase unbound;
  EXPECT_EQ(unbound.ShowMessage("text"), 0);
  EXPECT_EQ(boxAnswer.title, "信息：");
  EXPECT_EQ(boxAnswer.owner, nullptr);
  EXPECT_EQ(unbound.ShowMessage("text", std::nullopt, ""), 0);
  EXPECT_EQ(boxAnswer.title, "");
}

}  // namespace
}  // namespace rc2e
