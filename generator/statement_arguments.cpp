// First word and comma-separated arguments of a statement line (see the header).
// Does not join continued lines and does not interpret keywords.
#include "generator/statement_arguments.h"

#include "generator/script_characters.h"

namespace rc2e {

namespace {

// Position of the next comma outside strings at or after start, or text.size().
size_t NextSeparator(std::string_view text, size_t start) {
  return FindOutsideStrings(text, start, [text](size_t i) { return text[i] == ','; });
}

}  // namespace

std::string_view FirstWord(std::string_view line) {
  line = TrimLeadingScriptBlanks(line);
  size_t end = 0;
  while (end < line.size() && !IsScriptBlank(line[end]) && line[end] != ',' && line[end] != '"' &&
         !(line[end] == '/' && end + 1 < line.size() && line[end + 1] == '/')) {
    end += CharacterLengthAt(line, end);
  }
  return line.substr(0, end);
}

StatementArguments::StatementArguments(std::string_view logicalLine) {
  std::string_view code = logicalLine.substr(0, TrailingCommentStart(logicalLine));
  keyword_ = FirstWord(code);
  rest_ = code.substr(static_cast<size_t>(keyword_.data() + keyword_.size() - code.data()));
}

int32_t StatementArguments::Count() const {
  if (TrimScriptBlanks(rest_).empty()) return 0;
  int32_t count = 1;
  for (size_t i = NextSeparator(rest_, 0); i < rest_.size(); i = NextSeparator(rest_, i + 1)) ++count;
  return count;
}

std::optional<std::string_view> StatementArguments::At(int32_t position) const {
  if (position < 1 || TrimScriptBlanks(rest_).empty()) return std::nullopt;
  size_t start = 0;
  for (int32_t n = 1;; ++n) {
    size_t end = NextSeparator(rest_, start);
    if (n == position) return TrimScriptBlanks(rest_.substr(start, end - start));
    if (end >= rest_.size()) return std::nullopt;
    start = end + 1;
  }
}

std::string_view Unquoted(std::string_view argument) {
  if (argument.size() >= 2 && argument.front() == '"' && argument.back() == '"') {
    return argument.substr(1, argument.size() - 2);
  }
  return argument;
}

}  // namespace rc2e
