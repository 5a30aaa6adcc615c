// Joins scanned lines into logical lines: a line ending in `,` or `|` (before trailing
// blanks and a `//` comment) goes on in the next one. Does not read files or split at CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

struct LogicalLine {
  int32_t lineNumber;     // the number of its first scanned line
  std::string_view text;  // the line itself, or the joined text held in `joined`
  Text joined;            // owns the text of a line made of several scanned lines
};

// True when the line, without its trailing comment and blanks, ends in `,` or `|`.
bool ContinuesOnNextLine(std::string_view line);

// One logical line per run of continued lines, numbered from firstLineNumber. A joined
// line is each continued line without its trailing comment and blanks, then one blank,
// then the next line without its leading blanks. Views point into `lines`, which must
// outlive the result.
ValueArray<LogicalLine> JoinLogicalLines(std::span<const std::string_view> lines, int32_t firstLineNumber);

}  // namespace rc2e
