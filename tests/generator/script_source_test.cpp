// The two views of one read: the counted content stops at NUL or 0x1A, the lines at NUL;
// the lines are exactly SplitText's members at CR LF, double-byte stepping included.
#include "generator/script_source.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "generator/line_services.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

using namespace std::string_literals;

ByteBuffer BufferOf(const std::string& bytes) {
  ByteBuffer buffer(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.begin(), bytes.data(), bytes.size());
  return buffer;
}

class ScriptSourceLinesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptSourceLinesTest, LinesAreTheMembersOfSplitText) {
  std::string bytes = GetParam();
  ScriptSource script(BufferOf(bytes));
  std::string beforeNul = bytes.substr(0, bytes.find('\0'));
  ValueArray<Text> members = SplitText(beforeNul, "\r\n");
  ASSERT_EQ(script.StoredLineCount(), members.Count());
  for (int32_t n = 0; n <= members.Count() + 1; ++n) {
    std::string_view expected = n >= 1 && n <= members.Count() ? members.At(n).view() : std::string_view();
    EXPECT_EQ(script.Line(n), expected) << "line " << n;
    char* block = script.LineBlock(n);
    EXPECT_EQ(block ? std::string_view(block) : std::string_view(), expected) << "line " << n;
  }
  std::string counted = beforeNul.substr(0, beforeNul.find('\x1A'));
  EXPECT_EQ(script.Content().view(), counted);
  EXPECT_FALSE(script.Content().IsNull());
  EXPECT_EQ(script.LineCount(), CountLines(counted));
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptSourceLinesTest,
    ::testing::Values(""s, "a"s, "a\r\nb"s, "a\r\nb\r\n"s, "a\r\n\r\nb"s, "\r\n"s, "\r\n\r\n"s, "a\nb\r"s,
                      "\r\r\n\n"s,
                      // a lead byte whose second byte is CR hides that CR LF ...
                      "a\x81\r\nb\r\nc"s,
                      // ... and one at the very end is kept
                      "a\r\n\x81"s, "\xD6\xD0\r\n\xCE\xC4"s,
                      // NUL ends both views, 0x1A only the counted one
                      "a\r\nb\0c\r\nd"s, "a\r\n\x1A\r\nb\r\nc"s, "\x1A" "a"s, "a\x1A\0b"s, "\0a"s));

}  // namespace
}  // namespace rc2e
