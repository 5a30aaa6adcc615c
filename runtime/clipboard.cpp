// SetClipboardText over the platform seam, which does the open, empty, copy and close.
#include "runtime/clipboard.h"

#include <cstring>

#include "runtime/platform.h"

namespace rc2e {

int SetClipboardText(const char* text) {
  if (!text) return 0;
  return CurrentPlatform().PutClipboardText(text, std::strlen(text)) ? 1 : 0;
}

int SetClipboardText(const Text& text) { return SetClipboardText(text.address()); }

}  // namespace rc2e
