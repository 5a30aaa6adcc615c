// The whole pipeline without the clipboard: the worked example byte for byte, and a table of
// edge-case scripts with their expected output. Needs Get_Information beside the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/code_generator.h"
#include "tests/generator/expected_output.h"
#include "tests/support/worked_example.h"

namespace rc2e {
namespace {

using testing::Binding;
using testing::EmptyOutput;
using testing::ExpectedOutput;
using testing::ScriptFile;
using testing::Variable;

std::vector<std::string> SplitAtCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) lines.push_back(text.substr(start, at - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::string OutputOf(std::string_view script) {
  Generation g = ComposeFromBytes({reinterpret_cast<const uint8_t*>(script.data()), script.size()});
  EXPECT_EQ(g.outcome, GenerateOutcome::Done);
  return std::string(g.output.view());
}

TEST(WorkedExampleTest, GivesTheThirtyThreeLinesByteForByte) {
  Generation g = ComposeFromFile(RC2E_SOURCE_DIR "/examples/worked_example.rc");
  ASSERT_EQ(g.outcome, GenerateOutcome::Done);
  const std::vector<std::string> expected = testing::WorkedExampleFragmentLines();
  std::string output(g.output.view());
  EXPECT_EQ(SplitAtCrLf(output), expected);
  EXPECT_EQ(output, testing::WorkedExampleFragment());
  EXPECT_EQ(g.headerLineCount, 4);
}

struct ScriptCase {
  const char* title;
  std::string script;
  std::string expected;
};

void PrintTo(const ScriptCase& c, std::ostream* out) { *out << c.title; }

class EdgeCaseTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(EdgeCaseTest, GivesExpectedOutput) { EXPECT_EQ(OutputOf(GetParam().script), GetParam().expected); }

std::string Utf16(std::string_view ascii, bool bigEndian, bool mark) {
  std::string out;
  if (mark) out += bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : ascii) {
    if (bigEndian) out += '\0';
    out += c;
    if (!bigEndian) out += '\0';
  }
  return out;
}

const std::string kDialogScript =
    "#define IDD_MAIN 101\r\n#define IDC_NAME 1001\r\n\r\n"
    "IDD_MAIN DIALOGEX 0, 0, 100, 50\r\nBEGIN\r\n"
    "    CONTROL \"\", IDC_NAME, \"Edit\", WS_BORDER, 1, 1, 50, 12\r\nEND\r\n";
const std::string kDialogOutput =
    ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_NAME", "编辑框类"}}, "IDD_MAIN", 101, {{"IDC_NAME", 1001}});

const ScriptCase kCases[] = {
    {"empty first line: no record, nothing read", "\r\n#define IDD_MAIN 101\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n",
     EmptyOutput()},
    {"empty file", "", EmptyOutput()},
    {"LF-only file is one definition line whose value is not a number",
     "#define IDD_MAIN 101\nIDD_MAIN DIALOGEX 0, 0, 1, 1\n", ExpectedOutput({{"IDD_MAIN", ""}}, "", 0, {})},
    {"a blank-only line is a definition line that defines nothing",
     "#define IDD_MAIN 101\r\n   \r\n#define IDC_A 1001\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n"
     "CONTROL \"\", IDC_A, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_A", "编辑框类"}}, "IDD_MAIN", 101, {{"IDC_A", 1001}})},
    {"lines that define nothing make no record",
     "// generated\r\n#include \"resource.h\"\r\n#define IDD_MAIN 101\r\n#define F(x) x\r\n\r\n"
     "IDD_MAIN DIALOGEX 0, 0, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}}, "IDD_MAIN", 101, {})},
    {"IDC_EDIT1 does not take the class of IDC_EDIT10's line",
     "#define IDC_EDIT1 1001\r\n#define IDC_EDIT10 1010\r\n\r\n"
     "CONTROL \"\", IDC_EDIT1, \"Edit\", 0, 1, 1, 1, 1\r\nCONTROL \"\", IDC_EDIT10, \"ListBox\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_EDIT1", "编辑框类"}, {"IDC_EDIT10", "列表框类"}}, "", 0,
                    {{"IDC_EDIT1", 1001}, {"IDC_EDIT10", 1010}})},
    {"a caption Edit on a list box stays a list box; a caption Button on an edit box stays an edit box",
     "#define IDC_LIST1 1002\r\n#define IDC_E 1003\r\n\r\n"
     "CONTROL \"Edit\", IDC_LIST1, \"ListBox\", 0, 1, 1, 1, 1\r\nCONTROL \"Button\", IDC_E, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_LIST1", "列表框类"}, {"IDC_E", "编辑框类"}}, "", 0, {{"IDC_LIST1", 1002}, {"IDC_E", 1003}})},
    {"a DIALOG header is a dialog and EDITTEXT an edit box",
     "#define IDD_MAIN 101\r\n#define IDC_E 1001\r\n\r\nIDD_MAIN DIALOG 0, 0, 1, 1\r\nBEGIN\r\n"
     "    EDITTEXT IDC_E, 1, 1, 1, 1\r\nEND\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_E", "编辑框类"}}, "IDD_MAIN", 101, {{"IDC_E", 1001}})},
    {"RichEdit20A and ComboBoxEx32 before the shorter keywords",
     "#define IDC_RICH 1001\r\n#define IDC_COMBO 1002\r\n\r\n"
     "CONTROL \"\", IDC_RICH, \"RichEdit20A\", 0, 1, 1, 1, 1\r\nCONTROL \"\", IDC_COMBO, \"ComboBoxEx32\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_RICH", "丰富文本框类"}, {"IDC_COMBO", "图像组合框类"}}, "", 0,
                    {{"IDC_RICH", 1001}, {"IDC_COMBO", 1002}})},
    {"two dialogs: the first is loaded, the second neither declared nor bound",
     "#define IDD_A 101\r\n#define IDD_B 102\r\n\r\nIDD_A DIALOGEX 0, 0, 1, 1\r\nIDD_B DIALOGEX 0, 0, 1, 1\r\n",
     ExpectedOutput({{"IDD_A", "对话框类"}}, "IDD_A", 101, {})},
    {"a record with an empty class gets its variable line and no bind line",
     "#define IDD_MAIN 101\r\n#define IDC_UNUSED 1001\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_UNUSED", ""}}, "IDD_MAIN", 101, {})},
    {"a control with the dialog's own identifier is not bound",
     "#define IDD_MAIN 101\r\n#define IDC_SAME 101\r\n#define IDC_OTHER 102\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n"
     "CONTROL \"\", IDC_SAME, \"Edit\", 0, 1, 1, 1, 1\r\nCONTROL \"\", IDC_OTHER, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_SAME", "编辑框类"}, {"IDC_OTHER", "编辑框类"}}, "IDD_MAIN", 101,
                    {{"IDC_OTHER", 102}})},
    {"without a dialog, controls with identifier 0 are not bound",
     "#define IDC_ZERO 0\r\n#define IDC_SYMBOLIC (IDC_BASE + 1)\r\n#define IDC_ONE 1\r\n\r\n"
     "CONTROL \"\", IDC_ZERO, \"Edit\", 0, 1, 1, 1, 1\r\nCONTROL \"\", IDC_SYMBOLIC, \"Edit\", 0, 1, 1, 1, 1\r\n"
     "CONTROL \"\", IDC_ONE, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_ZERO", "编辑框类"}, {"IDC_SYMBOLIC", "编辑框类"}, {"IDC_ONE", "编辑框类"}}, "", 0,
                    {{"IDC_ONE", 1}})},
    {"a negative identifier keeps its minus sign",
     "#define IDD_MAIN -101\r\n#define IDC_STATIC -1\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n"
     "CONTROL \"Name:\", IDC_STATIC, \"Static\", SS_LEFT, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_STATIC", "标签类"}}, "IDD_MAIN", -101, {{"IDC_STATIC", -1}})},
    {"the last declaring line wins, a line without a row keeps the class",
     "#define IDC_X 1001\r\n\r\nCONTROL \"\", IDC_X, \"Edit\", 0, 1, 1, 1, 1\r\n"
     "CONTROL \"\", IDC_X, \"ListBox\", 0, 1, 1, 1, 1\r\n// IDC_X again\r\n",
     ExpectedOutput({{"IDC_X", "列表框类"}}, "", 0, {{"IDC_X", 1001}})},
    {"a symbol in a caption before its own occurrence still finds the class after it",
     "#define IDC_X 1001\r\n\r\nCONTROL \"IDC_X\", IDC_X, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_X", "编辑框类"}}, "", 0, {{"IDC_X", 1001}})},
    {"a double-byte character whose second byte is the symbol is no occurrence of it",
     "#define A 5\r\n\r\nCONTROL \"\x81" "A Edit\", A, \"ListBox\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"A", "列表框类"}}, "", 0, {{"A", 5}})},
    {"UTF-16 LE with a mark reads like the ANSI script", Utf16(kDialogScript, false, true), kDialogOutput},
    {"UTF-16 BE with a mark reads like the ANSI script", Utf16(kDialogScript, true, true), kDialogOutput},
    {"UTF-8 with a mark reads like the ANSI script", "\xEF\xBB\xBF" + kDialogScript, kDialogOutput},
    {"UTF-16 without a mark is cut at its first NUL: one line \"#\" that defines nothing",
     Utf16(kDialogScript, false, false), EmptyOutput()},
    {"0x1A in the scanned lines ends the lines that are scanned",
     "#define IDD_MAIN 101\r\n#define IDC_A 1001\r\n#define IDC_B 1002\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n"
     "CONTROL \"\", IDC_A, \"Edit\", 0, 1, 1, 1, 1\x1A\r\nCONTROL \"\", IDC_B, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_A", "编辑框类"}, {"IDC_B", ""}}, "IDD_MAIN", 101,
                    {{"IDC_A", 1001}})},
    {"0x1A in the header block ends the definitions; its line still goes to the library whole",
     "#define IDC_A 1001\r\n#define IDC_B 1002\x1A\r\n#define IDC_C 1003\r\n\r\nCONTROL \"\", IDC_A, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_A", ""}, {"IDC_B", ""}}, "", 0, {})},
    {"a NUL ends the lines themselves",
     std::string("#define IDD_MAIN 101\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n") + '\0' + "#define IDC_A 5\r\n",
     ExpectedOutput({{"IDD_MAIN", "对话框类"}}, "IDD_MAIN", 101, {})},
    {"Static and Button subtypes",
     "#define IDC_LABEL 1\r\n#define IDC_PICTURE 2\r\n#define IDC_ICON 3\r\n#define IDC_META 4\r\n#define IDC_GROUP 5\r\n"
     "#define IDC_PUSH 6\r\n#define IDC_CHECK 7\r\n#define IDC_TRI 8\r\n#define IDC_RADIO 9\r\n\r\n"
     "CONTROL \"\", IDC_LABEL, \"Static\", SS_LEFT | WS_GROUP, 1, 1, 1, 1\r\n"
     "CONTROL \"\", IDC_PICTURE, \"Static\", SS_BITMAP, 1, 1, 1, 1\r\n"
     "CONTROL 129, IDC_ICON, \"Static\", SS_ICON | SS_CENTERIMAGE, 1, 1, 1, 1\r\n"
     "CONTROL \"\", IDC_META, \"Static\", WS_CHILD|SS_ENHMETAFILE, 1, 1, 1, 1\r\n"
     "CONTROL \"Group\", IDC_GROUP, \"Button\", BS_GROUPBOX, 1, 1, 1, 1\r\n"
     "CONTROL \"OK\", IDC_PUSH, \"Button\", BS_PUSHBUTTON | WS_TABSTOP, 1, 1, 1, 1\r\n"
     "CONTROL \"Check\", IDC_CHECK, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 1, 1, 1\r\n"
     "CONTROL \"Tri\", IDC_TRI, \"Button\", BS_3STATE, 1, 1, 1, 1\r\n"
     "CONTROL \"Radio\", IDC_RADIO, \"Button\", BS_AUTORADIOBUTTON, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_LABEL", "标签类"}, {"IDC_PICTURE", "图片框类"}, {"IDC_ICON", "图片框类"},
                     {"IDC_META", "图片框类"}, {"IDC_GROUP", "分组框类"}, {"IDC_PUSH", "按钮类"},
                     {"IDC_CHECK", "选择框类"}, {"IDC_TRI", "选择框类"}, {"IDC_RADIO", "单选框类"}},
                    "", 0,
                    {{"IDC_LABEL", 1}, {"IDC_PICTURE", 2}, {"IDC_ICON", 3}, {"IDC_META", 4}, {"IDC_GROUP", 5},
                     {"IDC_PUSH", 6}, {"IDC_CHECK", 7}, {"IDC_TRI", 8}, {"IDC_RADIO", 9}})},
    {"every line a definition line: nothing is scanned",
     "#define IDD_MAIN 101\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n", ExpectedOutput({{"IDD_MAIN", ""}}, "", 0, {})},
    {"a symbol defined twice gets two records with the same class",
     "#define IDC_X 1\r\n#define IDC_X 2\r\n\r\nCONTROL \"\", IDC_X, \"Edit\", 0, 1, 1, 1, 1\r\n",
     ExpectedOutput({{"IDC_X", "编辑框类"}, {"IDC_X", "编辑框类"}}, "", 0, {{"IDC_X", 1}, {"IDC_X", 2}})},
};

