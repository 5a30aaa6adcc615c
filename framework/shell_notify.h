// The framework's one route to Shell_NotifyIconA, replaceable so tests can watch the tray
// calls without a notification area. It adds no logic; the tray code decides what to send.
//
// Shared by the dialog's notification dispatch (taskbar re-creation, teardown of the icon)
// and the tray operations: call ShellNotify, never Shell_NotifyIconA directly, and let a
// test assign shellNotifyFunction (restoring SystemShellNotify afterwards).
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace rc2e {

using ShellNotifyFunction = BOOL (*)(DWORD message, void* block);

// Shell_NotifyIconA(message, block).
inline BOOL SystemShellNotify(DWORD message, void* block) {
  return Shell_NotifyIconA(message, static_cast<NOTIFYICONDATAA*>(block));
}

inline ShellNotifyFunction shellNotifyFunction = SystemShellNotify;

inline BOOL ShellNotify(DWORD message, void* block) { return shellNotifyFunction(message, block); }

}  // namespace rc2e
