// DialogWindow operations: template loading, the hidden owner, class copies, background,
// window state, icon, flags, hot keys, item wrappers, dialog dispatch and teardown hooks.
// Tray operations and the menu bar are defined in dialog_window_tray.cpp and _menu.cpp.
#include "framework/dialog_window.h"

#include <cstring>

#include "framework/dispatch.h"
#include "framework/program_module.h"
#include "framework/shell_notify.h"
#include "framework/text_argument.h"

namespace rc2e {

namespace {

HBITMAP CopyOfBitmap(HBITMAP source) {
  return source ? static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
}

// Copies picture into dc at rect's top-left through a memory DC, unscaled or stretched to rect.
void DrawPicture(HDC dc, HBITMAP picture, const RECT& rect, bool stretch) {
  BITMAP size{};
  GetObjectA(picture, sizeof size, &size);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(memory, picture);
  int32_t width = rect.right - rect.left;
  int32_t height = rect.bottom - rect.top;
  if (stretch) {
    StretchBlt(dc, rect.left, rect.top, width, height, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  } else {
    // Only the picture's own pixels are copied; beyond them the solid colour stays.
    BitBlt(dc, rect.left, rect.top, width < size.bmWidth ? width : size.bmWidth,
           height < size.bmHeight ? height : size.bmHeight, memory, 0, 0, SRCCOPY);
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
}

// A copy of "#32770" under another name, so a template's CLASS statement can name it.
void RegisterDialogClassCopy(const char* className) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  GetClassInfoExA(programModule.moduleHandle, kSystemDialogClass, &description);
  description.lpszClassName = className;
  RegisterClassExA(&description);  // fails harmlessly when the name exists already
}

}  // namespace

// construction

DialogWindow::DialogWindow(CloneTag, const DialogWindow& other)
    : WindowBase(other),
      backgroundColor(other.backgroundColor),
      backgroundPicture(CopyOfBitmap(other.backgroundPicture.get())),
      pictureMode(other.pictureMode),
      trayIcon(other.trayIcon ? CopyIcon(other.trayIcon.get()) : nullptr),
      taskbarCreatedMessage(other.taskbarCreatedMessage),
      OnDestroy(other.OnDestroy),
      OnMove(other.OnMove),
      OnSize(other.OnSize),
      OnActivate(other.OnActivate),
      OnDeactivate(other.OnDeactivate),
      OnFirstActivate(other.OnFirstActivate),
      OnShow(other.OnShow),
      OnHide(other.OnHide),
      OnTrayNotify(other.OnTrayNotify),
      OnMenuCommand(other.OnMenuCommand),
      keepActiveLook(other.keepActiveLook),
      dragByClientArea(other.dragByClientArea),
      activatedOnce(other.activatedOnce),
      OnHotKey(other.OnHotKey),
      dialogResult(other.dialogResult),
      modal(other.modal),
      OnCreated(other.OnCreated),
      OnCloseQuery(other.OnCloseQuery) {
  if (other.backgroundBrush) {
    bool tiled = pictureMode == kPictureTiled && backgroundPicture;
    backgroundBrush.Reset(tiled ? CreatePatternBrush(backgroundPicture.get()) : CreateSolidBrush(backgroundColor));
  }
  if (other.trayData) {
    trayData = NotifyIconBlock::Allocate();
    std::memcpy(trayData.data(), other.trayData.data(), kNotifyIconBlockSize);
  }
}

DialogWindow::~DialogWindow() {
  // A record that ends while its icon is shown takes the icon out of the notification area;
  // a clone, which the registry does not name for the window, leaves the original's icon.
  if (trayData && FindWindowObject(handle) == this) ShellNotify(NIM_DELETE, trayData.data());
}

// lifetime

std::unique_ptr<WindowBase> DialogWindow::Clone() const {
  return std::make_unique<DialogWindow>(CloneTag{}, *this);
}

// message handling

LRESULT DialogWindow::DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      InvokeEvent(OnCreated, ToEventArg(window));
      RECT client{};
      GetClientRect(window, &client);
      SendMessageA(window, WM_SIZE, 0, MAKELPARAM(client.right - client.left, client.bottom - client.top));
      return 0;
    }
    case WM_CLOSE:
      if (InvokeEvent(OnCloseQuery) != 0) return 1;
      if (modal == 1) {
        EndDialog(window, dialogResult);
      } else {
        DestroyWindow(window);
      }
      return 1;
    default:
      return DispatchNotification(window, message, wParam, lParam) != 0 ? 1 : 0;
  }
}