INSTANTIATE_TEST_SUITE_P(Scripts, EdgeCaseTest, ::testing::ValuesIn(kCases));

TEST(ComposeFromFileTest, FileThatCannotBeReadGivesNoOutput) {
  Generation missing = ComposeFromFile("no_such_script.rc");
  EXPECT_EQ(missing.outcome, GenerateOutcome::FileUnreadable);
  EXPECT_EQ(missing.readStatus, ScriptReadStatus::CannotOpen);
  EXPECT_TRUE(missing.output.IsNull());
  EXPECT_EQ(ComposeFromFile(".").outcome, GenerateOutcome::FileUnreadable);
  EXPECT_EQ(ComposeFromFile(nullptr).outcome, GenerateOutcome::FileUnreadable);
}

TEST(ComposeFromFileTest, SeveralPathsAreRefusedAsAWhole) {
  testing::ScriptFile a("several_a.rc", kDialogScript);
  std::string both = std::string(a.path()) + "\r\n" + a.path();
  EXPECT_EQ(ComposeFromFile(both.c_str()).outcome, GenerateOutcome::SeveralPaths);
}

TEST(ComposeFromFileTest, ReadsTheFileAsItIsOnDisk) {
  testing::ScriptFile file("dialog_script.rc", kDialogScript);
  Generation g = ComposeFromFile(file.path());
  ASSERT_EQ(g.outcome, GenerateOutcome::Done);
  EXPECT_EQ(g.output.view(), kDialogOutput);
  EXPECT_EQ(g.content.view(), kDialogScript);
  EXPECT_EQ(g.headerLineCount, 2);
}

}  // namespace
}  // namespace rc2e
