// Raising an event handler and reading the modifier keys at dispatch time.
// Which message raises which event is decided in dispatch.cpp.
#include "framework/event.h"

#include <windows.h>

namespace rc2e {

int32_t InvokeEvent(EventHandler handler, EventArg a1, EventArg a2, EventArg a3, EventArg a4, EventArg a5,
                    EventArg a6, EventArg a7) {
  if (!handler) return 0;
  return handler(a1, a2, a3, a4, a5, a6, a7);
}

int32_t ModifierKeys() {
  int32_t keys = 0;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) keys |= kModifierControl;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) keys |= kModifierShift;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) keys |= kModifierAlt;
  return keys;
}

}  // namespace rc2e
