// Prepares a header definition line for the identifier library: symbols of records made
// earlier in the run are replaced by their identifiers. Evaluates nothing itself.
#pragma once

#include <string_view>

#include "generator/symbol_table.h"
#include "runtime/text.h"

namespace rc2e {

// Resource-editor bookkeeping (`_APS_...`, `APSTUDIO_...`), which makes no record.
bool IsEditorBookkeepingName(std::string_view name);

// A copy of the line in which, for a line `#define NAME VALUE`, each whole identifier of
// VALUE that the table knows is replaced by its value in decimal, a negative one in
// parentheses. Any other line, a function-like macro included, is copied unchanged.
Text SubstituteKnownValues(std::string_view definitionLine, const SymbolTable& knownValues);

}  // namespace rc2e
