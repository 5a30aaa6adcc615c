// The header block: one ComponentRecord per definition line, from the first line up to the
// first empty one, includes expanded, each line read by the identifier library. Gives no class.
#pragma once

#include <cstdint>
#include <string_view>

#include "generator/component_record.h"
#include "generator/header_includes.h"
#include "generator/script_source.h"
#include "runtime/value_array.h"

namespace rc2e {

struct HeaderBlock {
  ValueArray<ComponentRecord> records;  // in the order of the definition lines
  int32_t lineCount = 0;                // lines before the first empty line
};

// Reads included files from disk through the platform, converted as a dropped script is.
class DiskIncludeReader : public IncludeFileReader {
 public:
  // overrideables
  bool ReadIncludedFile(const char* path, Text& content) override;
};

// For every line before the first empty one (all LineCount lines when none is empty), with
// each `#include "FILE"` replaced by FILE's lines (found beside scriptPath): symbols of
// records already made are replaced by their identifiers, then get1_id and get1_str read the
// line. A line for which the library gives an empty name, or a resource editor's bookkeeping
// name, makes no record.
HeaderBlock ReadHeaderBlock(ScriptSource& script, std::string_view scriptPath, IncludeFileReader& includes);

}  // namespace rc2e
