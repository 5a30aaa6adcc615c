// Message dispatch: the window, dialog and owner procedures, the common handler of every
// attached window, mouse enter/leave detection and the drop text. Dialog-level events
// are the dialog class's; the operations called here are WindowBase's table.
#include "framework/dispatch.h"

#include <commctrl.h>

#include "framework/event.h"
#include "framework/handle_map.h"
#include "framework/window_base.h"

namespace rc2e {

namespace {

template <class Function>
Function LookUpFunction(HandleMap* map, const void* key) {
  if (!map || !key) return nullptr;
  return reinterpret_cast<Function>(static_cast<intptr_t>(map->Find(HandleKey(key))));
}

EventArg X(LPARAM lParam) { return LowWord(static_cast<uintptr_t>(lParam)); }
EventArg Y(LPARAM lParam) { return ToEventArg(HighWord(static_cast<uintptr_t>(lParam))); }

// The object found for a WM_NOTIFY: tooltip text requests by their tool id through
// TooltipOwnerMap, everything else by the sending window.
WindowBase* NotifyTarget(const NMHDR& header) {
  if (static_cast<int32_t>(header.code) == static_cast<int32_t>(TTN_NEEDTEXTA)) {
    if (header.idFrom == 0) return nullptr;
    HandleMap* owners = TooltipOwnerMap();
    if (!owners) return nullptr;
    int32_t owner = owners->Find(static_cast<int32_t>(header.idFrom));
    if (owner == 0) return nullptr;
    return FindWindowObject(reinterpret_cast<HWND>(static_cast<intptr_t>(owner)));
  }
  return FindWindowObject(header.hwndFrom);
}

}  // namespace

Text BuildDropText(HDROP drop) {
  UINT fileCount = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  // Each path's length first, so a path of any length is delivered whole.
  size_t total = 0;
  for (UINT i = 0; i < fileCount; ++i) total += DragQueryFileA(drop, i, nullptr, 0) + (i + 1 < fileCount ? 2 : 0);
  Text text = Text::WithLength(total);
  char* out = text.data();
  size_t used = 0;
  for (UINT i = 0; i < fileCount; ++i) {
    UINT room = static_cast<UINT>(total - used);
    used += DragQueryFileA(drop, i, out + used, room + 1);
    if (i + 1 < fileCount && used + 2 <= total) {
      out[used++] = '\r';
      out[used++] = '\n';
    }
  }
  out[used] = '\0';
  return text;
}

LRESULT WindowBase::HookMouseMove(HWND window, int32_t, int32_t) {
  if (!OnMouseEnter || mouseInside != 0) return 0;
  mouseInside = 1;
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof request;
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = window;
  request.dwHoverTime = 0;
  TrackMouseEvent(&request);
  return InvokeEvent(OnMouseEnter) != 0 ? 1 : 0;
}

LRESULT WindowBase::HookMouseLeave(HWND) {
  mouseInside = 0;
  if (!OnMouseLeave) return 0;
  return InvokeEvent(OnMouseLeave) != 0 ? 1 : 0;
}

// Everything the handler keeps lives in locals, so handlers may send messages that
// re-enter it for the same window.
LRESULT WindowBase::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto passOn = [&]() { return CallWindowProcA(previousProc, window, message, wParam, lParam); };
  auto raised = [](int32_t result) { return static_cast<LRESULT>(result); };
  // The handler's nonzero answer, else the earlier procedure's. The modifier keys come
  // last and are read only when a handler is set.
  auto raiseWithKeys = [&](EventHandler event, auto... leading) {
    if (!event) return passOn();
    int32_t result = InvokeEvent(event, leading..., ToEventArg(ModifierKeys()));
    return result != 0 ? raised(result) : passOn();
  };

  switch (message) {
    // WM_NCDESTROY → Detach(window), then the procedure held before
    case WM_NCDESTROY: {
      WNDPROC before = previousProc;
      Detach(window);
      return CallWindowProcA(before, window, message, wParam, lParam);
    }

    // WM_LBUTTON{DOWN,UP,DBLCLK} → HookLeftButton…(window, packed); OnLeftButton…(x, y, keys)
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
      EventHandler event = nullptr;
      if (message == WM_LBUTTONDOWN) {
        HookLeftButtonDown(window, lParam);
        event = OnLeftButtonDown;
      } else if (message == WM_LBUTTONUP) {
        HookLeftButtonUp(window, lParam);
        event = OnLeftButtonUp;
      } else {
        HookLeftDoubleClick(window, lParam);
        event = OnLeftDoubleClick;
      }
      return raiseWithKeys(event, X(lParam), Y(lParam));
    }

