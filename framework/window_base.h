// WindowBase: the window object every framework class derives from: its members, its
// 97 virtual operations in table order, and Attach/Subclass. Dispatch is in dispatch.cpp.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "framework/event.h"
#include "framework/owned_handle.h"
#include "runtime/text.h"

namespace rc2e {

class WindowBase {
 public:
  // construction
  WindowBase() = default;  // every member zero
  // Member-wise copy for Clone: the same window, handlers and flags; cursor and font
  // are duplicated so each record releases only its own handles.
  explicit WindowBase(const WindowBase& other);
  WindowBase& operator=(const WindowBase&) = delete;
  // A record that still holds a window gives the window its earlier procedure back,
  // and no registry entry keeps the record's address.
  virtual ~WindowBase();

  // members, in record order
  HWND handle = nullptr;
  WNDPROC previousProc = nullptr;
  OwnedCursor cursor;  // DestroyCursor when replaced or on Detach
  EventHandler OnLeftButtonDown = nullptr;
  EventHandler OnLeftButtonUp = nullptr;
  EventHandler OnLeftDoubleClick = nullptr;
  EventHandler OnRightButtonDown = nullptr;
  EventHandler OnRightButtonUp = nullptr;
  EventHandler OnMouseMove = nullptr;
  EventHandler OnGotFocus = nullptr;
  EventHandler OnLostFocus = nullptr;
  EventHandler OnKeyDown = nullptr;
  EventHandler OnKeyUp = nullptr;
  EventHandler OnChar = nullptr;
  EventHandler OnMouseWheel = nullptr;
  EventHandler OnFileDrop = nullptr;
  int32_t mouseInside = 0;
  EventHandler OnMouseEnter = nullptr;
  EventHandler OnMouseLeave = nullptr;
  EventHandler OnPaint = nullptr;
  OwnedFont font;  // DeleteObject when replaced or on Detach

  // lifetime
  // slot 0: Detach with the current handle; the owner then frees the record.
  virtual void Destroy();
  // slot 1: a copy referring to the same window; it owns copies of cursor and font.
  virtual std::unique_ptr<WindowBase> Clone() const;

  // message handling
  // slot 2: the common handler of every attached window.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 3: DefWindowProcA.
  virtual LRESULT DefaultOwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 4: 0 here; a dialog class handles its dialog messages.
  virtual LRESULT DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 5: DefMDIChildProcA.
  virtual LRESULT DefaultMdiChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 6: DefWindowProcA.
  virtual LRESULT DefaultMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // overrideables: reflected child notifications and pre-handlers (nonzero = handled)
  // slot 7
  virtual LRESULT ReflectCommand(HWND parent, HWND control, int32_t notificationCode, int32_t controlId);
  // slot 8
  virtual LRESULT ReflectNotify(HWND parent, HWND sender, int32_t code, int32_t senderId, NMHDR* header);
  // slot 9: a nonzero result is the brush to paint with.
  virtual LRESULT ReflectColor(HWND control, HDC dc);
  // slot 10: shows cursor over the client area.
  virtual LRESULT HookSetCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 11
  virtual LRESULT HookPaint(HWND window);
  // slot 12
  virtual LRESULT HookEraseBackground(HWND window, HDC dc);
  // slot 13
  virtual LRESULT ReflectScroll(int32_t scrollCode, int32_t position, HWND scrollBar);
  // slot 14: mouse-enter detection.
  virtual LRESULT HookMouseMove(HWND window, int32_t x, int32_t y);
  // slot 15: 1.
  virtual LRESULT ReflectDrawItem(int32_t controlId, DRAWITEMSTRUCT* item);
  // slot 16: mouse-leave event.
  virtual LRESULT HookMouseLeave(HWND window);
  // slot 17
  virtual void HookLeftButtonDown(HWND window, LPARAM position);
  // slot 18
  virtual void HookLeftDoubleClick(HWND window, LPARAM position);
  // slot 19
  virtual void HookKeyDown(HWND window, WPARAM virtualKey);
  // slot 20
  virtual LRESULT HookMoving(HWND window, RECT* rect);
  // slot 21
  virtual LRESULT HookMove(HWND window, int32_t x, int32_t y);
  // slot 22: nothing calls it.
  virtual int32_t ReservedHookA(uint32_t a, uint32_t b, uint32_t c, uint32_t d);
  // slot 23
  virtual void HookLeftButtonUp(HWND window, LPARAM position);
  // slot 24: nothing calls it.
  virtual void ReservedHookB(uint32_t a, uint32_t b, uint32_t c);
  // slot 25
  virtual void HookSize(int32_t width, int32_t height);
  // slot 26: called first by Detach.
  virtual void HookDestroyed(HWND window);
  // slot 27: restores the earlier procedure, releases cursor and font, zeroes the members.
  virtual void Detach(HWND window);

