// The three window procedures of the framework and the program-wide dialog slot they use.
// Message rules live in dispatch.cpp; the operations they call are WindowBase's.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "framework/event.h"
#include "runtime/text.h"

namespace rc2e {

class WindowBase;

// The object whose dialog template is being created; the dialog procedure attaches it to
// the new window on WM_INITDIALOG and clears it. Set by the dialog load operation.
inline WindowBase* PendingDialog = nullptr;

// Hook and callback kinds held by MessageHookMap and ControlCallbackMap.
using MessageHook = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using ControlCallback = LRESULT (*)(HWND control, int32_t code, int32_t id, LPARAM lParam);

// Installed on every attached window by Subclass. No exception leaves it.
LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Dialog procedure of every dialog made from a template.
INT_PTR CALLBACK FrameworkDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Procedure of the hidden owner window class.
LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// The dropped paths of a drop handle, whole however long, joined by "\r\n" with none
// after the last; an allocated empty text when nothing was dropped.
Text BuildDropText(HDROP drop);

}  // namespace rc2e