    // WM_RBUTTON{DOWN,UP} → OnRightButton…(x, y, keys)
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      return raiseWithKeys(message == WM_RBUTTONDOWN ? OnRightButtonDown : OnRightButtonUp, X(lParam), Y(lParam));

    // WM_MOUSEMOVE → HookMouseMove(window, x, y); OnMouseMove(x, y, keys)
    case WM_MOUSEMOVE:
      if (HookMouseMove(window, static_cast<int32_t>(X(lParam)), static_cast<int32_t>(Y(lParam))) != 0) return 0;
      return raiseWithKeys(OnMouseMove, X(lParam), Y(lParam));

    // WM_SETFOCUS → OnGotFocus(); WM_KILLFOCUS → OnLostFocus(); both passed on
    case WM_SETFOCUS:
      InvokeEvent(OnGotFocus);
      return passOn();
    case WM_KILLFOCUS:
      InvokeEvent(OnLostFocus);
      return passOn();

    // WM_KEYDOWN → HookKeyDown(window, key); OnKeyDown(key, keys). WM_KEYUP → OnKeyUp(key, keys)
    case WM_KEYDOWN:
    case WM_KEYUP: {
      EventHandler event = OnKeyUp;
      if (message == WM_KEYDOWN) {
        HookKeyDown(window, wParam);
        event = OnKeyDown;
      }
      return raiseWithKeys(event, static_cast<EventArg>(wParam));
    }

    // WM_MOUSEWHEEL → OnMouseWheel(signed delta, keys); WM_CHAR → OnChar(code)
    case WM_MOUSEWHEEL:
      return raiseWithKeys(OnMouseWheel, ToEventArg(HighWord(wParam)));
    case WM_CHAR: {
      int32_t result = InvokeEvent(OnChar, static_cast<EventArg>(wParam));
      return result != 0 ? raised(result) : passOn();
    }

    // WM_SETCURSOR → HookSetCursor(window, message, wParam, lParam)
    case WM_SETCURSOR: {
      LRESULT result = HookSetCursor(window, message, wParam, lParam);
      return result != 0 ? result : passOn();
    }