  // binding: each refuses (0) while the object holds a window
  // slot 28: CreateWindowExA with WS_CLIPSIBLINGS added, Attach, DEFAULT_GUI_FONT.
  virtual HWND CreateEx(HWND parent, DWORD exStyle, const char* className, const char* caption, DWORD style,
                        int32_t x, int32_t y, int32_t width, int32_t height, HMENU menuOrId, void* creationData);
  // slot 29: Detach with the current handle.
  virtual void Unbind();
  // slot 30: GetDlgItem, registry entry, Subclass; WM_SETFONT DEFAULT_GUI_FONT when asked.
  virtual HWND BindDialogItem(HWND dialog, int32_t controlId, std::optional<bool> defaultFont = std::nullopt);
  // slot 31: registry entry and Subclass for an existing window (IsWindow).
  virtual HWND AttachHandle(HWND window);

  // identity and state
  // slot 32
  virtual HWND GetHandle() const;
  // slot 33: GetClassNameA, blanks trimmed.
  virtual Text ClassName() const;
  // slot 34: GetWindowLongA(GWL_ID).
  virtual int32_t GetId() const;
  // slot 35: IsWindow.
  virtual bool IsValid() const;
  // slot 36: WM_CLOSE when the object holds a window.
  virtual void Close();
  // slot 37: SetFocus.
  virtual void Focus();
  // slot 38: GetFocus() == handle.
  virtual bool HasFocus() const;

  // geometry and drawing
  // slot 39: GetClientRect.
  virtual RECT ClientRect() const;
  // slot 40: GetWindowRect converted to the parent's (or owner's) client coordinates.
  virtual RECT RectInParent() const;
  // slot 41: WM_SETREDRAW 0.
  virtual void LockRedraw();
  // slot 42: WM_SETREDRAW 1.
  virtual void UnlockRedraw();
  // slot 43: InvalidateRect(NULL), erase true when omitted.
  virtual void Invalidate(std::optional<bool> erase = std::nullopt);
  // slot 44: InvalidateRect(rect, TRUE).
  virtual void InvalidateArea(const RECT& rect);
  // slot 45: ValidateRect(NULL).
  virtual void Validate();
  // slot 46: UpdateWindow.
  virtual void Update();
  // slot 47: MoveWindow; omitted values keep the current ones, repaint true when omitted.
  virtual void Move(std::optional<int32_t> x = std::nullopt, std::optional<int32_t> y = std::nullopt,
                    std::optional<int32_t> width = std::nullopt, std::optional<int32_t> height = std::nullopt,
                    std::optional<bool> repaint = std::nullopt);
  // slots 48-51: read without a value; with one, MoveWindow and its result.
  virtual int32_t Left(std::optional<int32_t> x = std::nullopt, std::optional<bool> repaint = std::nullopt);
  virtual int32_t Top(std::optional<int32_t> y = std::nullopt, std::optional<bool> repaint = std::nullopt);
  virtual int32_t Width(std::optional<int32_t> width = std::nullopt, std::optional<bool> repaint = std::nullopt);
  virtual int32_t Height(std::optional<int32_t> height = std::nullopt, std::optional<bool> repaint = std::nullopt);
  // slot 52: 1 top, 2 bottom, 3 topmost, 4 not topmost; anything else top.
  virtual void ZOrder(std::optional<int32_t> position = std::nullopt);

  // messages and relations
  // slot 53: SendMessageA.
  virtual LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
  // slot 54: PostMessageA.
  virtual bool Post(UINT message, WPARAM wParam, LPARAM lParam);
  // slot 55: SetParent; the previous parent.
  virtual HWND SetParentWindow(HWND newParent);
  // slot 56: GetParent.
  virtual HWND ParentWindow() const;
  // slot 57: IsWindowVisible, or ShowWindow's result (whether it was visible).
  virtual bool Visible(std::optional<bool> show = std::nullopt);
  // slot 58: !IsWindowEnabled, or EnableWindow's result (whether it was disabled).
  virtual bool Disabled(std::optional<bool> disable = std::nullopt);

