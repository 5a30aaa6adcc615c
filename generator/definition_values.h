// Prepares a header definition line for the identifier library: symbols of records made
// earlier in the run are replaced by their identifiers. Evaluates nothing itself.
#pragma once

#include <optional>
#include <string_view>

#include "generator/symbol_table.h"
#include "runtime/text.h"

namespace rc2e {

// Resource-editor bookkeeping (`_APS_...`, `APSTUDIO_...`), which makes no record.
bool IsEditorBookkeepingName(std::string_view name);

// True when the line is `#define NAME VALUE` and VALUE holds a whole identifier, so that
// SubstituteKnownValues may change it.
bool ValueNamesAnIdentifier(std::string_view definitionLine);

// For a line `#define NAME VALUE`, a new text in which each whole identifier of VALUE that
// the table knows is replaced by its value in decimal, a negative one in parentheses;
// nullopt when nothing is replaced, for any other line (a function-like macro included) too.
std::optional<Text> SubstituteKnownValues(std::string_view definitionLine, const SymbolTable& knownValues);

}  // namespace rc2e
