// Tests of DialogWindow against real dialogs under Wine: loading (owners, results, class
// copies), background painting read back from a memory DC, window state, hot keys, events.
#include "framework/dialog_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/dispatch.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"
#include "framework/shell_notify.h"

namespace rc2e {
namespace {

constexpr int32_t kVisibleTemplate = 2000;
constexpr int32_t kEditId = 2001;
constexpr int32_t kPrivateClassTemplate = 2010;
constexpr int32_t kHiddenTemplate = 2030;
constexpr int32_t kMissingTemplate = 2999;
constexpr const char* kPrivateClass = "Rc2eTestDialogClass";
constexpr const char* kDirectClass = "Rc2eTestDirectWindow";

class FrameworkEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    programModule.moduleHandle = GetModuleHandleA(nullptr);
    programModule.controlIdCounter = 500;
    CreateRegistries();
    RegisterWindowClass(kDirectClass, DefWindowProcA, nullptr);
  }
  void TearDown() override { DestroyRegistries(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new FrameworkEnvironment);

// The creation callback of the modal tests runs this action inside WM_INITDIALOG.
std::function<void(HWND)> createdAction;
int32_t RunCreatedAction(EventArg window, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  if (createdAction) createdAction(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)));
  return 0;
}

int CountHiddenOwners() {
  int count = 0;
  for (HWND w = FindWindowExA(nullptr, nullptr, kHiddenOwnerClass, kHiddenOwnerTitle); w;
       w = FindWindowExA(nullptr, w, kHiddenOwnerClass, kHiddenOwnerTitle)) {
    ++count;
  }
  return count;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

HWND MakeTopLevelWindow(const char* title = "owner") {
  return CreateWindowExA(0, kDirectClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         programModule.moduleHandle, nullptr);
}

// --- loading -------------------------------------------------------------------------

struct OwnerCase {
  const char* name;
  bool giveOwner;
  std::optional<bool> showInTaskbar;
  int hiddenOwnersMade;
};

TEST(DialogLoad, OwnerAndTaskbarCombinations) {
  const OwnerCase cases[] = {
      {"no owner, taskbar omitted", false, std::nullopt, 0},
      {"no owner, taskbar true", false, true, 0},
      {"no owner, taskbar false", false, false, 1},
      {"owner, taskbar false", true, false, 0},
      {"owner, taskbar omitted", true, std::nullopt, 0},
  };
  for (const OwnerCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND givenOwner = c.giveOwner ? MakeTopLevelWindow() : nullptr;
    HWND ownerSeen = reinterpret_cast<HWND>(1);
    createdAction = [&](HWND dialog) {
      ownerSeen = GetWindow(dialog, GW_OWNER);
      PostMessageA(dialog, WM_CLOSE, 0, 0);
    };
    DialogWindow dialog;
    int before = CountHiddenOwners();
    EXPECT_EQ(dialog.Load(givenOwner, kVisibleTemplate, RunCreatedAction, nullptr, c.showInTaskbar), 0);
    EXPECT_EQ(CountHiddenOwners() - before, c.hiddenOwnersMade);
    if (c.giveOwner) {
      EXPECT_EQ(ownerSeen, givenOwner);
    } else if (c.hiddenOwnersMade == 0) {
      EXPECT_EQ(ownerSeen, nullptr) << "an unowned dialog gets a taskbar button";
    } else {
      ASSERT_NE(ownerSeen, nullptr);
      EXPECT_EQ(ClassOf(ownerSeen), kHiddenOwnerClass);
      char title[64] = {};
      GetWindowTextA(ownerSeen, title, sizeof title);
      EXPECT_STREQ(title, kHiddenOwnerTitle);
      RECT r{};
      GetWindowRect(ownerSeen, &r);
      EXPECT_EQ(r.right - r.left, 250);
      EXPECT_EQ(r.bottom - r.top, 110);
      EXPECT_FALSE(IsWindowVisible(ownerSeen));
    }
    if (givenOwner) DestroyWindow(givenOwner);
  }
  createdAction = nullptr;
}

TEST(DialogLoad, EveryLoadWithoutTaskbarMakesAnotherHiddenOwner) {
  std::vector<HWND> owners;
  createdAction = [&](HWND dialog) {
    owners.push_back(GetWindow(dialog, GW_OWNER));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  };
  int before = CountHiddenOwners();
  DialogWindow dialog;
  dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction, nullptr, false);
  dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction, nullptr, false);
  createdAction = nullptr;
  EXPECT_EQ(CountHiddenOwners() - before, 2);
  ASSERT_EQ(owners.size(), 2u);
  EXPECT_NE(owners[0], owners[1]);
  EXPECT_TRUE(IsWindow(owners[0])) << "hidden owners stay until the process ends";
}

