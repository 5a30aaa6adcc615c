// DialogWindow: a top-level window made from a dialog template of the program's resources
// (modal or modeless), with background, window state, icon, flags, hot keys and item access.
// Tray operations live in dialog_window_tray.cpp and the menu bar in dialog_window_menu.cpp.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "framework/event.h"
#include "framework/owned_handle.h"
#include "framework/tray_icon.h"
#include "framework/window_base.h"
#include "runtime/text.h"

namespace rc2e {

class MenuObject;

// The system dialog class whose copies a template's CLASS statement may name.
inline constexpr const char* kSystemDialogClass = "#32770";
// The never-shown window that owns a dialog kept off the taskbar.
inline constexpr const char* kHiddenOwnerClass = "QFWindow";
inline constexpr const char* kHiddenOwnerTitle = "ShowTaskbar";
inline constexpr int32_t kHiddenOwnerWidth = 250;
inline constexpr int32_t kHiddenOwnerHeight = 110;

// Identifier of the most recently registered hot key, shared by every window.
inline int32_t hotKeyCounter = 0;

// WindowState arguments.
enum WindowStateValue : int32_t {
  kStateNormal = 0,
  kStateMinimized = 1,
  kStateMaximized = 2,
  kStateCentered = 3,  // centre on the screen; also shows and raises the window
};

// PaintBackground modes.
enum PictureModeValue : int32_t { kPictureTiled = 0, kPictureTopLeft = 1, kPictureStretched = 2 };

class DialogWindow : public WindowBase {
 public:
  // construction
  DialogWindow() = default;  // every member zero
  ~DialogWindow() override;

  // members, in record order after the WindowBase members
  OwnedBrush backgroundBrush;
  COLORREF backgroundColor = 0;
  OwnedBitmap backgroundPicture;
  int32_t pictureMode = 0;
  NotifyIconBlock trayData;
  OwnedIcon trayIcon;
  UINT taskbarCreatedMessage = 0;
  EventHandler OnDestroy = nullptr;
  EventHandler OnMove = nullptr;
  EventHandler OnSize = nullptr;
  EventHandler OnActivate = nullptr;
  EventHandler OnDeactivate = nullptr;
  EventHandler OnFirstActivate = nullptr;
  EventHandler OnShow = nullptr;
  EventHandler OnHide = nullptr;
  EventHandler OnTrayNotify = nullptr;
  EventHandler OnMenuCommand = nullptr;
  int32_t keepActiveLook = 0;
  int32_t dragByClientArea = 0;
  int32_t activatedOnce = 0;
  EventHandler OnHotKey = nullptr;
  int32_t dialogResult = 0;
  int32_t modal = 0;
  EventHandler OnCreated = nullptr;
  EventHandler OnCloseQuery = nullptr;

  // lifetime (WindowBase slots replaced here; slot 0, Destroy, keeps the base's Detach)
  // slot 1: a DialogWindow copy; the copy owns duplicates of the brush, picture, tray icon
  // and tray block, so each record releases only its own.
  std::unique_ptr<WindowBase> Clone() const override;

  // message handling
  // slot 4: WM_INITDIALOG (OnCreated, then one WM_SIZE), WM_CLOSE (OnCloseQuery, then
  // EndDialog or DestroyWindow); the rest goes to DispatchNotification.
  LRESULT DialogMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // overrideables
  // slot 12: PaintBackground over the client rectangle; 1 (erased).
  LRESULT HookEraseBackground(HWND window, HDC dc) override;
  // slot 17: with dragByClientArea, WM_NCLBUTTONDOWN HTCAPTION so the system moves the window.
  void HookLeftButtonDown(HWND window, LPARAM position) override;
  // slot 26: releases background and tray, clears every dialog member but pictureMode.
  void HookDestroyed(HWND window) override;

  // background
  // slot 97: FillRect with the brush; then the picture at the top-left (mode 1, BitBlt)
  // or stretched (mode 2, StretchBlt); other modes paint nothing.
  virtual void PaintBackground(HDC dc, const RECT& rect);
  // slot 98: does nothing; nothing calls it.
  virtual void ReservedHook(uint32_t value);

