// Binding of external library functions on first use: loading the library, finding the
// function, the loaded-library table and its exit hook. The calls themselves are external_call's.
#pragma once

#include <cstdint>

#include "runtime/platform.h"

namespace rc2e {

inline constexpr int32_t kLoadedLibraryCapacity = 100;

// Finds the library among the loaded modules or loads it, looks the function up ("#n" is
// ordinal n; a name is cut at its first '@' when a second '@' follows it), stores the
// address in the slot and returns it. A library that cannot be loaded or a function that
// cannot be found shows its "DLL ERROR" message and ends the process through ExitProgram(0).
// The Libraries exit hook frees the libraries the binder loaded and returns the slots it
// filled to the values they had before.
void* BindLibraryFunction(const char* libraryName, const char* functionName, void** slot);

// inspection
int32_t LoadedLibraryCount();
LibraryHandle LoadedLibrary(int32_t index);  // from 1; null outside the table

}  // namespace rc2e
