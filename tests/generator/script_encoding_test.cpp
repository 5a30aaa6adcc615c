// Marked scripts converted to the ANSI code page (936 here and under Wine's zh_CN locale)
// before the lines are read; unmarked bytes untouched.
#include "generator/script_encoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace rc2e {
namespace {

ByteBuffer BufferOf(std::string_view bytes) {
  ByteBuffer buffer(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.begin(), bytes.data(), bytes.size());
  return buffer;
}

std::string Converted(std::string_view bytes) {
  ByteBuffer converted = ToAnsiCodePage(BufferOf(bytes));
  return std::string(reinterpret_cast<const char*>(converted.begin()), static_cast<size_t>(converted.Count()));
}

struct EncodingCase {
  const char* title;
  std::string bytes;
  std::string ansi;
};

void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.title; }

class ScriptEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ScriptEncodingTest, ConvertsToTheAnsiCodePage) { EXPECT_EQ(Converted(GetParam().bytes), GetParam().ansi); }

using namespace std::string_literals;

// "确定" is C8 B7 B6 A8 in code page 936; U+0E01 (a Thai letter) is not in it.
const EncodingCase kCases[] = {
    {"unmarked bytes stay as they are", "A\xD6\xD0\r\n\xEF\xBB", "A\xD6\xD0\r\n\xEF\xBB"},
    {"unmarked UTF-8 stays UTF-8", "\xE7\xA1\xAE", "\xE7\xA1\xAE"},
    {"UTF-8 mark dropped, text converted", "\xEF\xBB\xBF" "A\xE7\xA1\xAE\xE5\xAE\x9A\r\n", "A\xC8\xB7\xB6\xA8\r\n"},
    {"UTF-8 mark alone", "\xEF\xBB\xBF", ""},
    {"UTF-8 character outside the code page", "\xEF\xBB\xBF\xE0\xB8\x81!", "?!"},
    {"UTF-8 broken sequence", "\xEF\xBB\xBF" "a\xC3(b", "a?(b"},
    {"UTF-8 overlong form", "\xEF\xBB\xBF\xC0\xAF", "??"},
    {"UTF-8 encoded surrogate", "\xEF\xBB\xBF\xED\xA0\x80.", "???."},
    {"UTF-16 LE", "\xFF\xFE" "A\0\x6E\x78\x9A\x5B\r\0\n\0"s, "A\xC8\xB7\xB6\xA8\r\n"},
    {"UTF-16 BE", "\xFE\xFF\0A\x78\x6E\x5B\x9A\0\r\0\n"s, "A\xC8\xB7\xB6\xA8\r\n"},
    {"UTF-16 NUL stays a NUL byte", "\xFF\xFE" "A\0\0\0B\0"s, "A\0B"s},
    {"UTF-16 character outside the code page", "\xFF\xFE\x01\x0E" "A\0"s, "?A"},
    {"UTF-16 odd last byte", "\xFF\xFE" "A\0B"s, "A?"},
    {"UTF-16 mark alone", "\xFF\xFE", ""},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptEncodingTest, ::testing::ValuesIn(kCases));

TEST(ScriptEncodingDetectionTest, ReadsOnlyTheMark) {
  auto detect = [](std::string_view bytes) {
    return DetectScriptEncoding({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  };
  EXPECT_EQ(detect("\xEF\xBB\xBF"), ScriptEncoding::Utf8);
  EXPECT_EQ(detect("\xEF\xBB"), ScriptEncoding::Ansi);
  EXPECT_EQ(detect("\xFF\xFE"), ScriptEncoding::Utf16LittleEndian);
  EXPECT_EQ(detect("\xFE\xFF"), ScriptEncoding::Utf16BigEndian);
  EXPECT_EQ(detect("\xFF"), ScriptEncoding::Ansi);
  EXPECT_EQ(detect(""), ScriptEncoding::Ansi);
}

}  // namespace
}  // namespace rc2e