LRESULT DialogWindow::DispatchNotification(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      InvokeEvent(OnDestroy);
      return 0;
    case WM_MOVE:
      InvokeEvent(OnMove, LowWord(lParam), ToEventArg(HighWord(lParam)));
      return 0;
    case WM_SIZE:
      InvokeEvent(OnSize, LowWord(lParam), ToEventArg(HighWord(lParam)));
      return 0;
    case WM_ACTIVATE:
      if (LowWord(wParam) != 0) {
        if (activatedOnce == 0) {
          activatedOnce = 1;
          InvokeEvent(OnFirstActivate);
        }
        InvokeEvent(OnActivate);
      } else {
        InvokeEvent(OnDeactivate);
      }
      return 0;
    case WM_SHOWWINDOW:
      InvokeEvent(wParam != 0 ? OnShow : OnHide);
      return 0;
    case kTrayCallbackMessage:
      InvokeEvent(OnTrayNotify, ToEventArg(TrayNotifyCode(lParam)));
      return 0;
    case WM_NCACTIVATE:
      return wParam == 0 && keepActiveLook == 1 ? 1 : 0;
    case WM_COMMAND: {
      int32_t code = HighWord(wParam);
      if ((code == 0 || code == 1) && lParam == 0 && OnMenuCommand) InvokeEvent(OnMenuCommand, LowWord(wParam));
      return 0;
    }
    case WM_HOTKEY:
      InvokeEvent(OnHotKey, static_cast<EventArg>(wParam), LowWord(lParam), ToEventArg(HighWord(lParam)));
      return 0;
    default:
      break;
  }
  if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage && trayData) {
    // The shell came back: show the icon again from the block.
    ShellNotify(NIM_DELETE, trayData.data());
    NotifyIconFields fields;
    fields.flags = kTrayFlagsIcon;
    trayData.Write(fields);
    ShellNotify(NIM_ADD, trayData.data());
  }
  return 0;
}

void DialogWindow::ResetDialogState() {
  dialogResult = 0;
  OnCloseQuery = nullptr;
  OnCreated = nullptr;
  modal = 0;
}

// overrideables

LRESULT DialogWindow::HookEraseBackground(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  PaintBackground(dc, client);
  return 1;
}

