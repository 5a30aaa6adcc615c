// The scanned part of a script read into its three views (see the header).
// Which records take which class is the dialog choice's business.
#include "generator/script_body.h"

namespace rc2e {

ScriptBody ReadScriptBody(std::span<const std::string_view> scannedLines, int32_t firstLineNumber) {
  ScriptBody body;
  body.lines = JoinLogicalLines(scannedLines, firstLineNumber);
  std::span<const LogicalLine> logical(body.lines.lines.begin(), body.lines.lines.end());
  body.declarations = FindDeclarations(logical);
  body.blocks = FindDialogBlocks(logical, body.declarations);
  return body;
}

}  // namespace rc2e
