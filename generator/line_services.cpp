// Line services built from SplitText, FindInText and ReadWholeFile; they keep no state
// and read the file again on every call.
#include "generator/line_services.h"

#include "runtime/file_services.h"
#include "runtime/text_services.h"

namespace rc2e {

int32_t CountLines(std::string_view text) { return SplitText(text, "\r\n").Count(); }

Text ReadFileLine(const char* path, int32_t n) {
  Text content = BytesToText(ReadWholeFile(path));
  ValueArray<Text> lines = SplitText(content, "\r\n");
  if (n < 1 || n > lines.Count()) return Text();
  return lines.At(n).Clone();
}

int32_t FindLineContaining(std::string_view text, std::string_view word, int32_t caseFlag) {
  ValueArray<Text> lines = SplitText(text, "\r\n");
  bool ignoreCase = (caseFlag & 1) == 0;
  for (int32_t n = 1; n <= lines.Count(); ++n) {
    if (FindInText(lines.At(n), word, 1, ignoreCase) > 0) return n;
  }
  return 0;
}

}  // namespace rc2e