struct ResultCase {
  const char* name;
  std::optional<int32_t> stored;
  int32_t expected;
};

TEST(DialogLoad, ReturnsTheLastStoredResult) {
  const ResultCase cases[] = {{"never set", std::nullopt, 0}, {"positive", 42, 42}, {"negative", -7, -7}};
  for (const ResultCase& c : cases) {
    SCOPED_TRACE(c.name);
    DialogWindow dialog;
    createdAction = [&](HWND window) {
      if (c.stored) {
        dialog.SetResult(99);
        dialog.SetResult(*c.stored);
      }
      PostMessageA(window, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction), c.expected);
    EXPECT_EQ(dialog.handle, nullptr);
    EXPECT_EQ(dialog.dialogResult, 0) << "the teardown clears the result";
  }
  createdAction = nullptr;
}

TEST(DialogLoad, MissingTemplateGivesMinusOneAndKeepsThePendingState) {
  DialogWindow dialog;
  EXPECT_EQ(dialog.Load(nullptr, kMissingTemplate, RunCreatedAction), -1);
  EXPECT_EQ(PendingDialog, &dialog);
  EXPECT_EQ(dialog.modal, 1);
  EXPECT_EQ(dialog.OnCreated, RunCreatedAction);
  EXPECT_FALSE(dialog.LoadModeless(nullptr, kMissingTemplate));
  EXPECT_EQ(dialog.modal, 0);
  PendingDialog = nullptr;
}

TEST(DialogLoad, ObjectThatHasAWindowRefusesAtOnce) {
  DialogWindow dialog;
  int32_t secondLoad = -100;
  bool secondModeless = true;
  WindowBase* pendingAfter = &dialog;
  int dialogsBefore = 0, dialogsAfter = 0;
  createdAction = [&](HWND window) {
    dialogsBefore = CountHiddenOwners();
    secondLoad = dialog.Load(nullptr, kVisibleTemplate, nullptr);
    secondModeless = dialog.LoadModeless(nullptr, kVisibleTemplate);
    pendingAfter = PendingDialog;
    dialogsAfter = CountHiddenOwners();
    PostMessageA(window, WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction), 0);
  createdAction = nullptr;
  EXPECT_EQ(secondLoad, 0);
  EXPECT_FALSE(secondModeless);
  EXPECT_EQ(pendingAfter, nullptr);
  EXPECT_EQ(dialogsAfter, dialogsBefore);
}

int32_t closeQueries = 0;
int32_t RefuseFirstClose(EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  return ++closeQueries == 1 ? 1 : 0;
}

TEST(DialogLoad, CloseQueryCanKeepTheDialogOpen) {
  closeQueries = 0;
  DialogWindow dialog;
  bool openAfterRefusal = false;
  createdAction = [&](HWND window) {
    dialog.SetOnCloseQuery(RefuseFirstClose);
    SendMessageA(window, WM_CLOSE, 0, 0);
    openAfterRefusal = IsWindow(window) && dialog.handle == window;
    PostMessageA(window, WM_CLOSE, 0, 0);
  };
  dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction);
  createdAction = nullptr;
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(closeQueries, 2);
}

std::vector<std::pair<int32_t, int32_t>> sizes;
int32_t RecordInitialSize(EventArg width, EventArg height, EventArg, EventArg, EventArg, EventArg, EventArg) {
  sizes.emplace_back(static_cast<int32_t>(width), static_cast<int32_t>(height));
  return 0;
}

TEST(DialogLoad, CreationCallbackIsFollowedByOneSizeEventWithTheClientSize) {
  sizes.clear();
  DialogWindow dialog;
  RECT client{};
  createdAction = [&](HWND window) {
    dialog.SetOnSize(RecordInitialSize);
    GetClientRect(window, &client);
    PostMessageA(window, WM_CLOSE, 0, 0);
  };
  dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction);
  createdAction = nullptr;
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes[0], std::make_pair(static_cast<int32_t>(client.right), static_cast<int32_t>(client.bottom)));
}

TEST(DialogLoad, PrivateClassIsACopyOfTheSystemDialogClass) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run == 0 ? "first registration" : "name registered already");
    DialogWindow dialog;
    std::string className;
    createdAction = [&](HWND window) {
      className = ClassOf(window);
      PostMessageA(window, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog.Load(nullptr, kPrivateClassTemplate, RunCreatedAction, kPrivateClass), 0);
    EXPECT_EQ(className, kPrivateClass);
  }
  createdAction = nullptr;
  WNDCLASSEXA copy{};
  copy.cbSize = sizeof copy;
  ASSERT_TRUE(GetClassInfoExA(programModule.moduleHandle, kPrivateClass, &copy));
  EXPECT_EQ(copy.cbWndExtra, DLGWINDOWEXTRA);
}

