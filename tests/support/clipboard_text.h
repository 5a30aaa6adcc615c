// Reads the clipboard from a test the way another program would see it.
// Reading only; tests put text there through the code under test or their own helpers.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include "runtime/platform.h"
#endif

namespace rc2e::testing {

// CF_TEXT as it is now; "<none>" without text, "<locked>" when the clipboard cannot be
// opened. Off Windows, the in-process clipboard of the POSIX platform.
inline std::string ClipboardText() {
#ifdef _WIN32
  if (!OpenClipboard(nullptr)) return "<locked>";
  std::string text = "<none>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
#else
  return std::string(PosixClipboardForTesting());
#endif
}

}  // namespace rc2e::testing
