// Reads the scanned part of a script (the lines after the header block) once into logical
// lines, declarations and dialog blocks. Header definitions and output are elsewhere.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "generator/declarations.h"
#include "generator/dialog_blocks.h"
#include "generator/logical_lines.h"
#include "runtime/value_array.h"

namespace rc2e {

struct ScriptBody {
  // Declarations and blocks point into the lines; moving the body keeps them valid.
  LogicalLines lines;  // views into the scanned lines, which must outlive it
  ValueArray<Declaration> declarations;
  ValueArray<DialogBlock> blocks;
};

ScriptBody ReadScriptBody(std::span<const std::string_view> scannedLines, int32_t firstLineNumber);

}  // namespace rc2e