TEST(DialogLoad, SystemClassNamesRegisterNothing) {
  for (const char* name : {"", kSystemDialogClass}) {
    SCOPED_TRACE(name);
    DialogWindow dialog;
    std::string className;
    createdAction = [&](HWND window) {
      className = ClassOf(window);
      PostMessageA(window, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog.Load(nullptr, kVisibleTemplate, RunCreatedAction, name), 0);
    EXPECT_EQ(className, kSystemDialogClass);
  }
  createdAction = nullptr;
}

TEST(DialogLoadModeless, TemplateStyleDecidesVisibilityAndCloseDestroys) {
  for (int32_t id : {kVisibleTemplate, kHiddenTemplate}) {
    SCOPED_TRACE(id);
    DialogWindow dialog;
    ASSERT_TRUE(dialog.LoadModeless(nullptr, id));
    HWND window = dialog.handle;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowObject(window), &dialog);
    EXPECT_EQ(IsWindowVisible(window) != 0, id == kVisibleTemplate);
    EXPECT_EQ(dialog.modal, 0);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.handle, nullptr);
  }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(DialogAttach, BindsAnExistingWindowOnce) {
  HWND window = CreateDialogParamA(programModule.moduleHandle, MAKEINTRESOURCEA(kHiddenTemplate), nullptr,
                                   PlainDialogProc, 0);
  ASSERT_NE(window, nullptr);
  DialogWindow dialog;
  EXPECT_FALSE(dialog.AttachDialog(nullptr));
  EXPECT_TRUE(dialog.AttachDialog(window));
  EXPECT_EQ(FindWindowObject(window), &dialog);
  EXPECT_FALSE(dialog.AttachDialog(window)) << "the object holds a window already";
  EXPECT_EQ(dialog.handle, window);
  DestroyWindow(window);
  EXPECT_EQ(dialog.handle, nullptr);
}

// --- teardown ------------------------------------------------------------------------

std::vector<DWORD> shellMessages;
BOOL RecordShellNotify(DWORD message, void*) {
  shellMessages.push_back(message);
  return TRUE;
}

int32_t destroyEvents = 0;
int32_t CountDestroy(EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) {
  ++destroyEvents;
  return 0;
}
int32_t Ignore(EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg) { return 0; }

HBITMAP MakePicture(int width, int height, COLORREF left, COLORREF right);