  // styles: the add/remove operations return the previous value and refresh the frame
  // slot 59
  virtual int32_t GetStyle() const;
  // slot 60
  virtual int32_t AddStyle(uint32_t bits);
  // slot 61
  virtual int32_t RemoveStyle(uint32_t bits);
  // slot 62
  virtual int32_t GetExStyle() const;
  // slot 63
  virtual int32_t AddExStyle(uint32_t bits);
  // slot 64
  virtual int32_t RemoveExStyle(uint32_t bits);

  // text, message box, properties
  // slot 65: GetWindowTextA into a new Text.
  virtual Text GetCaption() const;
  // slot 66: SetWindowTextA.
  virtual bool SetCaption(const char* text);
  // slot 67: MessageBoxA result minus 1; type MB_OK and caption "信息：" when omitted.
  virtual int32_t ShowMessage(const char* text, std::optional<UINT> type = std::nullopt,
                              std::optional<const char*> caption = std::nullopt);
  // slot 68: SetPropA.
  virtual bool SetProperty(const char* name, HANDLE value);
  // slot 69: GetPropA.
  virtual HANDLE GetProperty(const char* name) const;
  // slot 70: RemovePropA.
  virtual bool RemoveProperty(const char* name);

  // owned cursor and font
  // slot 71: returns cursor; with one, takes ownership, shows it and returns it.
  virtual HCURSOR Cursor(std::optional<HCURSOR> newCursor = std::nullopt);
  // slot 72: takes ownership, then Send(WM_SETFONT, font, 1).
  virtual void SetFont(HFONT newFont);
  // slot 73: Send(WM_GETFONT, 0, 0).
  virtual HFONT GetFont();

  // shapes (defined in window_shapes.cpp)
  // slot 74: SetWindowRgn(handle, region, TRUE); the region is deleted when refused.
  virtual bool SetRegion(HRGN region);
  // slot 75: region from a bitmap's outline; colour 0xFFFFFF and redraw false when omitted.
  virtual bool ShapeFromBitmap(HBITMAP bitmap, std::optional<uint32_t> transparentColor = std::nullopt,
                               std::optional<bool> redraw = std::nullopt);
  // slot 76: rounded-rectangle region; redraw false when omitted.
  virtual bool SetRoundCorners(int32_t cornerSize, std::optional<bool> redraw = std::nullopt);

  // class and shell
  // slot 77: DragAcceptFiles.
  virtual void AcceptFiles(bool accept);
  // slot 78: GetClassLongA / SetClassLongA of GCL_HICONSM (GCL_HICON when big).
  virtual HICON ClassIcon(std::optional<HICON> icon = std::nullopt, std::optional<bool> big = std::nullopt);
  // slot 79: GetClassLongA / SetClassLongA of GCL_HCURSOR.
  virtual HCURSOR ClassCursor(std::optional<HCURSOR> classCursor = std::nullopt);
  // slot 80: stores the handle only: no registry entry, no subclassing.
  virtual void SetHandle(HWND window);

  // event setters: store the handler (0 removes it), nothing else
  // slot 81
  virtual void SetOnLeftButtonDown(EventHandler handler);
  // slot 82
  virtual void SetOnLeftButtonUp(EventHandler handler);
  // slot 83
  virtual void SetOnLeftDoubleClick(EventHandler handler);
  // slot 84
  virtual void SetOnRightButtonDown(EventHandler handler);
  // slot 85
  virtual void SetOnRightButtonUp(EventHandler handler);
  // slot 86
  virtual void SetOnMouseMove(EventHandler handler);
  // slot 87
  virtual void SetOnGotFocus(EventHandler handler);
  // slot 88
  virtual void SetOnLostFocus(EventHandler handler);
  // slot 89
  virtual void SetOnKeyDown(EventHandler handler);
  // slot 90
  virtual void SetOnKeyUp(EventHandler handler);
  // slot 91
  virtual void SetOnMouseWheel(EventHandler handler);
  // slot 92
  virtual void SetOnChar(EventHandler handler);
  // slot 93
  virtual void SetOnFileDrop(EventHandler handler);
  // slot 94
  virtual void SetOnMouseEnter(EventHandler handler);
  // slot 95
  virtual void SetOnMouseLeave(EventHandler handler);
  // slot 96
  virtual void SetOnPaint(EventHandler handler);
};

// Registers window → object in WindowRegistry and subclasses the window; false (and
// nothing subclassed) when the registry refuses the handle.
bool Attach(WindowBase* object, HWND window);
// Installs FrameworkWindowProc unless it is installed already; then the object's handle
// and previousProc take the window and the procedure it replaced.
void Subclass(WindowBase* object, HWND window);

// The object WindowRegistry holds for a window, or null.
WindowBase* FindWindowObject(HWND window);

}  // namespace rc2e
