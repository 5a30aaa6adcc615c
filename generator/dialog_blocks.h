// Finds each dialog's block of logical lines: from its header to the END or `}` closing its
// first BEGIN or `{`. Says nothing about which declarations or records a block holds.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "generator/declarations.h"
#include "generator/logical_lines.h"
#include "runtime/value_array.h"

namespace rc2e {

struct DialogBlock {
  std::string_view symbol;  // as the header writes it, into the header's line
  int32_t headerLine;       // line number of the header
  int32_t lastLine;         // line number of the last logical line in the block
};

// One block per dialog header among the declarations (found by FindDeclarations over the
// same lines), in line order. BEGIN / END and `{` / `}` count as the first word of a
// logical line (keywords without case) and nest. A header with no BEGIN before the next
// header, or whose BEGIN is not closed before it, ends on the line before that header; one
// that reaches the end of the lines ends on the last of them.
ValueArray<DialogBlock> FindDialogBlocks(std::span<const LogicalLine> lines, const ValueArray<Declaration>& declarations);

}  // namespace rc2e