TEST(DialogTeardown, DestroyedWindowClearsEverythingButThePictureMode) {
  shellMessages.clear();
  destroyEvents = 0;
  ShellNotifyFunction previousShell = shellNotifyFunction;
  shellNotifyFunction = RecordShellNotify;

  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kVisibleTemplate));
  HWND window = dialog.handle;
  dialog.BackgroundPicture(MakePicture(10, 10, RGB(255, 0, 0), RGB(0, 0, 255)), kPictureStretched);
  HGDIOBJ brush = dialog.backgroundBrush.get();
  HGDIOBJ picture = dialog.backgroundPicture.get();
  ASSERT_TRUE(dialog.AddTrayIcon(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)), "tip"));
  dialog.SetOnDestroy(CountDestroy);
  using Setter = void (DialogWindow::*)(EventHandler);
  const Setter setters[] = {&DialogWindow::SetOnMove,       &DialogWindow::SetOnSize,     &DialogWindow::SetOnActivate,
                            &DialogWindow::SetOnDeactivate, &DialogWindow::SetOnFirstActivate,
                            &DialogWindow::SetOnShow,       &DialogWindow::SetOnHide,     &DialogWindow::SetOnTrayNotify,
                            &DialogWindow::SetOnMenuCommand, &DialogWindow::SetOnHotKey,  &DialogWindow::SetOnCloseQuery};
  for (Setter set : setters) (dialog.*set)(Ignore);
  dialog.SetOnFileDrop(Ignore);
  dialog.KeepCaptionActive(true);
  dialog.DragByClientArea(true);
  dialog.SetResult(5);
  SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
  ASSERT_EQ(dialog.activatedOnce, 1);

  DestroyWindow(window);
  shellNotifyFunction = previousShell;

  EXPECT_EQ(destroyEvents, 1) << "OnDestroy runs before the members are cleared";
  EXPECT_EQ(dialog.handle, nullptr);
  EXPECT_FALSE(dialog.backgroundBrush);
  EXPECT_FALSE(dialog.backgroundPicture);
  EXPECT_EQ(GetObjectType(brush), 0u) << "brush released";
  EXPECT_EQ(GetObjectType(picture), 0u) << "picture released";
  EXPECT_EQ(dialog.backgroundColor, 0u);
  EXPECT_FALSE(dialog.trayData);
  EXPECT_FALSE(dialog.trayIcon);
  EXPECT_EQ(dialog.taskbarCreatedMessage, 0u);
  ASSERT_FALSE(shellMessages.empty());
  EXPECT_EQ(shellMessages.back(), static_cast<DWORD>(NIM_DELETE));
  const std::pair<const char*, EventHandler DialogWindow::*> events[] = {
      {"OnDestroy", &DialogWindow::OnDestroy},       {"OnMove", &DialogWindow::OnMove},
      {"OnSize", &DialogWindow::OnSize},             {"OnActivate", &DialogWindow::OnActivate},
      {"OnDeactivate", &DialogWindow::OnDeactivate}, {"OnFirstActivate", &DialogWindow::OnFirstActivate},
      {"OnShow", &DialogWindow::OnShow},             {"OnHide", &DialogWindow::OnHide},
      {"OnTrayNotify", &DialogWindow::OnTrayNotify}, {"OnMenuCommand", &DialogWindow::OnMenuCommand},
      {"OnHotKey", &DialogWindow::OnHotKey},         {"OnCreated", &DialogWindow::OnCreated},
      {"OnCloseQuery", &DialogWindow::OnCloseQuery}, {"OnFileDrop", &DialogWindow::OnFileDrop},
  };
  for (const auto& [name, member] : events) EXPECT_EQ(dialog.*member, nullptr) << name;
  EXPECT_EQ(dialog.keepActiveLook, 0);
  EXPECT_FALSE(dialog.KeepCaptionActive());
  EXPECT_FALSE(dialog.DragByClientArea());
  EXPECT_EQ(dialog.activatedOnce, 0);
  EXPECT_EQ(dialog.dialogResult, 0);
  EXPECT_EQ(dialog.modal, 0);
  EXPECT_EQ(dialog.pictureMode, kPictureStretched);
}

// --- background ----------------------------------------------------------------------

// A DIB section picture: the left half one colour, the right half another.
HBITMAP MakePicture(int width, int height, COLORREF left, COLORREF right) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<uint32_t*>(bits);
  auto dib = [](COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[y * width + x] = dib(x < width / 2 ? left : right);
  return bitmap;
}

// A 32-bit memory DC whose pixels the test reads back.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc_, &all, white);
    DeleteObject(white);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    uint32_t p = pixels_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  uint32_t* pixels_ = nullptr;
};

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct PaintCase {
  const char* name;
  int32_t mode;
  std::vector<std::tuple<int, int, COLORREF>> pixels;
};

TEST(DialogBackground, PaintsEachPictureMode) {
  // A 10 × 10 picture (red left half, blue right half) on a 300 × 200 area, colour green.
  const PaintCase cases[] = {
      {"tiled", kPictureTiled, {{2, 2, kRed}, {7, 2, kBlue}, {12, 3, kRed}, {297, 197, kBlue}}},
      {"top-left", kPictureTopLeft, {{2, 2, kRed}, {7, 9, kBlue}, {12, 2, kGreen}, {150, 100, kGreen}}},
      {"stretched", kPictureStretched, {{10, 100, kRed}, {140, 100, kRed}, {160, 100, kBlue}, {295, 195, kBlue}}},
      {"unknown mode", 7, {{2, 2, kWhite}, {150, 100, kWhite}}},
  };
  for (const PaintCase& c : cases) {
    SCOPED_TRACE(c.name);
    DialogWindow dialog;
    dialog.BackgroundColor(kGreen, false);
    dialog.BackgroundPicture(MakePicture(10, 10, kRed, kBlue), c.mode, false);
    Canvas canvas(300, 200);
    dialog.PaintBackground(canvas.dc(), RECT{0, 0, 300, 200});
    for (const auto& [x, y, colour] : c.pixels) EXPECT_EQ(canvas.At(x, y), colour) << "at " << x << "," << y;
  }
}