    // WM_PAINT → OnPaint(dc, left, top, right, bottom) inside BeginPaint/EndPaint; HookPaint(window)
    case WM_PAINT: {
      if (OnPaint) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        int32_t result = InvokeEvent(OnPaint, ToEventArg(dc), ToEventArg(paint.rcPaint.left),
                                     ToEventArg(paint.rcPaint.top), ToEventArg(paint.rcPaint.right),
                                     ToEventArg(paint.rcPaint.bottom));
        EndPaint(window, &paint);
        if (result != 0) return raised(result);
      }
      LRESULT result = HookPaint(window);
      return result != 0 ? result : passOn();
    }

    // WM_ERASEBKGND → HookEraseBackground(window, dc)
    case WM_ERASEBKGND: {
      LRESULT result = HookEraseBackground(window, reinterpret_cast<HDC>(wParam));
      return result != 0 ? result : passOn();
    }

    // WM_HSCROLL, WM_VSCROLL → the scroll bar's ReflectScroll(code, signed position, scroll bar)
    case WM_HSCROLL:
    case WM_VSCROLL: {
      HWND scrollBar = reinterpret_cast<HWND>(lParam);
      if (WindowBase* control = FindWindowObject(scrollBar)) {
        LRESULT result = control->ReflectScroll(static_cast<int32_t>(LowWord(wParam)), HighWord(wParam), scrollBar);
        if (result != 0) return result;
      }
      return passOn();
    }

    // WM_COMMAND → the control's ReflectCommand(parent, control, signed code, id)
    case WM_COMMAND: {
      HWND sender = reinterpret_cast<HWND>(lParam);
      if (WindowBase* control = FindWindowObject(sender)) {
        LRESULT result =
            control->ReflectCommand(window, sender, HighWord(wParam), static_cast<int32_t>(LowWord(wParam)));
        if (result != 0) return result;
      }
      return passOn();
    }

    // WM_NOTIFY → the sender's (or tooltip owner's) ReflectNotify(parent, sender, code, id, header)
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      if (header) {
        if (WindowBase* control = NotifyTarget(*header)) {
          LRESULT result = control->ReflectNotify(window, header->hwndFrom, static_cast<int32_t>(header->code),
                                                  static_cast<int32_t>(header->idFrom), header);
          if (result != 0) return result;
        }
      }
      return passOn();
    }

    // WM_CTLCOLOR… → the control's ReflectColor(control, dc)
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      if (WindowBase* object = FindWindowObject(control)) {
        LRESULT result = object->ReflectColor(control, reinterpret_cast<HDC>(wParam));
        if (result != 0) return result;
      }
      return passOn();
    }

    // WM_DRAWITEM → the item window's ReflectDrawItem(id, item)
    case WM_DRAWITEM: {
      DRAWITEMSTRUCT* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item) {
        if (WindowBase* control = FindWindowObject(item->hwndItem)) {
          LRESULT result = control->ReflectDrawItem(static_cast<int32_t>(wParam), item);
          if (result != 0) return result;
        }
      }
      return passOn();
    }

    // WM_DROPFILES → OnFileDrop(drop text), DragFinish first; always passed on
    case WM_DROPFILES: {
      if (!OnFileDrop) return passOn();
      HDROP drop = reinterpret_cast<HDROP>(wParam);
      Text dropped = BuildDropText(drop);
      DragFinish(drop);
      InvokeEvent(OnFileDrop, ToEventArg(dropped.address()));
      dropped.Reset();
      return passOn();
    }

    // WM_MOUSELEAVE → HookMouseLeave(window)
    case WM_MOUSELEAVE: {
      LRESULT result = HookMouseLeave(window);
      return result != 0 ? result : passOn();
    }

    // WM_MOVING → HookMoving(window, rect)
    case WM_MOVING: {
      LRESULT result = HookMoving(window, reinterpret_cast<RECT*>(lParam));
      return result != 0 ? result : passOn();
    }

    // WM_MOVE → HookMove(window, x, y)
    case WM_MOVE: {
      LRESULT result = HookMove(window, static_cast<int32_t>(X(lParam)), static_cast<int32_t>(Y(lParam)));
      return result != 0 ? result : passOn();
    }

    // WM_SIZE → HookSize(width, height); passed on
    case WM_SIZE:
      HookSize(static_cast<int32_t>(X(lParam)), static_cast<int32_t>(Y(lParam)));
      return passOn();

    default:
      return passOn();
  }
}

// The procedures: no exception may leave a procedure, so any that reaches one ends the
// program at once instead of unwinding through the system's frames.

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != WM_QUIT) {
    if (auto hook = LookUpFunction<MessageHook>(MessageHookMap(), window)) {
      LRESULT result = hook(window, message, wParam, lParam);
      if (result != 0) return result;
    }
  }
  if (message == WM_COMMAND) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (auto callback = LookUpFunction<ControlCallback>(ControlCallbackMap(), control)) {
      LRESULT result = callback(control, HighWord(wParam), static_cast<int32_t>(LowWord(wParam)), lParam);
      if (result != 0) return result;
    }
  } else if (message == WM_NOTIFY && lParam != 0) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (auto callback = LookUpFunction<ControlCallback>(ControlCallbackMap(), header->hwndFrom)) {
      LRESULT result = callback(header->hwndFrom, static_cast<int32_t>(header->code),
                                static_cast<int32_t>(header->idFrom), lParam);
      if (result != 0) return result;
    }
  }
  WindowBase* object = FindWindowObject(window);
  if (!object) return DefWindowProcA(window, message, wParam, lParam);
  return object->HandleMessage(window, message, wParam, lParam);
}

INT_PTR CALLBACK FrameworkDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_INITDIALOG && PendingDialog) {
    WindowBase* pending = PendingDialog;
    Attach(pending, window);
    PendingDialog = nullptr;
  }
  WindowBase* object = FindWindowObject(window);
  if (!object) return 0;
  return static_cast<INT_PTR>(object->DialogMessage(window, message, wParam, lParam));
}

LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  WindowBase* object = FindWindowObject(window);
  if (!object) return DefWindowProcA(window, message, wParam, lParam);
  return object->DefaultOwnerMessage(window, message, wParam, lParam);
}

}  // namespace rc2e
