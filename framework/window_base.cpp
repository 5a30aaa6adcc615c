// WindowBase operations: binding, Detach, geometry, state, styles, text, properties,
// cursor and font ownership, class icon and cursor, event setters, Attach and Subclass.
// Message dispatch and the mouse enter/leave hooks are in dispatch.cpp; shapes elsewhere.
#include "framework/window_base.h"

#include <shellapi.h>

#include <cstring>

#include "framework/dispatch.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"
#include "framework/text_argument.h"
#include "runtime/value_ops.h"

namespace rc2e {

namespace {

HFONT CopyOfFont(HFONT source) {
  if (!source) return nullptr;
  LOGFONTA description{};
  if (GetObjectA(source, sizeof description, &description) == 0) return nullptr;
  return CreateFontIndirectA(&description);
}

// old | set & ~clear written back with SetWindowLongA, then the frame recomputed.
int32_t ChangeWindowLong(HWND window, int index, uint32_t set, uint32_t clear) {
  uint32_t old = static_cast<uint32_t>(GetWindowLongA(window, index));
  LONG result = SetWindowLongA(window, index, static_cast<LONG>((old | set) & ~clear));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return result;
}

struct Placement {
  POINT topLeft;  // in the parent's (or owner's) client coordinates when it has one
  int32_t width;
  int32_t height;
};

Placement CurrentPlacement(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT topLeft{rect.left, rect.top};
  ScreenToClient(GetParent(window), &topLeft);
  return {topLeft, rect.right - rect.left, rect.bottom - rect.top};
}

WPARAM DefaultGuiFont() { return reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)); }

}  // namespace

// construction

WindowBase::WindowBase(const WindowBase& other)
    : handle(other.handle),
      previousProc(other.previousProc),
      cursor(other.cursor ? CopyCursor(other.cursor.get()) : nullptr),
      OnLeftButtonDown(other.OnLeftButtonDown),
      OnLeftButtonUp(other.OnLeftButtonUp),
      OnLeftDoubleClick(other.OnLeftDoubleClick),
      OnRightButtonDown(other.OnRightButtonDown),
      OnRightButtonUp(other.OnRightButtonUp),
      OnMouseMove(other.OnMouseMove),
      OnGotFocus(other.OnGotFocus),
      OnLostFocus(other.OnLostFocus),
      OnKeyDown(other.OnKeyDown),
      OnKeyUp(other.OnKeyUp),
      OnChar(other.OnChar),
      OnMouseWheel(other.OnMouseWheel),
      OnFileDrop(other.OnFileDrop),
      mouseInside(other.mouseInside),
      OnMouseEnter(other.OnMouseEnter),
      OnMouseLeave(other.OnMouseLeave),
      OnPaint(other.OnPaint),
      font(CopyOfFont(other.font.get())) {}

WindowBase::~WindowBase() {
  // Only the object the registry names for the window gives the procedure back, so a
  // clone ending leaves the original's window alone.
  if (handle && previousProc && FindWindowObject(handle) == this &&
      reinterpret_cast<WNDPROC>(GetWindowLongA(handle, GWL_WNDPROC)) == FrameworkWindowProc) {
    SetWindowLongA(handle, GWL_WNDPROC, reinterpret_cast<LONG>(previousProc));
  }
  if (HandleMap* registry = WindowRegistry()) registry->RemoveAllWithValue(HandleKey(this));
  if (PendingDialog == this) PendingDialog = nullptr;
}

void WindowBase::Destroy() { Detach(handle); }

std::unique_ptr<WindowBase> WindowBase::Clone() const { return std::make_unique<WindowBase>(*this); }

// message handling (HandleMessage is in dispatch.cpp)

LRESULT WindowBase::DefaultOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT WindowBase::DialogMessage(HWND, UINT, WPARAM, LPARAM) { return 0; }

LRESULT WindowBase::DefaultMdiChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT WindowBase::DefaultMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// overrideables

LRESULT WindowBase::ReflectCommand(HWND, HWND, int32_t, int32_t) { return 0; }
LRESULT WindowBase::ReflectNotify(HWND, HWND, int32_t, int32_t, NMHDR*) { return 0; }
LRESULT WindowBase::ReflectColor(HWND, HDC) { return 0; }

LRESULT WindowBase::HookSetCursor(HWND, UINT, WPARAM wParam, LPARAM lParam) {
  if (!cursor || LowWord(lParam) != HTCLIENT || reinterpret_cast<HWND>(wParam) != handle) return 0;
  HCURSOR shownBefore = SetCursor(cursor.get());
  // Handled even when no cursor was shown before, so the class cursor does not replace it.
  return shownBefore ? reinterpret_cast<LRESULT>(shownBefore) : 1;
}

