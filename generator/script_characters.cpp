// Byte rules shared by the script-reading stages (see the header).
// Knows nothing of statements or resources; only bytes, strings and comments.
#include "generator/script_characters.h"

namespace rc2e {

std::string_view TrimTrailingScriptBlanks(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsScriptBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string_view TrimLeadingScriptBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsScriptBlank(text[begin])) ++begin;
  return text.substr(begin);
}

std::string_view TrimScriptBlanks(std::string_view text) {
  return TrimTrailingScriptBlanks(TrimLeadingScriptBlanks(text));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

size_t TrailingCommentStart(std::string_view line) {
  return FindOutsideStrings(line, 0,
                            [line](size_t i) { return line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/'; });
}

}  // namespace rc2e
