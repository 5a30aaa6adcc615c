// The generator's line services over the run-time text services: counting CR LF lines,
// reading one line of a file from disk, and finding the line that holds a word.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/text.h"

namespace rc2e {

// The members of the text split at CR LF: a final CR LF starts no further line.
int32_t CountLines(std::string_view text);
// Line n (from 1) of the file as it is on disk now; empty for a missing file or an n
// outside the lines.
Text ReadFileLine(const char* path, int32_t n);
// The number (from 1) of the first CR LF line holding word, ignoring case when the low
// bit of caseFlag is 0; 0 when none does.
int32_t FindLineContaining(std::string_view text, std::string_view word, int32_t caseFlag);

}  // namespace rc2e