LRESULT WindowBase::HookPaint(HWND) { return 0; }
LRESULT WindowBase::HookEraseBackground(HWND, HDC) { return 0; }
LRESULT WindowBase::ReflectScroll(int32_t, int32_t, HWND) { return 0; }
LRESULT WindowBase::ReflectDrawItem(int32_t, DRAWITEMSTRUCT*) { return 1; }
void WindowBase::HookLeftButtonDown(HWND, LPARAM) {}
void WindowBase::HookLeftDoubleClick(HWND, LPARAM) {}
void WindowBase::HookKeyDown(HWND, WPARAM) {}
LRESULT WindowBase::HookMoving(HWND, RECT*) { return 0; }
LRESULT WindowBase::HookMove(HWND, int32_t, int32_t) { return 0; }
int32_t WindowBase::ReservedHookA(uint32_t, uint32_t, uint32_t, uint32_t) { return 0; }
void WindowBase::HookLeftButtonUp(HWND, LPARAM) {}
void WindowBase::ReservedHookB(uint32_t, uint32_t, uint32_t) {}
void WindowBase::HookSize(int32_t, int32_t) {}
void WindowBase::HookDestroyed(HWND) {}

void WindowBase::Detach(HWND window) {
  if (!window) return;
  HookDestroyed(window);
  if (previousProc) SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(previousProc));
  cursor.Reset();
  font.Reset();
  handle = nullptr;
  previousProc = nullptr;
  OnLeftButtonDown = OnLeftButtonUp = OnLeftDoubleClick = nullptr;
  OnRightButtonDown = OnRightButtonUp = OnMouseMove = nullptr;
  OnGotFocus = OnLostFocus = OnKeyDown = OnKeyUp = OnChar = OnMouseWheel = OnFileDrop = nullptr;
  mouseInside = 0;
  OnMouseEnter = OnMouseLeave = OnPaint = nullptr;
}

// binding

HWND WindowBase::CreateEx(HWND parent, DWORD exStyle, const char* className, const char* caption, DWORD style,
                          int32_t x, int32_t y, int32_t width, int32_t height, HMENU menuOrId,
                          void* creationData) {
  if (handle) return nullptr;
  handle = CreateWindowExA(exStyle, className, TextOrEmpty(caption), style | WS_CLIPSIBLINGS, x, y, width, height,
                           parent, menuOrId, programModule.moduleHandle, creationData);
  if (!handle) return nullptr;
  Attach(this, handle);
  SendMessageA(handle, WM_SETFONT, DefaultGuiFont(), 0);
  return handle;
}

void WindowBase::Unbind() { Detach(handle); }

HWND WindowBase::BindDialogItem(HWND dialog, int32_t controlId, std::optional<bool> defaultFont) {
  if (handle) return nullptr;
  handle = GetDlgItem(dialog, controlId);
  if (!handle) return nullptr;
  if (HandleMap* registry = WindowRegistry()) registry->Add(HandleKey(handle), HandleKey(this), 0);
  Subclass(this, handle);
  if (defaultFont.value_or(false)) SendMessageA(handle, WM_SETFONT, DefaultGuiFont(), 1);
  return handle;
}

HWND WindowBase::AttachHandle(HWND window) {
  if (handle || !IsWindow(window)) return nullptr;
  handle = window;
  if (HandleMap* registry = WindowRegistry()) registry->Add(HandleKey(window), HandleKey(this), 0);
  Subclass(this, window);
  return handle;
}

// identity and state

HWND WindowBase::GetHandle() const { return handle; }

Text WindowBase::ClassName() const {
  char buffer[256];
  std::memset(buffer, ' ', 255);
  buffer[255] = '\0';
  GetClassNameA(handle, buffer, 255);
  return TrimBlanks(std::string_view(buffer));
}

int32_t WindowBase::GetId() const { return GetWindowLongA(handle, GWL_ID); }
bool WindowBase::IsValid() const { return IsWindow(handle) != 0; }

void WindowBase::Close() {
  if (handle) SendMessageA(handle, WM_CLOSE, 0, 0);
}

void WindowBase::Focus() { SetFocus(handle); }
bool WindowBase::HasFocus() const { return GetFocus() == handle; }

// geometry and drawing

RECT WindowBase::ClientRect() const {
  RECT rect{};
  GetClientRect(handle, &rect);
  return rect;
}

