// Byte rules shared by the script-reading stages, over the run-time's double-byte stepping:
// blanks, identifier bytes and walks, case-blind comparison, strings and `//` comments in a line.
#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/text_services.h"

namespace rc2e {

inline bool IsScriptBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The first position at or after i that holds neither a space nor a tab.
inline size_t SkipSpacesAndTabs(std::string_view text, size_t i) {
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

inline bool IsIdentifierByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

inline bool IsIdentifierStartByte(char c) { return IsIdentifierByte(c) && !(c >= '0' && c <= '9'); }

// Calls visit(begin, end) for each whole identifier of text from position `from`, in
// order, until visit returns false; numbers and their suffixes are skipped and double-byte
// characters separate identifiers.
template <class Visit>
void ForEachIdentifier(std::string_view text, size_t from, Visit visit) {
  size_t i = from;
  while (i < text.size()) {
    if (!IsIdentifierByte(text[i])) {
      i += CharacterLengthAt(text, i);
      continue;
    }
    size_t begin = i;
    while (i < text.size() && IsIdentifierByte(text[i])) ++i;
    if (IsIdentifierStartByte(text[begin]) && !visit(begin, i)) return;
  }
}

std::string_view TrimScriptBlanks(std::string_view text);
std::string_view TrimLeadingScriptBlanks(std::string_view text);
std::string_view TrimTrailingScriptBlanks(std::string_view text);

// ASCII letters compared without case; every other byte exactly.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Position of the first byte at or after start, outside double-quoted strings, for which
// stopsAt(position) holds; the length of the text when there is none. Inside a string `""`
// and a backslash with the character after it do not end the string.
template <class StopsAt>
size_t FindOutsideStrings(std::string_view text, size_t start, StopsAt stopsAt) {
  bool inString = false;
  size_t i = start;
  while (i < text.size()) {
    char c = text[i];
    if (inString) {
      if (c == '\\' && i + 1 < text.size()) {
        i += 1 + CharacterLengthAt(text, i + 1);
        continue;
      }
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          i += 2;
          continue;
        }
        inString = false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (stopsAt(i)) {
      return i;
    }
    i += CharacterLengthAt(text, i);
  }
  return text.size();
}

// Position of the `//` that opens a trailing comment outside double-quoted strings, or
// the length of the line when there is none.
size_t TrailingCommentStart(std::string_view line);

// The line up to its trailing comment, without the blanks before it.
inline std::string_view WithoutTrailingComment(std::string_view line) {
  return TrimTrailingScriptBlanks(line.substr(0, TrailingCommentStart(line)));
}

}  // namespace rc2e
