// Dialog blocks over the logical lines (see the header).
// Statements inside a block are read by the declaration reader, not here.
#include "generator/dialog_blocks.h"

#include "generator/declarations.h"
#include "generator/growing_array.h"
#include "generator/script_characters.h"
#include "generator/statement_arguments.h"

namespace rc2e {

namespace {

bool IsDialogHeader(const LogicalLine& line) {
  std::optional<DeclaredSymbol> declared = ReadDeclaration(line.text);
  return declared && declared->isDialogHeader;
}

}  // namespace

ValueArray<DialogBlock> FindDialogBlocks(std::span<const LogicalLine> lines) {
  GrowingArray<DialogBlock> blocks;
  size_t i = 0;
  while (i < lines.size() && !IsDialogHeader(lines[i])) ++i;
  while (i < lines.size()) {
    const LogicalLine& header = lines[i];
    DialogBlock block{Text::Copy(ReadDeclaration(header.text)->symbol), header.lineNumber, header.lineNumber};
    int32_t depth = 0;
    bool opened = false;
    size_t next = i + 1;
    for (; next < lines.size(); ++next) {
      const LogicalLine& line = lines[next];
      if (IsDialogHeader(line)) break;
      block.lastLine = line.lineNumber;
      std::string_view word = StatementArguments(line.text).Keyword();
      if (EqualsIgnoringCase(word, "BEGIN") || word == "{") {
        ++depth;
        opened = true;
      } else if (opened && (EqualsIgnoringCase(word, "END") || word == "}")) {
        if (--depth == 0) {
          ++next;
          break;
        }
      }
    }
    blocks.Append(std::move(block));
    i = next;
    while (i < lines.size() && !IsDialogHeader(lines[i])) ++i;
  }
  return blocks.Finish();
}

}  // namespace rc2e
