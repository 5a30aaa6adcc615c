// Reads a logical line as a statement: its first word and the comma-separated arguments
// after it. Splits only; what a keyword means is left to the declaration reader.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rc2e {

class StatementArguments {
 public:
  // construction
  // The first word runs from the first non-blank byte up to a blank, a comma or a double
  // quote; the arguments are the rest of the line up to a trailing `//` comment.
  explicit StatementArguments(std::string_view logicalLine);

  // access
  std::string_view Keyword() const { return keyword_; }
  // The text after the first word, without the trailing comment.
  std::string_view Rest() const { return rest_; }
  // Arguments split at commas outside double-quoted strings (`""` and a backslash with
  // the character after it do not end a string), each trimmed of blanks. A blank rest
  // has no arguments; otherwise there is one more argument than separating commas.
  int32_t Count() const;
  // The argument at a 1-based position; nullopt outside 1..Count().
  std::optional<std::string_view> At(int32_t position) const;

 private:
  std::string_view keyword_;
  std::string_view rest_;
};

// The first word of a line as StatementArguments::Keyword gives it, without reading the
// rest of the line.
std::string_view FirstWord(std::string_view line);

// The text of an argument without one pair of surrounding double quotes, if it has them.
std::string_view Unquoted(std::string_view argument);

}  // namespace rc2e
