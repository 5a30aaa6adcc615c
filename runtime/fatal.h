// Numbered fatal run-time errors, the four exit hooks and the exit routine.
// Everything here ends the process; nothing unwinds.
#pragma once

namespace rc2e {

enum RuntimeError : int {
  kIndexAboveCount = 1,
  kNumberExpected = 2,
  kDimensionMismatch = 3,
  kIndexBelowOne = 4,
  kTypeMismatch = 5,
  kStackBrokenByExternalCall = 6,
  kNoValueReturned = 7,
  kOnlyEqualityComparable = 8,
  kChoiceIndexOutOfRange = 9,
  kNegativeArraySize = 10,
  kArgumentTypeMismatch = 11,
};

// The message of error 1 to 11; null for any other number.
const char* RuntimeErrorMessage(int number);
// "program internal error number is %d. \r\n%s" in a box captioned "error", then ExitProgram(0).
[[noreturn]] void RaiseRuntimeError(int number);
// MessageBoxA(no owner, text, caption, MB_ICONERROR), then ExitProgram(0).
[[noreturn]] void ReportFatal(const char* text, const char* caption);

enum class ExitHookSlot : int { Program = 0, Files = 1, Reserved = 2, Libraries = 3 };
using ExitHook = void (*)();
void SetExitHook(ExitHookSlot slot, ExitHook hook);
ExitHook GetExitHook(ExitHookSlot slot);

// Calls the set hooks once, in slot order (each is cleared before it runs, so a fatal
// report from inside a hook cannot loop), then ends the process with the code.
[[noreturn]] void ExitProgram(int exitCode);

}  // namespace rc2e
