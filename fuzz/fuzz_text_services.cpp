// Fuzzes the double-byte scanning services (split, search, trim, half-width, lines) on
// exactly-sized inputs so that any read past the end is caught; checks what a result claims.
// Does not touch files or the clipboard.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "generator/line_services.h"
#include "runtime/text_services.h"
#include "runtime/value_ops.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // First byte: length of the search text / delimiter; second: flags; the rest is the text.
  size_t searchLength = data[0] % 8;
  uint8_t flags = data[1];
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  if (searchLength > rest.size()) searchLength = rest.size();
  std::string_view search = rest.substr(0, searchLength);
  std::string_view text = rest.substr(searchLength);

  int32_t start = static_cast<int8_t>(flags) / 4;
  bool ignoreCase = flags & 1;
  int32_t found = rc2e::FindInText(text, search, start, ignoreCase);
  if (found != -1) {
    if (found < 1 || static_cast<size_t>(found) - 1 + search.size() > text.size()) std::abort();
    if (!ignoreCase && text.substr(static_cast<size_t>(found) - 1, search.size()) != search) std::abort();
  }

  std::optional<int32_t> limit;
  if (flags & 2) limit = static_cast<int32_t>(flags >> 4) - 2;
  rc2e::ValueArray<rc2e::Text> members = rc2e::SplitText(text, search, limit);
  size_t total = 0;
  for (const rc2e::Text& member : members) total += member.Length();
  if (total > text.size()) std::abort();

  (void)rc2e::CountLines(text);
  (void)rc2e::FindLineContaining(text, search, flags);
  rc2e::Text trimmed = rc2e::TrimBlanks(text);
  if (trimmed.Length() > text.size()) std::abort();
  (void)rc2e::TrimLeadingBlanks(text);
  (void)rc2e::ToHalfWidth(text);
  (void)rc2e::ToInteger(text);
  (void)rc2e::CompareText(text, search);
  return 0;
}
