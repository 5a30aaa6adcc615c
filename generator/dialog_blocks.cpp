// Dialog blocks over the logical lines (see the header).
// Statements inside a block are read by the declaration reader, not here.
#include "generator/dialog_blocks.h"

#include "generator/growing_array.h"
#include "generator/script_characters.h"
#include "generator/statement_arguments.h"

namespace rc2e {

namespace {

// The dialog headers among the declarations, in line order.
class HeaderCursor {
 public:
  explicit HeaderCursor(const ValueArray<Declaration>& declarations)
      : next_(declarations.begin()), end_(declarations.end()) {
    Skip();
  }
  // The header declared on the line, if the next header lies there.
  const Declaration* At(int32_t lineNumber) const {
    return next_ != end_ && next_->lineNumber == lineNumber ? next_ : nullptr;
  }
  void Advance() {
    if (next_ != end_) ++next_;
    Skip();
  }

 private:
  void Skip() {
    while (next_ != end_ && !next_->isDialogHeader) ++next_;
  }
  const Declaration* next_;
  const Declaration* end_;
};

}  // namespace

ValueArray<DialogBlock> FindDialogBlocks(std::span<const LogicalLine> lines,
                                         const ValueArray<Declaration>& declarations) {
  GrowingArray<DialogBlock> blocks;
  HeaderCursor headers(declarations);
  size_t i = 0;
  while (i < lines.size()) {
    const Declaration* header = headers.At(lines[i].lineNumber);
    if (!header) {
      ++i;
      continue;
    }
    headers.Advance();
    DialogBlock block{header->symbol, lines[i].lineNumber, lines[i].lineNumber};
    int32_t depth = 0;
    bool opened = false;
    size_t next = i + 1;
    for (; next < lines.size(); ++next) {
      const LogicalLine& line = lines[next];
      if (headers.At(line.lineNumber)) break;
      block.lastLine = line.lineNumber;
      std::string_view word = FirstWord(line.text);
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
    blocks.Append(block);
    i = next;
  }
  return blocks.Finish();
}

}  // namespace rc2e
