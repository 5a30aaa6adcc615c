// Logical lines: which scanned lines continue, how they are joined and numbered.
// Statement meaning is tested with the declaration reader.
#include "generator/logical_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace rc2e {
namespace {

struct JoinCase {
  const char* name;
  std::vector<std::string_view> lines;
  std::vector<std::pair<int32_t, std::string>> expected;
};

void PrintTo(const JoinCase& c, std::ostream* out) { *out << c.name; }

class JoinLogicalLinesTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinLogicalLinesTest, JoinsAndNumbers) {
  const JoinCase& c = GetParam();
  LogicalLines logical = JoinLogicalLines(c.lines, 10);
  std::vector<std::pair<int32_t, std::string>> actual;
  for (const LogicalLine& line : logical.lines) actual.emplace_back(line.lineNumber, std::string(line.text));
  EXPECT_EQ(actual, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinLogicalLinesTest,
    ::testing::Values(
        JoinCase{"NoContinuation", {"BEGIN", "", "END"}, {{10, "BEGIN"}, {11, ""}, {12, "END"}}},
        JoinCase{"CommaWithBlanksAndComment",
                 {"    CONTROL \"\",IDC_A,   // the list  ", "            \"Button\",BS_GROUPBOX,7,7,50,14", "END"},
                 {{10, "    CONTROL \"\",IDC_A, \"Button\",BS_GROUPBOX,7,7,50,14"}, {12, "END"}}},
        JoinCase{"PipeOverThreeLines",
                 {"STYLE DS_SETFONT |", "\tWS_POPUP |\t", "  WS_CAPTION", "BEGIN"},
                 {{10, "STYLE DS_SETFONT | WS_POPUP | WS_CAPTION"}, {13, "BEGIN"}}},
        JoinCase{"SlashesInsideAStringAreNoComment",
                 {"CONTROL \"http://x.org,\",IDC_L,", "\"SysLink\""},
                 {{10, "CONTROL \"http://x.org,\",IDC_L, \"SysLink\""}}},
        JoinCase{"CommaInsideTheCommentDoesNotContinue",
                 {"LTEXT \"x\",IDC_X,7,7,50,8 // a,", "END"},
                 {{10, "LTEXT \"x\",IDC_X,7,7,50,8 // a,"}, {11, "END"}}},
        JoinCase{"CommaInsideAStringAtTheEndDoesNotContinue",
                 {"LTEXT \"a,\"", "END"},
                 {{10, "LTEXT \"a,\""}, {11, "END"}}},
        JoinCase{"EscapedQuotesKeepTheStringOpen",
                 {"LTEXT \"say \"\"//\"\" and \\\"//\\\"\",", "IDC_X"},
                 {{10, "LTEXT \"say \"\"//\"\" and \\\"//\\\"\", IDC_X"}}},
        JoinCase{"CommentOnlyLine", {"// a, b,", "END"}, {{10, "// a, b,"}, {11, "END"}}},
        JoinCase{"LastLineContinuing", {"BEGIN", "LTEXT \"x\","}, {{10, "BEGIN"}, {11, "LTEXT \"x\","}}},
        // 0x81 0x7C is one double-byte character whose second byte is `|`.
        JoinCase{"TrailByteIsNoPipe", {"LTEXT \x81|", "END"}, {{10, "LTEXT \x81|"}, {11, "END"}}},
        JoinCase{"PipeAfterADoubleByteCharacter",
                 {"LTEXT \x81\x7C|", "X"},
                 {{10, "LTEXT \x81\x7C| X"}}}),
    [](const ::testing::TestParamInfo<JoinCase>& info) { return info.param.name; });

TEST(JoinLogicalLines, NoLinesGiveNoLogicalLines) {
  EXPECT_EQ(JoinLogicalLines({}, 1).lines.Count(), 0);
}

TEST(JoinLogicalLines, ViewsSurviveTheArrayBeingMoved) {
  std::vector<std::string_view> lines{"A,", "B", "C"};
  LogicalLines logical = JoinLogicalLines(lines, 1);
  LogicalLines moved = std::move(logical);
  ASSERT_EQ(moved.lines.Count(), 2);
  EXPECT_EQ(moved.lines.At(1).text, "A, B");
  EXPECT_EQ(moved.lines.At(2).text.data(), lines[2].data());
}

}  // namespace
}  // namespace rc2e