void DialogWindow::HookLeftButtonDown(HWND, LPARAM) {
  if (dragByClientArea != 0) SendMessageA(handle, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void DialogWindow::HookDestroyed(HWND) {
  ResetDialogState();
  backgroundBrush.Reset();
  backgroundPicture.Reset();
  if (trayData) {
    trayIcon.Reset();
    ShellNotify(NIM_DELETE, trayData.data());
    trayData.Free();
  }
  trayIcon.Reset();
  backgroundColor = 0;
  taskbarCreatedMessage = 0;
  OnDestroy = nullptr;
  OnMove = nullptr;
  OnSize = nullptr;
  OnActivate = nullptr;
  OnDeactivate = nullptr;
  OnFirstActivate = nullptr;
  OnShow = nullptr;
  OnHide = nullptr;
  OnTrayNotify = nullptr;
  OnMenuCommand = nullptr;
  OnHotKey = nullptr;
  keepActiveLook = 0;
  dragByClientArea = 0;
  activatedOnce = 0;
}

// background

void DialogWindow::PaintBackground(HDC dc, const RECT& rect) {
  switch (pictureMode) {
    case kPictureTiled:
      FillRect(dc, &rect, backgroundBrush.get());
      break;
    case kPictureTopLeft:
    case kPictureStretched:
      FillRect(dc, &rect, backgroundBrush.get());
      if (backgroundPicture) DrawPicture(dc, backgroundPicture.get(), rect, pictureMode == kPictureStretched);
      break;
    default:
      break;
  }
}

void DialogWindow::ReservedHook(uint32_t) {}

// creation without a template

HWND DialogWindow::CreateDirect(HWND parent, const char* caption, DWORD style, DWORD exStyle, int32_t x, int32_t y,
                                int32_t width, int32_t height, const char* className) {
  BackgroundColor(GetSysColor(COLOR_BTNFACE), false);
  HWND created = CreateEx(parent, exStyle, className, caption, style, x, y, width, height, nullptr, nullptr);
  if (created && parent) {
    LRESULT small = SendMessageA(parent, WM_GETICON, ICON_SMALL, 0);
    LRESULT big = SendMessageA(parent, WM_GETICON, ICON_BIG, 0);
    SendMessageA(created, WM_SETICON, ICON_SMALL, small);
    SendMessageA(created, WM_SETICON, ICON_BIG, big);
  }
  return created;
}

// appearance

COLORREF DialogWindow::BackgroundColor(std::optional<COLORREF> color, std::optional<bool> repaint) {
  if (!color) return backgroundColor;
  backgroundBrush.Reset();
  backgroundColor = *color;
  backgroundBrush.Reset(CreateSolidBrush(*color));
  if (repaint.value_or(true)) Invalidate(true);
  return backgroundColor;
}

HGDIOBJ DialogWindow::BackgroundPicture(std::optional<HBITMAP> picture, std::optional<int32_t> mode,
                                        std::optional<bool> repaint) {
  if (!picture) return backgroundPicture.get();
  backgroundPicture.Reset(*picture);  // the same bitmap given again is kept, not deleted
  pictureMode = mode.value_or(kPictureTiled);
  backgroundBrush.Reset();
  backgroundBrush.Reset(pictureMode == kPictureTiled ? CreatePatternBrush(*picture) : CreateSolidBrush(backgroundColor));
  if (repaint.value_or(true)) Invalidate(true);
  return backgroundBrush.get();
}

int32_t DialogWindow::WindowState(std::optional<int32_t> state) {
  if (!state) {
    if (IsIconic(handle)) return kStateMinimized;
    if (IsZoomed(handle)) return kStateMaximized;
    return kStateNormal;
  }
  if (*state == kStateCentered) {
    RECT rect = RectInParent();
    int32_t x = CenteredOrigin(GetSystemMetrics(SM_CXSCREEN), rect.right - rect.left);
    int32_t y = CenteredOrigin(GetSystemMetrics(SM_CYSCREEN), rect.bottom - rect.top);
    return SetWindowPos(handle, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
  }
  int command = SW_HIDE;
  if (*state == kStateNormal) command = SW_SHOWNORMAL;
  if (*state == kStateMinimized) command = SW_MINIMIZE;
  if (*state == kStateMaximized) command = SW_SHOWMAXIMIZED;
  return ShowWindow(handle, command);
}

HICON DialogWindow::Icon(std::optional<HICON> icon, std::optional<int32_t> size) {
  WPARAM which = static_cast<WPARAM>(size.value_or(ICON_SMALL));
  if (!icon) return reinterpret_cast<HICON>(SendMessageA(handle, WM_GETICON, which, 0));
  return reinterpret_cast<HICON>(SendMessageA(handle, WM_SETICON, which, reinterpret_cast<LPARAM>(*icon)));
}

// behaviour flags

bool DialogWindow::KeepCaptionActive(std::optional<bool> on) {
  if (!on) return keepActiveLook == 1;
  keepActiveLook = *on ? 1 : 0;
  return true;
}

bool DialogWindow::DragByClientArea(std::optional<bool> on) {
  if (!on) return dragByClientArea != 0;
  dragByClientArea = *on ? 1 : 0;
  return true;
}

// hot keys

int32_t DialogWindow::AddHotKey(uint32_t modifiers, uint32_t virtualKey) {
  int32_t identifier = hotKeyCounter + 1;
  if (!RegisterHotKey(handle, identifier, modifiers, virtualKey)) return 0;
  hotKeyCounter = identifier;
  return identifier;
}

bool DialogWindow::RemoveHotKey(int32_t identifier) { return UnregisterHotKey(handle, identifier) != 0; }

// event setters

void DialogWindow::SetOnMenuCommand(EventHandler handler) { OnMenuCommand = handler; }
void DialogWindow::SetOnDestroy(EventHandler handler) { OnDestroy = handler; }
void DialogWindow::SetOnMove(EventHandler handler) { OnMove = handler; }
void DialogWindow::SetOnSize(EventHandler handler) { OnSize = handler; }
void DialogWindow::SetOnActivate(EventHandler handler) { OnActivate = handler; }
void DialogWindow::SetOnDeactivate(EventHandler handler) { OnDeactivate = handler; }
void DialogWindow::SetOnFirstActivate(EventHandler handler) { OnFirstActivate = handler; }
void DialogWindow::SetOnShow(EventHandler handler) { OnShow = handler; }
void DialogWindow::SetOnHide(EventHandler handler) { OnHide = handler; }
void DialogWindow::SetOnTrayNotify(EventHandler handler) { OnTrayNotify = handler; }
void DialogWindow::SetOnHotKey(EventHandler handler) { OnHotKey = handler; }
void DialogWindow::SetOnCloseQuery(EventHandler handler) { OnCloseQuery = handler; }

// loading a template

HWND DialogWindow::OwnerForLoad(HWND owner, std::optional<bool> showInTaskbar) {
  if (owner || showInTaskbar.value_or(true)) return owner;
  RegisterWindowClass(kHiddenOwnerClass, OwnerWindowProc, nullptr);
  return CreateWindowExA(0, kHiddenOwnerClass, kHiddenOwnerTitle, 0, 0, 0, kHiddenOwnerWidth, kHiddenOwnerHeight,
                         nullptr, nullptr, programModule.moduleHandle, nullptr);
}

bool DialogWindow::LoadModeless(HWND owner, int32_t templateId, EventHandler onCreatedHandler, const char* className,
                                std::optional<bool> showInTaskbar) {
  owner = OwnerForLoad(owner, showInTaskbar);
  return CreateFromTemplate(owner, templateId, onCreatedHandler, false, className) != 0;
}

int32_t DialogWindow::Load(HWND owner, int32_t templateId, EventHandler onCreatedHandler, const char* className,
                           std::optional<bool> showInTaskbar) {
  owner = OwnerForLoad(owner, showInTaskbar);
  return static_cast<int32_t>(CreateFromTemplate(owner, templateId, onCreatedHandler, true, className));
}

INT_PTR DialogWindow::CreateFromTemplate(HWND owner, int32_t templateId, EventHandler onCreatedHandler,
                                         bool modalDialog, const char* className) {
  PendingDialog = nullptr;
  if (handle) return 0;
  PendingDialog = this;
  if (onCreatedHandler) OnCreated = onCreatedHandler;
  modal = modalDialog ? 1 : 0;
  if (className && *className && std::strcmp(className, kSystemDialogClass) != 0) RegisterDialogClassCopy(className);
  BackgroundColor(GetSysColor(COLOR_BTNFACE), false);
  const char* resource = MAKEINTRESOURCEA(templateId);
  if (modalDialog) return DialogBoxParamA(programModule.moduleHandle, resource, owner, FrameworkDialogProc, 0);
  return reinterpret_cast<INT_PTR>(
      CreateDialogParamA(programModule.moduleHandle, resource, owner, FrameworkDialogProc, 0));
}

// dialog items

bool DialogWindow::AttachDialog(HWND window) { return AttachHandle(window) != nullptr; }

void DialogWindow::SetResult(int32_t value) { dialogResult = value; }

HWND DialogWindow::GetItem(int32_t controlId) { return GetDlgItem(handle, controlId); }

int32_t DialogWindow::GetItemInt(int32_t controlId, bool& translated, std::optional<bool> isSigned) {
  BOOL converted = FALSE;
  UINT value = GetDlgItemInt(handle, controlId, &converted, isSigned.value_or(true) ? TRUE : FALSE);
  translated = converted != FALSE;
  return static_cast<int32_t>(value);
}

bool DialogWindow::SetItemInt(int32_t controlId, int32_t value) {
  return SetDlgItemInt(handle, controlId, static_cast<UINT>(value), TRUE) != 0;
}

Text DialogWindow::GetItemText(int32_t controlId, int32_t maxLength) {
  if (maxLength < 0) return Text();
  Text buffer = Text::WithLength(static_cast<size_t>(maxLength));
  GetDlgItemTextA(handle, controlId, buffer.data(), maxLength == INT32_MAX ? maxLength : maxLength + 1);
  return Text::Copy(buffer.c_str());
}

bool DialogWindow::SetItemText(int32_t controlId, const char* text) {
  return SetDlgItemTextA(handle, controlId, TextOrEmpty(text)) != 0;
}

LRESULT DialogWindow::SendItemMessage(int32_t controlId, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(handle, controlId, message, wParam, lParam);
}

void DialogWindow::DialogBaseUnits(int32_t* horizontal, int32_t* vertical) {
  LONG units = GetDialogBaseUnits();
  if (horizontal) *horizontal = LOWORD(units);
  if (vertical) *vertical = HIWORD(units);
}

// framework functions

ATOM RegisterWindowClass(const char* className, WNDPROC procedure, HICON icon, std::optional<UINT> style) {
  WNDCLASSEXA description{};
  description.cbSize = sizeof description;
  description.style = style.value_or(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  description.lpfnWndProc = procedure;
  description.hInstance = programModule.moduleHandle;
  description.hIcon = icon;
  description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  description.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  description.lpszMenuName = "";
  description.lpszClassName = className;
  return RegisterClassExA(&description);
}

int32_t CenteredOrigin(int32_t screenExtent, int32_t windowExtent) {
  double origin = (static_cast<double>(screenExtent) - static_cast<double>(windowExtent)) / 2.0;
  return static_cast<int32_t>(origin);  // truncation toward zero
}

int32_t TrayNotifyCode(LPARAM trayEvent) {
  switch (static_cast<UINT>(trayEvent)) {
    case WM_LBUTTONDOWN: return 1;
    case WM_RBUTTONDOWN: return 2;
    case WM_MBUTTONDOWN: return 3;
    case WM_LBUTTONDBLCLK: return 4;
    case WM_RBUTTONDBLCLK: return 5;
    case WM_MBUTTONDBLCLK: return 6;
    case WM_MOUSEMOVE: return 7;
    case NIN_BALLOONSHOW: return 8;
    case NIN_BALLOONTIMEOUT: return 9;
    case NIN_BALLOONUSERCLICK: return 10;
    default: return 0;
  }
}

}  // namespace rc2e
