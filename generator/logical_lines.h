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
  std::string_view text;  // the scanned line itself, or a joined text in the storage
};

struct LogicalLines {
  ValueArray<LogicalLine> lines;
  Text joinedStorage;  // the joined texts one after another; moving keeps the views valid
};

// True when the line, without its trailing comment and blanks, ends in `,` or `|`.
bool ContinuesOnNextLine(std::string_view line);

// One logical line per run of continued lines, numbered from firstLineNumber. A joined
// line is each continued line without its trailing comment and blanks, then one blank,
// then the next line without its leading blanks. A line that is not joined is a view of
// the scanned line, so `lines` must outlive the result.
LogicalLines JoinLogicalLines(std::span<const std::string_view> lines, int32_t firstLineNumber);

}  // namespace rc2e
