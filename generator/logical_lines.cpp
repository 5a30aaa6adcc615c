// Continued statements joined into logical lines (see the header).
// Statement meaning is left to the argument and declaration readers.
#include "generator/logical_lines.h"

#include <cstring>

#include "generator/growing_array.h"
#include "generator/script_characters.h"

namespace rc2e {

namespace {

std::string_view TrimLeadingScriptBlanks(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsScriptBlank(text[begin])) ++begin;
  return text.substr(begin);
}

// The joined text of lines[first..last]; every line but the last ends in a continuation.
Text JoinRun(std::span<const std::string_view> lines, size_t first, size_t last) {
  size_t length = 0;
  for (size_t i = first; i <= last; ++i) {
    std::string_view piece = i == last ? lines[i] : WithoutTrailingComment(lines[i]);
    if (i > first) piece = TrimLeadingScriptBlanks(piece);
    length += piece.size() + (i > first ? 1 : 0);
  }
  Text joined = Text::WithLength(length);
  char* out = joined.data();
  for (size_t i = first; i <= last; ++i) {
    std::string_view piece = i == last ? lines[i] : WithoutTrailingComment(lines[i]);
    if (i > first) {
      piece = TrimLeadingScriptBlanks(piece);
      *out++ = ' ';
    }
    std::memcpy(out, piece.data(), piece.size());
    out += piece.size();
  }
  return joined;
}

}  // namespace

bool ContinuesOnNextLine(std::string_view line) {
  std::string_view code = WithoutTrailingComment(line);
  // The last character, stepped to from the start: `|` may be a double-byte trail byte.
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < code.size(); i += CharacterLengthAt(code, i)) last = i;
  return last != std::string_view::npos && last + 1 == code.size() && (code[last] == ',' || code[last] == '|');
}

ValueArray<LogicalLine> JoinLogicalLines(std::span<const std::string_view> lines, int32_t firstLineNumber) {
  GrowingArray<LogicalLine> logical;
  size_t i = 0;
  while (i < lines.size()) {
    size_t last = i;
    while (last + 1 < lines.size() && ContinuesOnNextLine(lines[last])) ++last;
    LogicalLine line{firstLineNumber + static_cast<int32_t>(i), lines[i], Text()};
    if (last > i) {
      line.joined = JoinRun(lines, i, last);
      line.text = line.joined.view();
    }
    logical.Append(std::move(line));
    i = last + 1;
  }
  return logical.Finish();
}

}  // namespace rc2e
