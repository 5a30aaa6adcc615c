// The i686 stack-pointer comparison around an external call, in inline assembly.
// Other targets need nothing here: their calling convention is fixed by the build.
#include "runtime/external_call.h"

#include "runtime/fatal.h"

namespace rc2e {

#if defined(__i386__)
// The frame pointer stays, so the unwind information describes this frame by EBP and an
// exception thrown inside the callee still finds its way out while the argument is pushed.
__attribute__((noinline, optimize("no-omit-frame-pointer")))
uint32_t CallStdcallGuarded(const void* function, uint32_t argument) {
  uint32_t result;
  uint32_t before;
  uint32_t after;
  uint32_t scratchC;
  uint32_t scratchD;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "pushl %[argument]\n\t"
      "call *%[function]\n\t"
      "movl %%esp, %%edi\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=&S"(before), "=&D"(after), "=c"(scratchC), "=d"(scratchD)
      : [function] "r"(function), [argument] "r"(argument)
      : "memory", "cc");
  if (before != after) RaiseRuntimeError(kStackBrokenByExternalCall);
  return result;
}
#endif

}  // namespace rc2e