TEST(DialogBackground, PictureWithoutModeTilesUntilAColourReplacesTheBrush) {
  DialogWindow dialog;
  HBITMAP picture = MakePicture(8, 8, kRed, kBlue);
  HGDIOBJ brush = dialog.BackgroundPicture(picture, std::nullopt, false);
  LOGBRUSH description{};
  ASSERT_EQ(GetObjectA(brush, sizeof description, &description), static_cast<int>(sizeof description));
  EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_PATTERN));
  EXPECT_EQ(dialog.pictureMode, kPictureTiled);
  EXPECT_EQ(dialog.BackgroundPicture(), picture);

  EXPECT_EQ(dialog.BackgroundColor(kGreen, false), kGreen);
  EXPECT_EQ(GetObjectType(brush), 0u) << "the pattern brush is deleted";
  ASSERT_EQ(GetObjectA(dialog.backgroundBrush.get(), sizeof description, &description),
            static_cast<int>(sizeof description));
  EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(description.lbColor, kGreen);
  EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP)) << "the picture stays";

  HBITMAP next = MakePicture(4, 4, kBlue, kRed);
  dialog.BackgroundPicture(next, kPictureTopLeft, false);
  EXPECT_EQ(GetObjectType(picture), 0u) << "the replaced picture is deleted";
  dialog.BackgroundPicture(next, kPictureTopLeft, false);
  EXPECT_EQ(GetObjectType(next), static_cast<DWORD>(OBJ_BITMAP)) << "the same picture given again is kept";
}

TEST(DialogBackground, EraseMessagePaintsTheClientAreaAndReportsIt) {
  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kHiddenTemplate));
  dialog.BackgroundColor(RGB(1, 2, 3));
  RECT client{};
  GetClientRect(dialog.handle, &client);
  Canvas canvas(client.right + 10, client.bottom + 10);
  EXPECT_EQ(SendMessageA(dialog.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0), 1);
  EXPECT_EQ(canvas.At(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(canvas.At(client.right - 1, client.bottom - 1), RGB(1, 2, 3));
  EXPECT_EQ(canvas.At(client.right + 5, client.bottom + 5), kWhite) << "only the client rectangle";
  DestroyWindow(dialog.handle);
}

// --- window state --------------------------------------------------------------------

TEST(DialogWindowState, CentredOriginTruncatesTowardZero) {
  const struct {
    int32_t screen, window, origin;
  } cases[] = {{1024, 301, 361}, {1024, 300, 362}, {768, 768, 0}, {1024, 1025, 0}, {1024, 1027, -1}, {1024, 1030, -3}};
  for (const auto& c : cases) EXPECT_EQ(CenteredOrigin(c.screen, c.window), c.origin) << c.screen << " " << c.window;
}

TEST(DialogWindowState, CentringMovesShowsAndKeepsTheSize) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the session's screen";
  for (int32_t width : {301, 1027}) {
    SCOPED_TRACE(width);
    DialogWindow window;
    ASSERT_NE(window.CreateDirect(nullptr, "centre", WS_POPUP, 0, 5, 7, width, 101, kDirectClass), nullptr);
    EXPECT_NE(window.WindowState(kStateCentered), 0);
    RECT r{};
    GetWindowRect(window.handle, &r);
    EXPECT_EQ(r.left, CenteredOrigin(1024, width));
    EXPECT_EQ(r.top, CenteredOrigin(GetSystemMetrics(SM_CYSCREEN), 101));
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_TRUE(IsWindowVisible(window.handle));
    DestroyWindow(window.handle);
  }
}

TEST(DialogWindowState, ShowStatesAndTheirReadBack) {
  DialogWindow window;
  ASSERT_NE(window.CreateDirect(nullptr, "states", WS_OVERLAPPEDWINDOW, 0, 10, 10, 200, 100, kDirectClass), nullptr);
  window.WindowState(kStateNormal);
  EXPECT_EQ(window.WindowState(), kStateNormal);
  window.WindowState(kStateMinimized);
  EXPECT_EQ(window.WindowState(), kStateMinimized);
  window.WindowState(kStateMaximized);
  EXPECT_EQ(window.WindowState(), kStateMaximized);
  window.WindowState(kStateNormal);
  EXPECT_EQ(window.WindowState(), kStateNormal);
  EXPECT_TRUE(IsWindowVisible(window.handle));
  window.WindowState(7);
  EXPECT_FALSE(IsWindowVisible(window.handle));
  DestroyWindow(window.handle);
}

TEST(DialogIcon, SmallIconUnlessTheBigOneIsAsked) {
  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kHiddenTemplate));
  EXPECT_EQ(dialog.Icon(), nullptr);
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  EXPECT_EQ(dialog.Icon(icon), nullptr) << "the previous small icon";
  EXPECT_EQ(dialog.Icon(), icon);
  EXPECT_EQ(dialog.Icon(std::nullopt, 1), nullptr) << "the big icon is untouched";
  DestroyWindow(dialog.handle);
}

