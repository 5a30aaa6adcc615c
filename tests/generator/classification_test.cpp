// The class a single line gives a symbol (whole-identifier match, keyword after the symbol,
// Static and Button subtypes) and the whole-identifier search on its own.
#include "generator/classification.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace rc2e {
namespace {

struct SearchCase {
  const char* text;
  const char* word;
  int32_t position;
};

void PrintTo(const SearchCase& c, std::ostream* out) { *out << '"' << c.text << "\" / " << c.word; }

class WholeIdentifierTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(WholeIdentifierTest, FindsOnlyWholeIdentifiers) {
  EXPECT_EQ(FindWholeIdentifier(GetParam().text, GetParam().word), GetParam().position);
}

const SearchCase kSearches[] = {
    {"IDC_EDIT1", "IDC_EDIT1", 0},
    {"IDC_EDIT10, IDC_EDIT1,", "IDC_EDIT1", 12},
    {"XIDC_EDIT1 IDC_EDIT1", "IDC_EDIT1", 11},
    {"_IDC_A IDC_A_ IDC_A", "IDC_A", 14},
    {"9IDC_A", "IDC_A", -1},
    {"IDC_A9", "IDC_A", -1},
    {"(IDC_A)", "IDC_A", 1},
    {"\"IDC_A\"", "IDC_A", 1},
    {"idc_a IDC_A", "IDC_A", 6},
    {"IDC_A|IDC_B", "IDC_B", 6},
    {"", "IDC_A", -1},
    {"IDC_A", "", -1},
    {"IDC", "IDC_A", -1},
    // a double-byte character never counts as a letter next to the word ...
    {"\xD6\xD0IDC_A\xD6\xD0", "IDC_A", 2},
    // ... and a match never starts on its second byte, even when that byte is a letter
    {"\x81" "A", "A", -1},
    {"\x81" "A A", "A", 3},
    {"\x81" "AB", "B", 2},
};

INSTANTIATE_TEST_SUITE_P(Searches, WholeIdentifierTest, ::testing::ValuesIn(kSearches));

struct LineCase {
  const char* line;
  const char* symbol;
  const char* componentClass;  // null: the line gives none
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << '"' << c.line << "\" / " << c.symbol; }

class ClassOfLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ClassOfLineTest, GivesTheFirstMatchingRow) {
  const char* got = ClassOfLine(GetParam().line, GetParam().symbol);
  if (!GetParam().componentClass) {
    EXPECT_EQ(got, nullptr) << got;
  } else {
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got, GetParam().componentClass);
  }
}

