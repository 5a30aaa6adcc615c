// Dialog blocks over the logical lines (see the header).
// Statements inside a block are read by the declaration reader, not here.
#include "generator/dialog_blocks.h"

#include "generator/declarations.h"
#include "generator/growing_array.h"
#include "generator/script_characters.h"
#include "generator/statement_arguments.h"

namespace rc2e {

namespace {

// The header symbol of a logical line, and its first word for BEGIN / END.
struct LineStart {
  std::optional<std::string_view> header;
  std::string_view keyword;
};

LineStart ReadLineStart(const LogicalLine& line) {
  StatementArguments statement(line.text);
  return {DialogHeaderSymbol(statement), statement.Keyword()};
}

}  // namespace

ValueArray<DialogBlock> FindDialogBlocks(std::span<const LogicalLine> lines) {
  GrowingArray<DialogBlock> blocks;
  size_t i = 0;
  LineStart start;
  while (i < lines.size() && !(start = ReadLineStart(lines[i])).header) ++i;
  while (i < lines.size()) {
    DialogBlock block{*start.header, lines[i].lineNumber, lines[i].lineNumber};
    int32_t depth = 0;
    bool opened = false;
    size_t next = i + 1;
    bool atHeader = false;
    for (; next < lines.size(); ++next) {
      const LogicalLine& line = lines[next];
      start = ReadLineStart(line);
      if (start.header) {
        atHeader = true;
        break;
      }
      block.lastLine = line.lineNumber;
      if (EqualsIgnoringCase(start.keyword, "BEGIN") || start.keyword == "{") {
        ++depth;
        opened = true;
      } else if (opened && (EqualsIgnoringCase(start.keyword, "END") || start.keyword == "}")) {
        if (--depth == 0) {
          ++next;
          break;
        }
      }
    }
    blocks.Append(block);
    i = next;
    if (!atHeader) {
      while (i < lines.size() && !(start = ReadLineStart(lines[i])).header) ++i;
    }
  }
  return blocks.Finish();
}

}  // namespace rc2e