TEST(DialogCreateDirect, TakesTheParentsIconsAndTheButtonFaceBackground) {
  DialogWindow parent;
  ASSERT_TRUE(parent.LoadModeless(nullptr, kHiddenTemplate));
  HICON small = LoadIconA(nullptr, IDI_APPLICATION);
  HICON big = LoadIconA(nullptr, IDI_WARNING);
  parent.Icon(small);
  parent.Icon(big, 1);
  DialogWindow child;
  HWND window = child.CreateDirect(parent.handle, "child", WS_POPUP, 0, 0, 0, 100, 50, kDirectClass);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowObject(window), &child);
  EXPECT_EQ(child.Icon(), small);
  EXPECT_EQ(child.Icon(std::nullopt, 1), big);
  EXPECT_EQ(child.BackgroundColor(), GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CLIPSIBLINGS);
  DestroyWindow(window);
  DestroyWindow(parent.handle);
}

// --- hot keys ------------------------------------------------------------------------

TEST(DialogHotKeys, IdentifiersRiseOnlyWithSuccessAndAreNeverReused) {
  HWND other = MakeTopLevelWindow("hot key holder");
  ASSERT_TRUE(RegisterHotKey(other, 0xB000, MOD_CONTROL | MOD_ALT, VK_F9));
  hotKeyCounter = 0;
  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kHiddenTemplate));
  EXPECT_EQ(dialog.AddHotKey(MOD_CONTROL | MOD_ALT, VK_F9), 0) << "the combination is taken";
  EXPECT_EQ(hotKeyCounter, 0);
  EXPECT_EQ(dialog.AddHotKey(MOD_CONTROL | MOD_ALT, VK_F10), 1);
  EXPECT_EQ(dialog.AddHotKey(MOD_CONTROL | MOD_ALT, VK_F11), 2);
  EXPECT_TRUE(dialog.RemoveHotKey(1));
  EXPECT_FALSE(dialog.RemoveHotKey(1));
  EXPECT_EQ(dialog.AddHotKey(MOD_CONTROL | MOD_ALT, VK_F10), 3);
  dialog.RemoveHotKey(2);
  dialog.RemoveHotKey(3);
  UnregisterHotKey(other, 0xB000);
  DestroyWindow(dialog.handle);
  DestroyWindow(other);
}

// --- dialog-level events -------------------------------------------------------------

std::string eventLog;
template <int Arity>
int32_t Log(const char* name, EventArg a, EventArg b, EventArg c) {
  if (!eventLog.empty()) eventLog += ' ';
  eventLog += name;
  if (Arity > 0) {
    const EventArg args[] = {a, b, c};
    eventLog += '(';
    for (int i = 0; i < Arity; ++i) eventLog += (i ? "," : "") + std::to_string(static_cast<int32_t>(args[i]));
    eventLog += ')';
  }
  return 0;
}
#define RC2E_RECORDER(Name, Arity)                                                              \
  int32_t Record##Name(EventArg a, EventArg b, EventArg c, EventArg, EventArg, EventArg, EventArg) { \
    return Log<Arity>(#Name, a, b, c);                                                          \
  }
RC2E_RECORDER(Destroy, 0)
RC2E_RECORDER(Move, 2)
RC2E_RECORDER(Size, 2)
RC2E_RECORDER(Activate, 0)
RC2E_RECORDER(Deactivate, 0)
RC2E_RECORDER(FirstActivate, 0)
RC2E_RECORDER(Show, 0)
RC2E_RECORDER(Hide, 0)
RC2E_RECORDER(Tray, 1)
RC2E_RECORDER(Menu, 1)
RC2E_RECORDER(HotKey, 3)
#undef RC2E_RECORDER

struct NotificationCase {
  const char* name;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  const char* events;
};

