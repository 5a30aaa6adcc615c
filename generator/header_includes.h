// Expands `#include "FILE"` lines of the header block into the lines of FILE, found beside
// the including file, nested up to 8 deep. Reads through a reader; decodes nothing itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

inline constexpr int32_t kMaximumIncludeDepth = 8;

class IncludeFileReader {
 public:
  virtual ~IncludeFileReader() = default;
  // overrideables
  // The text of the file at path, already converted to the ANSI code page; false when
  // the file cannot be read.
  virtual bool ReadIncludedFile(const char* path, Text& content) = 0;
};

// The FILE of a line `#include "FILE"` (blanks allowed before and after `#`, anything
// after the closing quote); nullopt for any other line, `#include <FILE>` included.
std::optional<std::string_view> IncludedFileName(std::string_view line);

// FILE taken relative to the folder of the including path; `\` and `/` both separate
// folders. A FILE that starts with a separator or a drive letter stands alone. Where the
// host uses `/`, every `\` becomes `/`.
Text ResolveIncludePath(std::string_view includingPath, std::string_view fileName);

// The header lines with every include replaced by the non-empty lines of its file (split
// at LF with a CR before it dropped, up to a NUL or 0x1A byte), expanded in turn. An
// include is skipped, leaving no line, when its file cannot be read, is already being read
// (the script itself included), or would lie deeper than kMaximumIncludeDepth.
ValueArray<Text> ExpandHeaderIncludes(std::span<const std::string_view> headerLines, std::string_view scriptPath,
                                      IncludeFileReader& reader);

}  // namespace rc2e
