// The generator's line services: counting CR LF lines, reading line n of a file from
// disk each time, and finding the line that holds a word with either case rule.
#include <gtest/gtest.h>

#include "generator/line_services.h"
#include "tests/runtime/runtime_test_support.h"

namespace rc2e {
namespace {

TEST(CountLines, CountsCrLfSeparatedLines) {
  struct Case {
    std::string_view text;
    int32_t lines;
  } cases[] = {
      {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"a\r\n\r\nb", 3}, {"a\nb", 1},
      {"", 0},       {"a", 1},          {"\r\n", 1},        {"a\rb\r\n\r", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(CountLines(c.text), c.lines) << c.text;
}

class ReadFileLine_ : public testing::ScratchFolder {};

TEST_F(ReadFileLine_, GivesLineNOrTheEmptyText) {
  std::string path = WriteFile("script.rc", "first\r\n\r\nthird\r\n");
  struct Case {
    int32_t n;
    const char* expected;
  } cases[] = {{1, "first"}, {2, ""}, {3, "third"}, {0, ""}, {4, ""}, {-1, ""}};
  for (const Case& c : cases) EXPECT_EQ(ReadFileLine(path.c_str(), c.n).view(), c.expected) << c.n;
  EXPECT_TRUE(ReadFileLine(path.c_str(), 2).IsNull());
  for (int32_t n : {0, 1, 2}) EXPECT_TRUE(ReadFileLine(PathOf("missing.rc").c_str(), n).IsNull());
}

TEST_F(ReadFileLine_, ReadsTheFileAsItIsAtEachCall) {
  std::string path = WriteFile("script.rc", "old\r\n");
  EXPECT_EQ(ReadFileLine(path.c_str(), 1).view(), "old");
  WriteFile("script.rc", "new\r\nline\r\n");
  EXPECT_EQ(ReadFileLine(path.c_str(), 1).view(), "new");
  EXPECT_EQ(ReadFileLine(path.c_str(), 2).view(), "line");
  WriteFile("script.rc", std::string_view("a\r\n\0b\r\n", 7));
  EXPECT_EQ(ReadFileLine(path.c_str(), 2).view(), "") << "content ends at a NUL byte";
}

TEST(FindLineContaining, NumbersTheFirstLineHoldingTheWord) {
  std::string_view text = "IDD_MAIN DIALOGEX\r\n    CONTROL \"\", 1, \"RichEdit20A\"\r\nEDITTEXT 2\r\n";
  struct Case {
    std::string_view text, word;
    int32_t caseFlag, expected;
  } cases[] = {
      {text, "Edit", 1, 2},   {text, "edit", 1, 0},  {text, "edit", 0, 2}, {text, "EDIT", 1, 3},
      {text, "edit", 2, 2},   {text, "edit", 3, 0},  {text, "DIALOGEX", 1, 1}, {text, "missing", 0, 0},
      {"", "x", 0, 0},        {"EDITTEXT", "EDIT", 1, 1}, {"EDITTEXT", "LTEXT", 1, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(FindLineContaining(c.text, c.word, c.caseFlag), c.expected) << c.word;
}

}  // namespace
}  // namespace rc2e
