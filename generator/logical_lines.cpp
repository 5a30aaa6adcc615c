// Continued statements joined into logical lines (see the header).
// Statement meaning is left to the argument and declaration readers.
#include "generator/logical_lines.h"

#include <cstring>

#include "generator/growing_array.h"
#include "generator/script_characters.h"

namespace rc2e {

namespace {

// The piece that scanned line i adds to a run from first to last.
std::string_view RunPiece(std::span<const std::string_view> lines, size_t first, size_t last, size_t i) {
  std::string_view piece = i == last ? lines[i] : WithoutTrailingComment(lines[i]);
  return i > first ? TrimLeadingScriptBlanks(piece) : piece;
}

struct Run {
  int32_t logicalIndex;  // 1-based
  size_t first;
  size_t last;
};

}  // namespace

bool ContinuesOnNextLine(std::string_view line) {
  std::string_view code = WithoutTrailingComment(line);
  if (code.empty() || (code.back() != ',' && code.back() != '|')) return false;
  // The last byte must start a character, stepped to from the start: it may be a trail byte.
  size_t last = 0;
  for (size_t i = 0; i < code.size(); i += CharacterLengthAt(code, i)) last = i;
  return last + 1 == code.size();
}

LogicalLines JoinLogicalLines(std::span<const std::string_view> lines, int32_t firstLineNumber) {
  GrowingArray<LogicalLine> logical;
  GrowingArray<Run> runs;
  size_t joinedLength = 0;
  size_t i = 0;
  while (i < lines.size()) {
    size_t last = i;
    while (last + 1 < lines.size() && ContinuesOnNextLine(lines[last])) ++last;
    logical.Append(LogicalLine{firstLineNumber + static_cast<int32_t>(i), lines[i]});
    if (last > i) {
      runs.Append(Run{logical.Count(), i, last});
      for (size_t k = i; k <= last; ++k) joinedLength += RunPiece(lines, i, last, k).size() + (k > i ? 1 : 0);
    }
    i = last + 1;
  }

  LogicalLines result{logical.Finish(), Text()};
  if (runs.Count() == 0) return result;
  result.joinedStorage = Text::WithLength(joinedLength);
  char* out = result.joinedStorage.data();
  for (int32_t n = 1; n <= runs.Count(); ++n) {
    const Run& run = runs.At(n);
    char* begin = out;
    for (size_t k = run.first; k <= run.last; ++k) {
      std::string_view piece = RunPiece(lines, run.first, run.last, k);
      if (k > run.first) *out++ = ' ';
      if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
      out += piece.size();
    }
    result.lines.At(run.logicalIndex).text = std::string_view(begin, static_cast<size_t>(out - begin));
  }
  return result;
}

}  // namespace rc2e
