// Reads a dropped script from disk once and keeps both views the pipeline needs: the counted
// content (up to the first NUL or 0x1A) and the CR LF lines (up to the first NUL).
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

enum class ScriptReadStatus { Read, CannotOpen, CannotRead, TooLarge };

// "cannot be opened", "cannot be read", "is too large"; empty for Read.
const char* DescribeScriptReadStatus(ScriptReadStatus status);

struct ScriptBytes {
  ScriptReadStatus status = ScriptReadStatus::CannotOpen;
  ByteBuffer bytes;  // the whole file when Read
};

// Opens the path for reading (others may read and write it meanwhile), reads all of it and
// closes it again. A path holding CR LF names several files and cannot be opened.
ScriptBytes ReadScriptBytes(const char* path);

class ScriptSource {
 public:
  // construction
  ScriptSource() = default;  // an empty script: no content, no lines
  // From bytes already in the ANSI code page.
  explicit ScriptSource(const ByteBuffer& bytes);

  // access
  // The text whose lines are counted: the bytes before the first NUL or 0x1A.
  const Text& Content() const { return content_; }
  Text TakeContent() { return std::move(content_); }
  // CountLines of the content, the number of lines a run goes through.
  int32_t LineCount() const { return lineCount_; }
  // Line n (from 1) of the bytes before the first NUL, without its CR LF; empty outside
  // the lines, as reading that line from the file gives it.
  std::string_view Line(int32_t n) const;
  // The same line, NUL-terminated, writable for the identifier library; null when it is empty.
  char* LineBlock(int32_t n);
  // The number of CR LF lines before the first NUL.
  int32_t StoredLineCount() const { return lines_.Count(); }

 private:
  struct LineSpan {
    int32_t start;
    int32_t length;
  };

  Text content_;
  int32_t lineCount_ = 0;
  // The bytes before the first NUL, each line's CR LF made a NUL LF, so that every line is
  // a NUL-terminated text in place.
  Text lineText_;
  ValueArray<LineSpan> lines_;
};

}  // namespace rc2e
