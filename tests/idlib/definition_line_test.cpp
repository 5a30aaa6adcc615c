// The identifier library's definition-line syntax: which lines define which (name, id).
// The exported functions and the export table are tested in get_information_test.
#include "idlib/definition_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "idlib/integer_expression.h"

namespace rc2e::idlib {
namespace {

struct LineCase {
  const char* line;
  const char* name;
  int32_t id;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << '"' << c.line << '"'; }

class DefinitionLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DefinitionLineTest, GivesNameAndId) {
  const LineCase& c = GetParam();
  Definition d = ParseDefinitionLine(c.line);
  EXPECT_EQ(std::string(d.name), c.name) << "line: " << c.line;
  EXPECT_EQ(d.id, c.id) << "line: " << c.line;
}

const LineCase kLines[] = {
    // plain definitions and blanks
    {"#define IDD_MAIN 101", "IDD_MAIN", 101},
    {"  #define IDC_EDIT1 1001", "IDC_EDIT1", 1001},
    {"#  define IDC_X 5", "IDC_X", 5},
    {"\t#\tdefine\tIDC_TAB\t\t7\t", "IDC_TAB", 7},
    {"#define idc_Mixed_Case9 3", "idc_Mixed_Case9", 3},
    {"#define _APS_NEXT_RESOURCE_VALUE        102", "_APS_NEXT_RESOURCE_VALUE", 102},
    // literals and suffixes
    {"#define H 0x1F", "H", 31},
    {"#define H 0XfF", "H", 255},
    {"#define O 017", "O", 15},
    {"#define Z 0", "Z", 0},
    {"#define S 10u", "S", 10},
    {"#define S 10UL", "S", 10},
    {"#define S 10lu", "S", 10},
    {"#define S 0x10LL", "S", 16},
    {"#define S 10ull", "S", 10},
    // wrap-around in 32-bit two's complement
    {"#define W 0xFFFFFFFF", "W", -1},
    {"#define W 4294967296", "W", 0},
    {"#define W 2147483648", "W", INT32_MIN},
    {"#define W 0x7FFFFFFF + 1", "W", INT32_MIN},
    {"#define W -2147483647 - 1", "W", INT32_MIN},
    {"#define W (-2147483647 - 1) / -1", "W", INT32_MIN},
    {"#define W (-2147483647 - 1) % -1", "W", 0},
    {"#define W 65536 * 65536", "W", 0},
    {"#define W 1 << 31", "W", INT32_MIN},
    {"#define W 1 << 33", "W", 2},
    // operators and C precedence
    {"#define N -1", "N", -1},
    {"#define N (-5)", "N", -5},
    {"#define N - - 5", "N", 5},
    {"#define N +7", "N", 7},
    {"#define N ~0", "N", -1},
    {"#define N !0", "N", 1},
    {"#define N !7", "N", 0},
    {"#define N 1 + 2 * 3", "N", 7},
    {"#define N (1 + 2) * 3", "N", 9},
    {"#define N 7 / 2", "N", 3},
    {"#define N -7 / 2", "N", -3},
    {"#define N -7 % 3", "N", -1},
    {"#define N 1 << 2 + 1", "N", 8},
    {"#define N -16 >> 2", "N", -4},
    {"#define N 6 & 3 | 8", "N", 10},
    {"#define N 1 | 6 ^ 3 & 2", "N", 5},
    {"#define N 10 - 2 - 3", "N", 5},
    {"#define N 0x100|0x01", "N", 257},
    {"#define N ((((1))))", "N", 1},
    // comments
    {"#define C 12 // twelve", "C", 12},
    {"#define C 12 /* twelve */", "C", 12},
    {"#define C /* x */ 12", "C", 12},
    {"#define C 1 /* a */ + /* b */ 2", "C", 3},
    {"#define C 12 /* unclosed", "C", 12},
    {"#define C 12//", "C", 12},
    {"#define C/**/12", "C", 12},
    // a definition without a usable value keeps its name with id 0
    {"#define EMPTY", "EMPTY", 0},
    {"#define EMPTY   ", "EMPTY", 0},
    {"#define EMPTY // nothing", "EMPTY", 0},
    {"#define SYM OTHER_SYMBOL", "SYM", 0},
    {"#define SYM (IDC_BASE + 1)", "SYM", 0},
    {"#define STR \"text\"", "STR", 0},
    {"#define CH 'a'", "CH", 0},
    {"#define DIV 1 / 0", "DIV", 0},
    {"#define MOD 1 % (2 - 2)", "MOD", 0},
    {"#define BAD 12abc", "BAD", 0},
    {"#define BAD 0x", "BAD", 0},
    {"#define BAD 0xg", "BAD", 0},
    {"#define BAD 09", "BAD", 0},
    {"#define BAD 1 2", "BAD", 0},
    {"#define BAD (1", "BAD", 0},
    {"#define BAD 1)", "BAD", 0},
    {"#define BAD 1 +", "BAD", 0},
    {"#define BAD 1 || 2", "BAD", 0},
    {"#define BAD 1 < 2", "BAD", 0},
    {"#define BAD 1 ? 2 : 3", "BAD", 0},
    {"#define BAD 10lL", "BAD", 0},
    {"#define BAD 10uu", "BAD", 0},
    {"#define BAD 1.5", "BAD", 0},
    {"#define BAD 1\r", "BAD", 0},
    {"#define A 1\n#define B 2", "A", 0},
    // lines that define nothing
    {"", "", 0},
    {"   ", "", 0},
    {"// #define IDC_X 1", "", 0},
    {"/* #define IDC_X 1 */", "", 0},
    {"#define F(x) ((x) + 1)", "", 0},
    {"#define F() 1", "", 0},
    {"#include \"resource.h\"", "", 0},
    {"#ifdef APSTUDIO_INVOKED", "", 0},
    {"#undef IDC_X", "", 0},
    {"#endif", "", 0},
    {"#", "", 0},
    {"#define", "", 0},
    {"#define   ", "", 0},
    {"#define 1ABC 5", "", 0},
    {"#defineIDC_X 5", "", 0},
    {"#DEFINE IDC_X 5", "", 0},
    {"define IDC_X 5", "", 0},
    {"x #define IDC_X 5", "", 0},
    {"IDD_MAIN DIALOGEX 0, 0, 200, 100", "", 0},
    {"\xC4\xE3\xBA\xC3", "", 0},
};

INSTANTIATE_TEST_SUITE_P(Lines, DefinitionLineTest, ::testing::ValuesIn(kLines));

TEST(IntegerExpressionTest, DeepNestingIsRefusedNotOverflowed) {
  std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
  EXPECT_FALSE(EvaluateIntegerExpression(deep).has_value());
  std::string minuses(100000, '-');
  EXPECT_FALSE(EvaluateIntegerExpression(minuses + "1").has_value());
  std::string allowed = std::string(kMaxNesting, '(') + "4" + std::string(kMaxNesting, ')');
  EXPECT_EQ(EvaluateIntegerExpression(allowed), 4);
}

}  // namespace
}  // namespace rc2e::idlib