const LineCase kLines[] = {
    {"IDD_MAIN DIALOGEX 0, 0, 200, 100", "IDD_MAIN", "对话框类"},
    {"IDD_MAIN DIALOG 0, 0, 200, 100", "IDD_MAIN", nullptr},
    {"CONTROL \"\", IDC_X, \"RichEdit20A\", 0, 1, 1, 1, 1", "IDC_X", "丰富文本框类"},
    {"CONTROL \"\", IDC_X, \"Edit\", 0, 1, 1, 1, 1", "IDC_X", "编辑框类"},
    {"EDITTEXT IDC_X, 1, 1, 1, 1", "IDC_X", nullptr},
    {"CONTROL \"\", IDC_X, \"edit\", 0, 1, 1, 1, 1", "IDC_X", nullptr},
    {"CONTROL \"Edit\", IDC_X, \"ListBox\", 0, 1, 1, 1, 1", "IDC_X", "列表框类"},
    {"CONTROL \"Static\", IDC_X, \"Button\", BS_PUSHBUTTON, 1, 1, 1, 1", "IDC_X", "按钮类"},
    {"IDC_X \"Edit\"", "IDC_X", "编辑框类"},
    {"CONTROL \"\", IDC_XY, \"Edit\", 0, 1, 1, 1, 1", "IDC_X", nullptr},
    {"CONTROL \"\", IDC_X, \"Static\", SS_LEFT, 1, 1, 1, 1", "IDC_X", "标签类"},
    {"CONTROL \"\", IDC_X, \"Static\", SS_BITMAP, 1, 1, 1, 1", "IDC_X", "图片框类"},
    {"CONTROL \"\", IDC_X, \"Static\", SS_BITMAPX, 1, 1, 1, 1", "IDC_X", "标签类"},
    {"CONTROL \"SS_ICON\", IDC_X, \"Static\", SS_LEFT, 1, 1, 1, 1", "IDC_X", "标签类"},
    {"CONTROL \"\", IDC_X, \"Static\", SS_ICON, 1, 1, 1, 1", "IDC_X", "图片框类"},
    {"CONTROL \"\", IDC_X, \"Static\", SS_ENHMETAFILE | SS_CENTERIMAGE, 1, 1, 1, 1", "IDC_X", "图片框类"},
    // the picture-box row comes after row 15, so an earlier row still wins
    {"CONTROL \"\", IDC_X, \"Static\", SS_ICON, \"ListBox\"", "IDC_X", "列表框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_GROUPBOX, 1, 1, 1, 1", "IDC_X", "分组框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_PUSHBUTTON, 1, 1, 1, 1", "IDC_X", "按钮类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_DEFPUSHBUTTON, 1, 1, 1, 1", "IDC_X", "按钮类"},
    {"CONTROL \"\", IDC_X, \"Button\", 0x0, 1, 1, 1, 1", "IDC_X", "按钮类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_CHECKBOX, 1, 1, 1, 1", "IDC_X", "选择框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 1, 1, 1, 1", "IDC_X", "选择框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_3STATE, 1, 1, 1, 1", "IDC_X", "选择框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_AUTO3STATE, 1, 1, 1, 1", "IDC_X", "选择框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_RADIOBUTTON, 1, 1, 1, 1", "IDC_X", "单选框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_AUTORADIOBUTTON|WS_GROUP, 1, 1, 1, 1", "IDC_X", "单选框类"},
    {"CONTROL \"BS_GROUPBOX\", IDC_X, \"Button\", BS_AUTORADIOBUTTON, 1, 1, 1, 1", "IDC_X", "单选框类"},
    {"CONTROL \"\", IDC_X, \"Button\", BS_GROUPBOX | BS_AUTOCHECKBOX, 1, 1, 1, 1", "IDC_X", "分组框类"},
    {"CONTROL \"\", IDC_X, \"ComboBoxEx32\", 0, 1, 1, 1, 1", "IDC_X", "图像组合框类"},
    {"CONTROL \"\", IDC_X, \"ComboBox\", 0, 1, 1, 1, 1", "IDC_X", "组合框类"},
    {"CONTROL \"\", IDC_X, \"ScrollBar\", 0, 1, 1, 1, 1", "IDC_X", "滚动条类"},
    {"CONTROL \"\", IDC_X, \"SysTabControl32\", 0, 1, 1, 1, 1", "IDC_X", "选择夹类"},
    {"CONTROL \"\", IDC_X, \"msctls_progress32\", 0, 1, 1, 1, 1", "IDC_X", "进度条类"},
    {"CONTROL \"\", IDC_X, \"SysTreeView32\", 0, 1, 1, 1, 1", "IDC_X", "树型框类"},
    {"CONTROL \"\", IDC_X, \"SysListView32\", 0, 1, 1, 1, 1", "IDC_X", "超级列表框类"},
    {"CONTROL \"\", IDC_X, \"msctls_trackbar32\", 0, 1, 1, 1, 1", "IDC_X", "滑块条类"},
    {"CONTROL \"\", IDC_X, \"msctls_updown32\", 0, 1, 1, 1, 1", "IDC_X", "调节器类"},
    {"CONTROL \"\", IDC_X, \"ToolbarWindow32\", 0, 1, 1, 1, 1", "IDC_X", "工具条类"},
    {"CONTROL \"\", IDC_X, \"msctls_statusbar32\", 0, 1, 1, 1, 1", "IDC_X", "状态栏类"},
    {"CONTROL \"\", IDC_X, \"SysDateTimePick32\", 0, 1, 1, 1, 1", "IDC_X", "日期框类"},
    {"CONTROL \"\", IDC_X, \"SysMonthCal32\", 0, 1, 1, 1, 1", "IDC_X", "月历类"},
    {"CONTROL \"\", IDC_X, \"SysAnimate32\", 0, 1, 1, 1, 1", "IDC_X", "影像框类"},
    {"CONTROL \"\", IDC_X, \"msctls_hotkey32\", 0, 1, 1, 1, 1", "IDC_X", "热键框类"},
    {"CONTROL \"\", IDC_X, \"SysHeader32\", 0, 1, 1, 1, 1", "IDC_X", "报头栏类"},
    {"CONTROL \"\", IDC_X, \"SysLink\", 0, 1, 1, 1, 1", "IDC_X", "超链接框类"},
    {"CONTROL \"\", IDC_X, \"Unknown32\", 0, 1, 1, 1, 1", "IDC_X", nullptr},
    {"CONTROL \"\", IDC_X, \"Edit\"", "", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Lines, ClassOfLineTest, ::testing::ValuesIn(kLines));

}  // namespace
}  // namespace rc2e