TEST(DialogNotification, MessagesRaiseTheirEvents) {
  const NotificationCase cases[] = {
      {"destroy", WM_DESTROY, 0, 0, "Destroy"},
      {"move, signed high word", WM_MOVE, 0, MAKELPARAM(10, -5), "Move(10,-5)"},
      {"move, unsigned low word", WM_MOVE, 0, MAKELPARAM(-1, 3), "Move(65535,3)"},
      {"size", WM_SIZE, 0, MAKELPARAM(300, 200), "Size(300,200)"},
      {"first activation", WM_ACTIVATE, WA_ACTIVE, 0, "FirstActivate Activate"},
      {"later activation", WM_ACTIVATE, WA_CLICKACTIVE, 0, "Activate"},
      {"deactivation", WM_ACTIVATE, WA_INACTIVE, 0, "Deactivate"},
      {"shown", WM_SHOWWINDOW, 1, 0, "Show"},
      {"hidden", WM_SHOWWINDOW, 0, 0, "Hide"},
      {"menu command", WM_COMMAND, MAKEWPARAM(40001, 0), 0, "Menu(40001)"},
      {"accelerator", WM_COMMAND, MAKEWPARAM(40002, 1), 0, "Menu(40002)"},
      {"control notification", WM_COMMAND, MAKEWPARAM(2001, 0), 0x1234, ""},
      {"other notification code", WM_COMMAND, MAKEWPARAM(40003, 2), 0, ""},
      {"hot key", WM_HOTKEY, 3, MAKELPARAM(MOD_ALT, VK_F11), "HotKey(3,1,122)"},
      {"tray left button down", kTrayCallbackMessage, 1, WM_LBUTTONDOWN, "Tray(1)"},
      {"tray right button down", kTrayCallbackMessage, 1, WM_RBUTTONDOWN, "Tray(2)"},
      {"tray middle button down", kTrayCallbackMessage, 1, WM_MBUTTONDOWN, "Tray(3)"},
      {"tray left double click", kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK, "Tray(4)"},
      {"tray right double click", kTrayCallbackMessage, 1, WM_RBUTTONDBLCLK, "Tray(5)"},
      {"tray middle double click", kTrayCallbackMessage, 1, WM_MBUTTONDBLCLK, "Tray(6)"},
      {"tray mouse move", kTrayCallbackMessage, 1, WM_MOUSEMOVE, "Tray(7)"},
      {"balloon shown", kTrayCallbackMessage, 1, NIN_BALLOONSHOW, "Tray(8)"},
      {"balloon timed out", kTrayCallbackMessage, 1, NIN_BALLOONTIMEOUT, "Tray(9)"},
      {"balloon clicked", kTrayCallbackMessage, 1, NIN_BALLOONUSERCLICK, "Tray(10)"},
      {"tray button up", kTrayCallbackMessage, 1, WM_LBUTTONUP, "Tray(0)"},
      {"balloon hidden", kTrayCallbackMessage, 1, NIN_BALLOONHIDE, "Tray(0)"},
      {"unrelated message", WM_TIMER, 1, 0, ""},
  };
  DialogWindow dialog;
  dialog.SetOnDestroy(RecordDestroy);
  dialog.SetOnMove(RecordMove);
  dialog.SetOnSize(RecordSize);
  dialog.SetOnActivate(RecordActivate);
  dialog.SetOnDeactivate(RecordDeactivate);
  dialog.SetOnFirstActivate(RecordFirstActivate);
  dialog.SetOnShow(RecordShow);
  dialog.SetOnHide(RecordHide);
  dialog.SetOnTrayNotify(RecordTray);
  dialog.SetOnMenuCommand(RecordMenu);
  dialog.SetOnHotKey(RecordHotKey);
  for (const NotificationCase& c : cases) {
    eventLog.clear();
    EXPECT_EQ(dialog.DispatchNotification(nullptr, c.message, c.wParam, c.lParam), 0) << c.name;
    EXPECT_EQ(eventLog, c.events) << c.name;
  }
}

TEST(DialogNotification, FirstActivationIsSpentEvenWithoutAHandler) {
  DialogWindow dialog;
  dialog.DispatchNotification(nullptr, WM_ACTIVATE, WA_ACTIVE, 0);
  dialog.SetOnFirstActivate(RecordFirstActivate);
  eventLog.clear();
  dialog.DispatchNotification(nullptr, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(eventLog, "");
}

TEST(DialogNotification, CaptionKeepsItsActiveLookOnlyWhenAskedAndDeactivated) {
  const struct {
    bool keep;
    WPARAM active;
    LRESULT result;
  } cases[] = {{true, 0, 1}, {true, 1, 0}, {false, 0, 0}, {false, 1, 0}};
  for (const auto& c : cases) {
    DialogWindow dialog;
    EXPECT_TRUE(dialog.KeepCaptionActive(c.keep));
    EXPECT_EQ(dialog.KeepCaptionActive(), c.keep);
    EXPECT_EQ(dialog.DispatchNotification(nullptr, WM_NCACTIVATE, c.active, 0), c.result)
        << "keep " << c.keep << ", wParam " << c.active;
  }
}

TEST(DialogNotification, TaskbarRecreationShowsTheIconAgain) {
  shellMessages.clear();
  ShellNotifyFunction previousShell = shellNotifyFunction;
  shellNotifyFunction = RecordShellNotify;
  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kHiddenTemplate));
  dialog.AddTrayIcon(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)), "tip");
  ASSERT_NE(dialog.taskbarCreatedMessage, 0u);
  shellMessages.clear();
  SendMessageA(dialog.handle, dialog.taskbarCreatedMessage, 0, 0);
  EXPECT_EQ(shellMessages, (std::vector<DWORD>{NIM_DELETE, NIM_ADD}));
  EXPECT_EQ(dialog.trayData.ReadNumber(notify_icon_layout::kFlags), kTrayFlagsIcon);
  DestroyWindow(dialog.handle);
  shellNotifyFunction = previousShell;
}