RECT WindowBase::RectInParent() const {
  RECT rect{};
  GetWindowRect(handle, &rect);
  HWND parent = GetParent(handle);
  POINT topLeft{rect.left, rect.top};
  POINT bottomRight{rect.right, rect.bottom};
  ScreenToClient(parent, &topLeft);
  ScreenToClient(parent, &bottomRight);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void WindowBase::LockRedraw() { SendMessageA(handle, WM_SETREDRAW, 0, 0); }
void WindowBase::UnlockRedraw() { SendMessageA(handle, WM_SETREDRAW, 1, 0); }
void WindowBase::Invalidate(std::optional<bool> erase) { InvalidateRect(handle, nullptr, erase.value_or(true)); }
void WindowBase::InvalidateArea(const RECT& rect) { InvalidateRect(handle, &rect, TRUE); }
void WindowBase::Validate() { ValidateRect(handle, nullptr); }
void WindowBase::Update() { UpdateWindow(handle); }

void WindowBase::Move(std::optional<int32_t> x, std::optional<int32_t> y, std::optional<int32_t> width,
                      std::optional<int32_t> height, std::optional<bool> repaint) {
  Placement now = CurrentPlacement(handle);
  MoveWindow(handle, x.value_or(now.topLeft.x), y.value_or(now.topLeft.y), width.value_or(now.width),
             height.value_or(now.height), repaint.value_or(true));
}

int32_t WindowBase::Left(std::optional<int32_t> x, std::optional<bool> repaint) {
  Placement now = CurrentPlacement(handle);
  if (!x) return now.topLeft.x;
  return MoveWindow(handle, *x, now.topLeft.y, now.width, now.height, repaint.value_or(true));
}

int32_t WindowBase::Top(std::optional<int32_t> y, std::optional<bool> repaint) {
  Placement now = CurrentPlacement(handle);
  if (!y) return now.topLeft.y;
  return MoveWindow(handle, now.topLeft.x, *y, now.width, now.height, repaint.value_or(true));
}

int32_t WindowBase::Width(std::optional<int32_t> width, std::optional<bool> repaint) {
  Placement now = CurrentPlacement(handle);
  if (!width) return now.width;
  return MoveWindow(handle, now.topLeft.x, now.topLeft.y, *width, now.height, repaint.value_or(true));
}

int32_t WindowBase::Height(std::optional<int32_t> height, std::optional<bool> repaint) {
  Placement now = CurrentPlacement(handle);
  if (!height) return now.height;
  return MoveWindow(handle, now.topLeft.x, now.topLeft.y, now.width, *height, repaint.value_or(true));
}

void WindowBase::ZOrder(std::optional<int32_t> position) {
  HWND after = HWND_TOP;
  switch (position.value_or(1)) {
    case 2: after = HWND_BOTTOM; break;
    case 3: after = HWND_TOPMOST; break;
    case 4: after = HWND_NOTOPMOST; break;
    default: break;
  }
  SetWindowPos(handle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// messages and relations

LRESULT WindowBase::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(handle, message, wParam, lParam);
}

bool WindowBase::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(handle, message, wParam, lParam) != 0;
}

HWND WindowBase::SetParentWindow(HWND newParent) { return SetParent(handle, newParent); }
HWND WindowBase::ParentWindow() const { return GetParent(handle); }

bool WindowBase::Visible(std::optional<bool> show) {
  if (!show) return IsWindowVisible(handle) != 0;
  return ShowWindow(handle, *show ? SW_SHOW : SW_HIDE) != 0;
}

bool WindowBase::Disabled(std::optional<bool> disable) {
  if (!disable) return IsWindowEnabled(handle) == 0;
  return EnableWindow(handle, *disable ? FALSE : TRUE) != 0;
}

// styles

int32_t WindowBase::GetStyle() const { return GetWindowLongA(handle, GWL_STYLE); }
int32_t WindowBase::AddStyle(uint32_t bits) { return ChangeWindowLong(handle, GWL_STYLE, bits, 0); }
int32_t WindowBase::RemoveStyle(uint32_t bits) { return ChangeWindowLong(handle, GWL_STYLE, 0, bits); }
int32_t WindowBase::GetExStyle() const { return GetWindowLongA(handle, GWL_EXSTYLE); }
int32_t WindowBase::AddExStyle(uint32_t bits) { return ChangeWindowLong(handle, GWL_EXSTYLE, bits, 0); }
int32_t WindowBase::RemoveExStyle(uint32_t bits) { return ChangeWindowLong(handle, GWL_EXSTYLE, 0, bits); }

// text, message box, properties

Text WindowBase::GetCaption() const {
  int32_t size = GetWindowTextLengthA(handle) + 1;
  Text buffer = Text::WithLength(static_cast<size_t>(size));
  GetWindowTextA(handle, buffer.data(), size);
  return Text::Copy(buffer.c_str());
}

bool WindowBase::SetCaption(const char* text) { return SetWindowTextA(handle, TextOrEmpty(text)) != 0; }

int32_t WindowBase::ShowMessage(const char* text, std::optional<UINT> type, std::optional<const char*> caption) {
  return MessageBoxA(handle, TextOrEmpty(text), TextOrEmpty(caption.value_or("信息：")), type.value_or(MB_OK)) - 1;
}

bool WindowBase::SetProperty(const char* name, HANDLE value) { return SetPropA(handle, name, value) != 0; }
HANDLE WindowBase::GetProperty(const char* name) const { return GetPropA(handle, name); }
bool WindowBase::RemoveProperty(const char* name) { return RemovePropA(handle, name) != nullptr; }

// owned cursor and font

HCURSOR WindowBase::Cursor(std::optional<HCURSOR> newCursor) {
  if (!newCursor) return cursor.get();
  cursor.Reset(*newCursor);
  SetCursor(*newCursor);
  return *newCursor;
}

void WindowBase::SetFont(HFONT newFont) {
  font.Reset(newFont);
  Send(WM_SETFONT, reinterpret_cast<WPARAM>(newFont), 1);
}

HFONT WindowBase::GetFont() { return reinterpret_cast<HFONT>(Send(WM_GETFONT, 0, 0)); }

// class and shell

void WindowBase::AcceptFiles(bool accept) { DragAcceptFiles(handle, accept ? TRUE : FALSE); }

HICON WindowBase::ClassIcon(std::optional<HICON> icon, std::optional<bool> big) {
  int index = big.value_or(false) ? GCL_HICON : GCL_HICONSM;
  if (!icon) return reinterpret_cast<HICON>(GetClassLongA(handle, index));
  return reinterpret_cast<HICON>(SetClassLongA(handle, index, reinterpret_cast<LONG>(*icon)));
}

HCURSOR WindowBase::ClassCursor(std::optional<HCURSOR> classCursor) {
  if (!classCursor) return reinterpret_cast<HCURSOR>(GetClassLongA(handle, GCL_HCURSOR));
  return reinterpret_cast<HCURSOR>(SetClassLongA(handle, GCL_HCURSOR, reinterpret_cast<LONG>(*classCursor)));
}

void WindowBase::SetHandle(HWND window) { handle = window; }

// event setters

void WindowBase::SetOnLeftButtonDown(EventHandler handler) { OnLeftButtonDown = handler; }
void WindowBase::SetOnLeftButtonUp(EventHandler handler) { OnLeftButtonUp = handler; }
void WindowBase::SetOnLeftDoubleClick(EventHandler handler) { OnLeftDoubleClick = handler; }
void WindowBase::SetOnRightButtonDown(EventHandler handler) { OnRightButtonDown = handler; }
void WindowBase::SetOnRightButtonUp(EventHandler handler) { OnRightButtonUp = handler; }
void WindowBase::SetOnMouseMove(EventHandler handler) { OnMouseMove = handler; }
void WindowBase::SetOnGotFocus(EventHandler handler) { OnGotFocus = handler; }
void WindowBase::SetOnLostFocus(EventHandler handler) { OnLostFocus = handler; }
void WindowBase::SetOnKeyDown(EventHandler handler) { OnKeyDown = handler; }
void WindowBase::SetOnKeyUp(EventHandler handler) { OnKeyUp = handler; }
void WindowBase::SetOnMouseWheel(EventHandler handler) { OnMouseWheel = handler; }
void WindowBase::SetOnChar(EventHandler handler) { OnChar = handler; }
void WindowBase::SetOnFileDrop(EventHandler handler) { OnFileDrop = handler; }
void WindowBase::SetOnMouseEnter(EventHandler handler) { OnMouseEnter = handler; }
void WindowBase::SetOnMouseLeave(EventHandler handler) { OnMouseLeave = handler; }
void WindowBase::SetOnPaint(EventHandler handler) { OnPaint = handler; }

// framework functions

bool Attach(WindowBase* object, HWND window) {
  HandleMap* registry = WindowRegistry();
  if (!registry || !registry->Add(HandleKey(window), HandleKey(object), 0)) return false;
  Subclass(object, window);
  return true;
}

void Subclass(WindowBase* object, HWND window) {
  WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC));
  if (current == FrameworkWindowProc) return;
  WNDPROC replaced =
      reinterpret_cast<WNDPROC>(SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(FrameworkWindowProc)));
  object->handle = window;
  object->previousProc = replaced;
}

WindowBase* FindWindowObject(HWND window) {
  HandleMap* registry = WindowRegistry();
  if (!registry || !window) return nullptr;
  return reinterpret_cast<WindowBase*>(static_cast<intptr_t>(registry->Find(HandleKey(window))));
}

}  // namespace rc2e
