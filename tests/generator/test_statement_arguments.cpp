// Statement reading: the first word and the comma-split arguments outside strings.
// Keyword meaning is tested with the declaration reader.
#include "generator/statement_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rc2e {
namespace {

std::vector<std::string> AllArguments(const StatementArguments& statement) {
  std::vector<std::string> arguments;
  for (int32_t n = 1; n <= statement.Count(); ++n) arguments.emplace_back(*statement.At(n));
  return arguments;
}

struct ArgumentCase {
  const char* line;
  const char* keyword;
  std::vector<std::string> arguments;
};

void PrintTo(const ArgumentCase& c, std::ostream* out) { *out << c.line; }

class StatementArgumentsTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(StatementArgumentsTest, SplitsOutsideStrings) {
  const ArgumentCase& c = GetParam();
  StatementArguments statement(c.line);
  EXPECT_EQ(statement.Keyword(), c.keyword);
  EXPECT_EQ(AllArguments(statement), c.arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatementArgumentsTest,
    ::testing::Values(
        ArgumentCase{"    LTEXT           \"Name:\",IDC_STATIC,7,9,30,8",
                     "LTEXT", {"\"Name:\"", "IDC_STATIC", "7", "9", "30", "8"}},
        ArgumentCase{"\tEDITTEXT IDC_NAME , 40 ,\t7,100 , 14 ,ES_AUTOHSCROLL",
                     "EDITTEXT", {"IDC_NAME", "40", "7", "100", "14", "ES_AUTOHSCROLL"}},
        ArgumentCase{"LTEXT \"a, b\",IDC_A", "LTEXT", {"\"a, b\"", "IDC_A"}},
        ArgumentCase{"LTEXT \"say \"\"hi, there\"\"\",IDC_A", "LTEXT", {"\"say \"\"hi, there\"\"\"", "IDC_A"}},
        ArgumentCase{"LTEXT \"say \\\"hi, there\\\"\",IDC_A", "LTEXT", {"\"say \\\"hi, there\\\"\"", "IDC_A"}},
        // A string ending in an escaped backslash is closed by the quote after it.
        ArgumentCase{"LTEXT \"C:\\\\\",IDC_PATH,1", "LTEXT", {"\"C:\\\\\"", "IDC_PATH", "1"}},
        // 0x95 0x5C is one double-byte character whose second byte is a backslash.
        ArgumentCase{"LTEXT \"\x95\x5C\",IDC_A,1", "LTEXT", {"\"\x95\x5C\"", "IDC_A", "1"}},
        ArgumentCase{"LTEXT \"x\",IDC_A,7 // trailing, comment", "LTEXT", {"\"x\"", "IDC_A", "7"}},
        ArgumentCase{"CONTROL \"http://a,b\",IDC_L,\"SysLink\"", "CONTROL", {"\"http://a,b\"", "IDC_L", "\"SysLink\""}},
        ArgumentCase{"LTEXT\"x\",IDC_A", "LTEXT", {"\"x\"", "IDC_A"}},
        ArgumentCase{"PUSHBUTTON ,,", "PUSHBUTTON", {"", "", ""}},
        ArgumentCase{"BEGIN", "BEGIN", {}},
        ArgumentCase{"END   // done", "END", {}},
        ArgumentCase{"   ", "", {}},
        ArgumentCase{"IDD_ABOUT, DIALOG", "IDD_ABOUT", {"", "DIALOG"}},
        ArgumentCase{"LTEXT \"unterminated, string", "LTEXT", {"\"unterminated, string"}}));

TEST(StatementArguments, PositionsOutsideTheArgumentsAreEmpty) {
  StatementArguments statement("LTEXT \"x\",IDC_A");
  EXPECT_FALSE(statement.At(0).has_value());
  EXPECT_FALSE(statement.At(3).has_value());
  EXPECT_FALSE(StatementArguments("BEGIN").At(1).has_value());
}

TEST(StatementArguments, UnquotedStripsOnePairOfQuotes) {
  EXPECT_EQ(Unquoted("\"Button\""), "Button");
  EXPECT_EQ(Unquoted("Button"), "Button");
  EXPECT_EQ(Unquoted("\""), "\"");
  EXPECT_EQ(Unquoted("\"\""), "");
}

}  // namespace
}  // namespace rc2e