  // message handling
  // slot 99: dialog-level events, the tray callback, taskbar re-creation, WM_NCACTIVATE.
  virtual LRESULT DispatchNotification(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 100: dialogResult, modal, OnCreated, OnCloseQuery back to 0.
  virtual void ResetDialogState();

  // creation without a template
  // slot 101: CreateEx with the button-face background; a child or owned window takes
  // the parent's small and big icons.
  virtual HWND CreateDirect(HWND parent, const char* caption, DWORD style, DWORD exStyle, int32_t x, int32_t y,
                            int32_t width, int32_t height, const char* className);

  // appearance
  // slot 102: CreateSolidBrush; repaint (Invalidate) true when omitted.
  virtual COLORREF BackgroundColor(std::optional<COLORREF> color = std::nullopt,
                                   std::optional<bool> repaint = std::nullopt);
  // slot 103: without a picture, the picture; with one (owned from now on), the new brush:
  // CreatePatternBrush for mode 0, CreateSolidBrush(backgroundColor) otherwise.
  virtual HGDIOBJ BackgroundPicture(std::optional<HBITMAP> picture = std::nullopt,
                                    std::optional<int32_t> mode = std::nullopt,
                                    std::optional<bool> repaint = std::nullopt);
  // slot 104: 1 iconic, 2 zoomed, else 0; or ShowWindow (0 normal, 1 minimised,
  // 2 maximised, others hidden); 3 centres with SetWindowPos.
  virtual int32_t WindowState(std::optional<int32_t> state = std::nullopt);
  // slot 105: WM_GETICON / WM_SETICON; size 0 ICON_SMALL (default), 1 ICON_BIG.
  virtual HICON Icon(std::optional<HICON> icon = std::nullopt, std::optional<int32_t> size = std::nullopt);

  // menu bar (defined in dialog_window_menu.cpp)
  // slot 106: a new MenuObject wrapping GetMenu's handle, owned by the caller.
  virtual std::unique_ptr<MenuObject> GetMenuBar();
  // slot 107: SetMenu with the menu's handle, or NULL without one.
  virtual bool SetMenuBar(const MenuObject* menu = nullptr);
  // slot 108: DrawMenuBar.
  virtual bool RedrawMenuBar();

  // tray icon (defined in dialog_window_tray.cpp)
  // slot 109: Shell_NotifyIconA(NIM_ADD); the icon is owned from now on.
  virtual bool AddTrayIcon(HICON icon, const char* tip = nullptr);
  // slot 110
  virtual bool SetTrayTip(const char* tip);
  // slot 111
  virtual bool SetTrayIcon(HICON icon);
  // slot 112: title empty, kind 1 (NIIF_INFO), timeout 10000 when omitted.
  virtual bool DisplayTrayBalloon(const char* text, const char* title = nullptr,
                                  std::optional<uint32_t> kind = std::nullopt,
                                  std::optional<uint32_t> timeoutMs = std::nullopt);
  // slot 113
  virtual bool RemoveTrayIcon();

  // behaviour flags
  // slot 114: whether keepActiveLook is 1; with a value, stores it and returns true.
  virtual bool KeepCaptionActive(std::optional<bool> on = std::nullopt);
  // slot 115: whether dragByClientArea is set; with a value, stores it and returns true.
  virtual bool DragByClientArea(std::optional<bool> on = std::nullopt);

  // hot keys
  // slot 116: RegisterHotKey(handle, hotKeyCounter + 1, ...); the identifier, 0 on failure.
  virtual int32_t AddHotKey(uint32_t modifiers, uint32_t virtualKey);
  // slot 117: UnregisterHotKey.
  virtual bool RemoveHotKey(int32_t identifier);

  // event setters: store the handler (0 removes it), nothing else
  // slot 118
  virtual void SetOnMenuCommand(EventHandler handler);
  // slot 119
  virtual void SetOnDestroy(EventHandler handler);
  // slot 120
  virtual void SetOnMove(EventHandler handler);
  // slot 121
  virtual void SetOnSize(EventHandler handler);
  // slot 122
  virtual void SetOnActivate(EventHandler handler);
  // slot 123
  virtual void SetOnDeactivate(EventHandler handler);
  // slot 124
  virtual void SetOnFirstActivate(EventHandler handler);
  // slot 125
  virtual void SetOnShow(EventHandler handler);
  // slot 126
  virtual void SetOnHide(EventHandler handler);
  // slot 127
  virtual void SetOnTrayNotify(EventHandler handler);
  // slot 128
  virtual void SetOnHotKey(EventHandler handler);

  // loading a template; show-in-taskbar true when omitted. Without an owner and with
  // show-in-taskbar false, a new hidden "QFWindow" becomes the owner.
  // slot 129: CreateDialogParamA; whether a window came back.
  virtual bool LoadModeless(HWND owner, int32_t templateId, EventHandler onCreated = nullptr,
                            const char* className = nullptr, std::optional<bool> showInTaskbar = std::nullopt);
  // slot 130: DialogBoxParamA: the dialogResult at close, -1 when creation fails, 0 when
  // the object already has a window.
  virtual int32_t Load(HWND owner, int32_t templateId, EventHandler onCreated = nullptr,
                       const char* className = nullptr, std::optional<bool> showInTaskbar = std::nullopt);
  // slot 131: sets PendingDialog, registers a copy of "#32770" under className when it
  // names another class, then DialogBoxParamA (modal) or CreateDialogParamA.
  virtual INT_PTR CreateFromTemplate(HWND owner, int32_t templateId, EventHandler onCreated, bool modalDialog,
                                     const char* className);

  // dialog items
  // slot 132: AttachHandle; whether the object now holds the window.
  virtual bool AttachDialog(HWND window);
  // slot 133
  virtual void SetResult(int32_t value);
  // slot 134: GetDlgItem.
  virtual HWND GetItem(int32_t controlId);
  // slot 135: GetDlgItemInt, signed when omitted.
  virtual int32_t GetItemInt(int32_t controlId, bool& translated, std::optional<bool> isSigned = std::nullopt);
  // slot 136: SetDlgItemInt, signed.
  virtual bool SetItemInt(int32_t controlId, int32_t value);
  // slot 137: GetDlgItemTextA of at most maxLength bytes; empty for a negative maximum.
  virtual Text GetItemText(int32_t controlId, int32_t maxLength);
  // slot 138: SetDlgItemTextA.
  virtual bool SetItemText(int32_t controlId, const char* text);
  // slot 139: SendDlgItemMessageA.
  virtual LRESULT SendItemMessage(int32_t controlId, UINT message, WPARAM wParam, LPARAM lParam);
  // slot 140: GetDialogBaseUnits: low word horizontal, high word vertical.
  virtual void DialogBaseUnits(int32_t* horizontal = nullptr, int32_t* vertical = nullptr);
  // slot 141
  virtual void SetOnCloseQuery(EventHandler handler);

 private:
  struct CloneTag {};

 public:
  // For Clone only (the tag is private): member-wise copy with duplicated owned handles.
  DialogWindow(CloneTag, const DialogWindow& other);

 private:
  // The owner a load uses: the given one, or a new hidden owner window.
  HWND OwnerForLoad(HWND owner, std::optional<bool> showInTaskbar);
};

// Registers a window class with the program's module handle, the arrow cursor, the
// button-face background, an empty menu name and no small icon; RegisterClassExA's atom.
// Style CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS when omitted.
ATOM RegisterWindowClass(const char* className, WNDPROC procedure, HICON icon,
                         std::optional<UINT> style = std::nullopt);

// The left (or top) edge that centres an extent on the screen: (screen - window) / 2
// computed as a real number and truncated toward zero.
int32_t CenteredOrigin(int32_t screenExtent, int32_t windowExtent);

// OnTrayNotify code for the lParam of the tray callback message: 1 to 10, 0 for others.
int32_t TrayNotifyCode(LPARAM trayEvent);

}  // namespace rc2e