// Intercepts the caption press that a client-area drag sends, so no move loop starts.
class DragProbe : public DialogWindow {
 public:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NCLBUTTONDOWN) {
      captionPresses.push_back(wParam);
      return 0;
    }
    return DialogWindow::HandleMessage(window, message, wParam, lParam);
  }
  std::vector<WPARAM> captionPresses;
};

TEST(DialogDrag, LeftButtonInTheClientAreaPressesTheCaptionWhenEnabled) {
  DragProbe dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kVisibleTemplate));
  SendMessageA(dialog.handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(dialog.captionPresses.empty());
  EXPECT_TRUE(dialog.DragByClientArea(true));
  EXPECT_TRUE(dialog.DragByClientArea());
  SendMessageA(dialog.handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(dialog.captionPresses, (std::vector<WPARAM>{HTCAPTION}));
  SendMessageA(dialog.handle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  DestroyWindow(dialog.handle);
}

// --- dialog items --------------------------------------------------------------------

TEST(DialogItems, TextAndNumberWrappers) {
  DialogWindow dialog;
  ASSERT_TRUE(dialog.LoadModeless(nullptr, kVisibleTemplate));
  EXPECT_EQ(dialog.GetItem(kEditId), GetDlgItem(dialog.handle, kEditId));
  EXPECT_EQ(dialog.GetItem(9999), nullptr);
  EXPECT_TRUE(dialog.SetItemText(kEditId, "hello"));
  const struct {
    int32_t maxLength;
    const char* text;
  } reads[] = {{100, "hello"}, {5, "hello"}, {3, "hel"}, {0, ""}, {-1, ""}, {-20, ""}};
  for (const auto& r : reads) EXPECT_STREQ(dialog.GetItemText(kEditId, r.maxLength).c_str(), r.text) << r.maxLength;
  EXPECT_TRUE(dialog.GetItemText(kEditId, -1).IsNull());

  EXPECT_TRUE(dialog.SetItemInt(kEditId, -5));
  bool translated = false;
  EXPECT_EQ(dialog.GetItemInt(kEditId, translated), -5);
  EXPECT_TRUE(translated);
  EXPECT_TRUE(dialog.SetItemText(kEditId, "x1"));
  EXPECT_EQ(dialog.GetItemInt(kEditId, translated), 0);
  EXPECT_FALSE(translated);
  dialog.SetItemInt(kEditId, -5);
  EXPECT_EQ(dialog.SendItemMessage(kEditId, WM_GETTEXTLENGTH, 0, 0), 2);

  int32_t horizontal = 0, vertical = 0;
  dialog.DialogBaseUnits(&horizontal, &vertical);
  EXPECT_EQ(horizontal, LOWORD(GetDialogBaseUnits()));
  EXPECT_EQ(vertical, HIWORD(GetDialogBaseUnits()));
  dialog.DialogBaseUnits();
  DestroyWindow(dialog.handle);
}

TEST(DialogClone, CopyOwnsItsOwnHandles) {
  DialogWindow dialog;
  dialog.BackgroundColor(kGreen, false);
  dialog.BackgroundPicture(MakePicture(4, 4, kRed, kBlue), kPictureTiled, false);
  dialog.SetResult(3);
  std::unique_ptr<WindowBase> copy = dialog.Clone();
  auto* clone = dynamic_cast<DialogWindow*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->dialogResult, 3);
  EXPECT_EQ(clone->backgroundColor, kGreen);
  ASSERT_TRUE(clone->backgroundPicture);
  EXPECT_NE(clone->backgroundPicture.get(), dialog.backgroundPicture.get());
  EXPECT_NE(clone->backgroundBrush.get(), dialog.backgroundBrush.get());
  HGDIOBJ clonedBrush = clone->backgroundBrush.get();
  copy.reset();
  EXPECT_EQ(GetObjectType(clonedBrush), 0u);
  EXPECT_EQ(GetObjectType(dialog.backgroundBrush.get()), static_cast<DWORD>(OBJ_BRUSH));
}

}  // namespace
}  // namespace rc2e
