// Event handlers of window objects: plain functions of up to seven 32-bit values, the
// call that raises them, the modifier-key state and the word-splitting convention.
// Which event gets which arguments is the dispatcher's business, not this header's.
#pragma once

#include <cstdint>

namespace rc2e {

// Every argument is a 32-bit value: an integer, a handle or the address of a text that
// is valid only during the call. Arguments an event does not define arrive as 0.
using EventArg = uint32_t;
using EventHandler = int32_t (*)(EventArg, EventArg, EventArg, EventArg, EventArg, EventArg, EventArg);

// 0 without calling anything for a null handler; otherwise the handler's result.
int32_t InvokeEvent(EventHandler handler, EventArg a1 = 0, EventArg a2 = 0, EventArg a3 = 0,
                    EventArg a4 = 0, EventArg a5 = 0, EventArg a6 = 0, EventArg a7 = 0);

// Keys held now (GetAsyncKeyState bit 0x8000): 1 Ctrl, 2 Shift, 4 Alt, summed.
enum ModifierKey : int32_t { kModifierControl = 1, kModifierShift = 2, kModifierAlt = 4 };
int32_t ModifierKeys();

// Packed 16-bit pairs: the low word is unsigned, the high word signed.
inline uint32_t LowWord(uintptr_t packed) { return static_cast<uint32_t>(packed & 0xFFFF); }
inline int32_t HighWord(uintptr_t packed) { return static_cast<int16_t>((packed >> 16) & 0xFFFF); }

// A signed value or an address as an event argument.
inline EventArg ToEventArg(int32_t value) { return static_cast<EventArg>(value); }
inline EventArg ToEventArg(const void* address) {
  return static_cast<EventArg>(reinterpret_cast<uintptr_t>(address));
}

}  // namespace rc2e
