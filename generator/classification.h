// Gives each record the component class of the last scanned line that declares its symbol,
// by the class table. Reads no file and composes no output.
#pragma once

#include <cstdint>
#include <string_view>

#include "generator/component_record.h"
#include "generator/script_source.h"
#include "runtime/value_array.h"

namespace rc2e {

// 0-based position of the first occurrence of word in text as a whole identifier: the
// characters just before and after it, where they exist, are not ASCII letters, digits or
// '_'. Steps over double-byte characters (a byte of 0x80 or above and the one after it),
// which never count as letters; case-sensitive. -1 when there is none or word is empty.
int32_t FindWholeIdentifier(std::string_view text, std::string_view word);

// The class a line gives the symbol: the first class-table row whose keyword occurs in the
// part of the line after the symbol's first whole-identifier occurrence and whose subtype
// condition, if any, holds there. Null when the symbol does not occur or no row matches.
const char* ClassOfLine(std::string_view line, std::string_view symbol);

// Scans lines firstLine to the script's LineCount for every record; a record keeps its
// class when no line gives one. Linear in the size of the scanned lines and the records.
void ClassifyRecords(ValueArray<ComponentRecord>& records, const ScriptSource& script, int32_t firstLine);

}  // namespace rc2e
