// The header block: one ComponentRecord per definition line, from the first line up to the
// first empty one, each line read by the identifier library. Gives no record a class.
#pragma once

#include <cstdint>

#include "generator/component_record.h"
#include "generator/script_source.h"
#include "runtime/value_array.h"

namespace rc2e {

struct HeaderBlock {
  ValueArray<ComponentRecord> records;  // in the order of the definition lines
  int32_t lineCount = 0;                // lines before the first empty line
};

// Calls get1_id, then get1_str, for every line before the first empty one (all LineCount
// lines when none is empty). A line for which the library gives an empty name makes no record.
HeaderBlock ReadHeaderBlock(ScriptSource& script);

}  // namespace rc2e
