// DialogWindow tray operations (slots 109 to 113): the notification block, the owned icon
// and the shell calls through ShellNotify. Callback decoding and re-adding are in dispatch.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <optional>

#include "framework/dialog_window.h"
#include "framework/shell_notify.h"
#include "framework/text_argument.h"
#include "framework/tray_icon.h"

namespace rc2e {

namespace {

uint32_t Word(const void* handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }

}  // namespace

bool DialogWindow::AddTrayIcon(HICON icon, const char* tip) {
  if (taskbarCreatedMessage == 0) taskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
  trayData = NotifyIconBlock::Allocate();
  trayIcon.Reset(icon);
  NotifyIconFields fields;
  fields.size = kNotifyIconBlockSize;
  fields.window = Word(GetHandle());
  fields.id = kTrayIconId;
  fields.flags = kTrayFlagsIcon;
  fields.callbackMessage = kTrayCallbackMessage;
  fields.icon = Word(icon);
  fields.tip = TextOrEmpty(tip);
  trayData.Write(fields);
  return ShellNotify(NIM_ADD, trayData.data()) != 0;
}

bool DialogWindow::SetTrayTip(const char* tip) {
  if (!trayData) return false;
  NotifyIconFields fields;
  fields.flags = kTrayFlagsIcon;
  fields.tip = TextOrEmpty(tip);
  trayData.Write(fields);
  return ShellNotify(NIM_MODIFY, trayData.data()) != 0;
}

bool DialogWindow::SetTrayIcon(HICON icon) {
  if (!trayData) return false;
  trayIcon.Reset(icon);
  NotifyIconFields fields;
  fields.flags = kTrayFlagsIcon;
  fields.icon = Word(icon);
  trayData.Write(fields);
  return ShellNotify(NIM_MODIFY, trayData.data()) != 0;
}

bool DialogWindow::DisplayTrayBalloon(const char* text, const char* title, std::optional<uint32_t> kind,
                                      std::optional<uint32_t> timeoutMs) {
  if (!trayData) return false;
  NotifyIconFields fields;
  fields.flags = kTrayFlagsBalloon;
  fields.info = TextOrEmpty(text);
  fields.timeout = timeoutMs.value_or(kTrayDefaultBalloonTimeout);
  fields.infoTitle = TextOrEmpty(title);
  fields.infoFlags = kind.value_or(kTrayDefaultBalloonKind);
  trayData.Write(fields);
  return ShellNotify(NIM_MODIFY, trayData.data()) != 0;
}

bool DialogWindow::RemoveTrayIcon() {
  if (!trayData) return false;
  trayIcon.Reset();
  bool removed = ShellNotify(NIM_DELETE, trayData.data()) != 0;
  // Without a block the taskbar's re-creation cannot show the removed icon again from
  // the icon handle just destroyed.
  trayData.Free();
  return removed;
}

}  // namespace rc2e
