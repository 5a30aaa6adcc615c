// The program-wide module values the framework reads: the module handle used as the
// instance of windows, classes and templates, and the source of control identifiers.
// Module initialisation sets them; nothing in the framework changes the module handle.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rc2e {

struct ProgramModule {
  HINSTANCE moduleHandle = nullptr;
  int32_t controlIdCounter = 0;  // 500 after start-up
};

inline ProgramModule programModule;

}  // namespace rc2e
