// Putting a text on the clipboard as CF_TEXT; reading the clipboard is not offered.
#pragma once

#include "runtime/text.h"

namespace rc2e {

// 1 when the text is on the clipboard, 0 for a null text or when the clipboard cannot
// be opened or given the text (its previous content may then be gone or kept, as the
// system decides; a clipboard held open elsewhere is left unchanged).
int SetClipboardText(const char* text);
int SetClipboardText(const Text& text);

}  // namespace rc2e
