// The guard around every call into a function bound from an external library: on i686 a callee
// that leaves the stack pointer moved is run-time error 6. Binds nothing; elsewhere a plain call.
#pragma once

#include <bit>
#include <cstdint>

#if defined(__i386__)
#define RC2E_STDCALL __attribute__((stdcall))
#else
#define RC2E_STDCALL
#endif

namespace rc2e {

#if defined(__i386__)
// Pushes argument, calls function, and raises error 6 (kStackBrokenByExternalCall) when
// the stack pointer afterwards differs from the one before the push; returns EAX.
uint32_t CallStdcallGuarded(const void* function, uint32_t argument);
#endif

// function(argument) for a one-argument stdcall function bound at run time.
template <class Result, class Argument>
Result CallExternal(Result(RC2E_STDCALL* function)(Argument), Argument argument) {
#if defined(__i386__)
  static_assert(sizeof(Result) == 4 && sizeof(Argument) == 4);
  uint32_t result = CallStdcallGuarded(reinterpret_cast<const void*>(function), std::bit_cast<uint32_t>(argument));
  return std::bit_cast<Result>(result);
#else
  return function(argument);
#endif
}

}  // namespace rc2e
