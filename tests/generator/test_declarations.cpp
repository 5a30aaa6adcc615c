// Declaration lines: every statement keyword, CONTROL with each class spelling and alias,
// numeric and symbolic styles, and the lines that declare nothing.
#include "generator/declarations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rc2e {
namespace {

struct DeclarationCase {
  const char* line;
  const char* symbol;  // null: the line declares nothing
  const char* componentClass;
};

void PrintTo(const DeclarationCase& c, std::ostream* out) { *out << c.line; }

class ReadDeclarationTest : public ::testing::TestWithParam<DeclarationCase> {};

TEST_P(ReadDeclarationTest, GivesSymbolAndClass) {
  const DeclarationCase& c = GetParam();
  std::optional<DeclaredSymbol> declared = ReadDeclaration(c.line);
  if (!c.symbol) {
    EXPECT_FALSE(declared.has_value()) << "declares " << declared->symbol;
    return;
  }
  ASSERT_TRUE(declared.has_value());
  EXPECT_EQ(declared->symbol, c.symbol);
  EXPECT_STREQ(declared->componentClass, c.componentClass);
  EXPECT_EQ(declared->isDialogHeader, std::string(c.componentClass) == "对话框类");
}

INSTANTIATE_TEST_SUITE_P(
    DialogHeaders, ReadDeclarationTest,
    ::testing::Values(
        DeclarationCase{"IDD_MAIN DIALOGEX 0, 0, 200, 100", "IDD_MAIN", "对话框类"},
        DeclarationCase{"IDD_OLD DIALOG DISCARDABLE  0, 0, 186, 95", "IDD_OLD", "对话框类"},
        DeclarationCase{"IDD_LOWER\tdialogex 0,0,1,1", "IDD_LOWER", "对话框类"},
        DeclarationCase{"  IDD_A   Dialog", "IDD_A", "对话框类"},
        // Design information and layout resources name dialogs without declaring them.
        DeclarationCase{"    IDD_ABOUTBOX, DIALOG", nullptr, nullptr},
        DeclarationCase{"IDD_ABOUTBOX AFX_DIALOG_LAYOUT", nullptr, nullptr},
        DeclarationCase{"IDD_A DIALOGEXTRA 0,0,1,1", nullptr, nullptr},
        DeclarationCase{"IDD_A DLGINIT", nullptr, nullptr},
        DeclarationCase{"// IDD_A DIALOGEX 0,0,1,1", nullptr, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    StandardStatements, ReadDeclarationTest,
    ::testing::Values(
        DeclarationCase{"EDITTEXT IDC_NAME,40,7,100,14,ES_AUTOHSCROLL", "IDC_NAME", "编辑框类"},
        DeclarationCase{"bedit IDC_B,1,2,3,4", "IDC_B", "编辑框类"},
        DeclarationCase{"HEDIT IDC_H,1,2,3,4", "IDC_H", "编辑框类"},
        DeclarationCase{"IEDIT IDC_I,1,2,3,4", "IDC_I", "编辑框类"},
        DeclarationCase{"COMBOBOX IDC_KIND,40,25,100,60,CBS_DROPDOWNLIST", "IDC_KIND", "组合框类"},
        DeclarationCase{"LISTBOX IDC_ITEMS,7,7,100,50,LBS_SORT", "IDC_ITEMS", "列表框类"},
        DeclarationCase{"SCROLLBAR IDC_SCROLL,7,7,100,10", "IDC_SCROLL", "滚动条类"},
        DeclarationCase{"LTEXT \"Name:\",IDC_STATIC,7,9,30,8", "IDC_STATIC", "标签类"},
        DeclarationCase{"RTEXT \"Right\",IDC_R,7,9,30,8", "IDC_R", "标签类"},
        DeclarationCase{"ctext \"Centre\",IDC_C,7,9,30,8", "IDC_C", "标签类"},
        DeclarationCase{"ICON IDR_MAINFRAME,IDC_APPICON,11,17,20,20", "IDC_APPICON", "图片框类"},
        DeclarationCase{"PUSHBUTTON \"Edit\",IDC_EDIT_IT,7,7,50,14", "IDC_EDIT_IT", "按钮类"},
        DeclarationCase{"DEFPUSHBUTTON \"OK\",IDOK,113,41,50,14,WS_GROUP", "IDOK", "按钮类"},
        DeclarationCase{"PUSHBOX \"Box\",IDC_PB,7,7,50,14", "IDC_PB", "按钮类"},
        DeclarationCase{"GROUPBOX \"Options\",IDC_OPTIONS,7,7,100,50", "IDC_OPTIONS", "分组框类"},
        DeclarationCase{"CHECKBOX \"A\",IDC_CB,7,7,50,10", "IDC_CB", "选择框类"},
        DeclarationCase{"AUTOCHECKBOX \"B\",IDC_ACB,7,7,50,10", "IDC_ACB", "选择框类"},
        DeclarationCase{"STATE3 \"C\",IDC_S3,7,7,50,10", "IDC_S3", "选择框类"},
        DeclarationCase{"AUTO3STATE \"D\",IDC_A3,7,7,50,10", "IDC_A3", "选择框类"},
        DeclarationCase{"RADIOBUTTON \"E\",IDC_RB,7,7,50,10", "IDC_RB", "单选框类"},
        DeclarationCase{"AUTORADIOBUTTON \"F\",IDC_ARB,7,7,50,10", "IDC_ARB", "单选框类"},
        // A caption with an escaped quote and a comma does not move the symbol.
        DeclarationCase{"LTEXT \"Say \"\"Edit, ListBox\"\"\",IDC_SAY,7,7,50,8", "IDC_SAY", "标签类"},
        DeclarationCase{"LTEXT \"Say \\\"Edit, ListBox\\\"\",IDC_SAY2,7,7,50,8", "IDC_SAY2", "标签类"},
        DeclarationCase{"LTEXT \"no symbol\"", nullptr, nullptr},
        DeclarationCase{"EDITTEXT", nullptr, nullptr},
        DeclarationCase{"MENUITEM \"&Edit\", ID_EDIT_COPY", nullptr, nullptr},
        DeclarationCase{"POPUP \"ListBox\"", nullptr, nullptr},
        DeclarationCase{"IDS_HINT \"CONTROL IDC_X Edit ListBox\"", nullptr, nullptr},
        DeclarationCase{"IDI_APP ICON \"app.ico\"", nullptr, nullptr},
        DeclarationCase{"BUTTON ID_FILE_NEW", nullptr, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    ControlClasses, ReadDeclarationTest,
    ::testing::Values(
        DeclarationCase{"CONTROL \"\",IDC_E,\"Edit\",ES_AUTOHSCROLL,1,2,3,4", "IDC_E", "编辑框类"},
        DeclarationCase{"CONTROL \"\",IDC_E,EDIT,ES_AUTOHSCROLL,1,2,3,4", "IDC_E", "编辑框类"},
        DeclarationCase{"CONTROL \"\",IDC_E,WC_EDITW,0,1,2,3,4", "IDC_E", "编辑框类"},
        DeclarationCase{"CONTROL \"\",IDC_R,\"RichEdit20A\",ES_MULTILINE,1,2,3,4", "IDC_R", "丰富文本框类"},
        DeclarationCase{"CONTROL \"\",IDC_R,\"RichEdit20W\",0,1,2,3,4", "IDC_R", "丰富文本框类"},
        DeclarationCase{"CONTROL \"\",IDC_R,\"RICHEDIT50W\",0,1,2,3,4", "IDC_R", "丰富文本框类"},
        DeclarationCase{"CONTROL \"\",IDC_R,\"richedit\",0,1,2,3,4", "IDC_R", "丰富文本框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"ComboBoxEx32\",CBS_DROPDOWN,1,2,3,4", "IDC_X", "图像组合框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_COMBOBOXEXA,0,1,2,3,4", "IDC_X", "图像组合框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"ComboBox\",CBS_DROPDOWN,1,2,3,4", "IDC_X", "组合框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_COMBOBOX,0,1,2,3,4", "IDC_X", "组合框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"ListBox\",LBS_SORT,1,2,3,4", "IDC_X", "列表框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_LISTBOXW,0,1,2,3,4", "IDC_X", "列表框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"ScrollBar\",SBS_VERT,1,2,3,4", "IDC_X", "滚动条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_SCROLLBAR,0,1,2,3,4", "IDC_X", "滚动条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysTabControl32\",0,1,2,3,4", "IDC_X", "选择夹类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_TABCONTROLA,0,1,2,3,4", "IDC_X", "选择夹类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"msctls_progress32\",0,1,2,3,4", "IDC_X", "进度条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,PROGRESS_CLASSW,0,1,2,3,4", "IDC_X", "进度条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysTreeView32\",0,1,2,3,4", "IDC_X", "树型框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_TREEVIEW,0,1,2,3,4", "IDC_X", "树型框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysListView32\",LVS_REPORT,1,2,3,4", "IDC_X", "超级列表框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_LISTVIEW,0,1,2,3,4", "IDC_X", "超级列表框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"msctls_trackbar32\",0,1,2,3,4", "IDC_X", "滑块条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,TRACKBAR_CLASS,0,1,2,3,4", "IDC_X", "滑块条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"msctls_updown32\",0,1,2,3,4", "IDC_X", "调节器类"},
        DeclarationCase{"CONTROL \"\",IDC_X,UPDOWN_CLASSA,0,1,2,3,4", "IDC_X", "调节器类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"ToolbarWindow32\",0,1,2,3,4", "IDC_X", "工具条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,TOOLBARCLASSNAME,0,1,2,3,4", "IDC_X", "工具条类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"msctls_statusbar32\",0,1,2,3,4", "IDC_X", "状态栏类"},
        DeclarationCase{"CONTROL \"\",IDC_X,STATUSCLASSNAMEW,0,1,2,3,4", "IDC_X", "状态栏类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysDateTimePick32\",0,1,2,3,4", "IDC_X", "日期框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,DATETIMEPICK_CLASS,0,1,2,3,4", "IDC_X", "日期框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysMonthCal32\",0,1,2,3,4", "IDC_X", "月历类"},
        DeclarationCase{"CONTROL \"\",IDC_X,MONTHCAL_CLASSW,0,1,2,3,4", "IDC_X", "月历类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysAnimate32\",0,1,2,3,4", "IDC_X", "影像框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,ANIMATE_CLASS,0,1,2,3,4", "IDC_X", "影像框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"msctls_hotkey32\",0,1,2,3,4", "IDC_X", "热键框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,HOTKEY_CLASSA,0,1,2,3,4", "IDC_X", "热键框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"SysHeader32\",0,1,2,3,4", "IDC_X", "报头栏类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_HEADERW,0,1,2,3,4", "IDC_X", "报头栏类"},
        DeclarationCase{"CONTROL \"<a>x</a>\",IDC_X,\"SysLink\",0,1,2,3,4", "IDC_X", "超链接框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_LINK,0,1,2,3,4", "IDC_X", "超链接框类"},
        DeclarationCase{"control \"\",IDC_X,\"syslistview32\",0,1,2,3,4", "IDC_X", "超级列表框类"},
        // Only whole class names count; a suffix belongs to the macros alone.
        DeclarationCase{"CONTROL \"\",IDC_X,\"MyEditClass\",0,1,2,3,4", nullptr, nullptr},
        DeclarationCase{"CONTROL \"\",IDC_X,\"EditW\",0,1,2,3,4", nullptr, nullptr},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_EDITX,0,1,2,3,4", nullptr, nullptr},
        DeclarationCase{"CONTROL \"\",IDC_X,\"RichEdit20A \",0,1,2,3,4", nullptr, nullptr},
        DeclarationCase{"CONTROL \"Edit\",IDC_X,\"ListBox\",0,1,2,3,4", "IDC_X", "列表框类"},
        DeclarationCase{"CONTROL \"\",IDC_X", nullptr, nullptr},
        DeclarationCase{"CONTROL \"\",,\"Edit\",0,1,2,3,4", nullptr, nullptr}));

INSTANTIATE_TEST_SUITE_P(
    ButtonAndStaticStyles, ReadDeclarationTest,
    ::testing::Values(
        DeclarationCase{"CONTROL \"G\",IDC_X,\"Button\",BS_GROUPBOX,1,2,3,4", "IDC_X", "分组框类"},
        DeclarationCase{"CONTROL \"C\",IDC_X,\"Button\",BS_AUTOCHECKBOX | WS_TABSTOP,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"C\",IDC_X,\"Button\",BS_CHECKBOX,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"C\",IDC_X,\"Button\",BS_3STATE,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"C\",IDC_X,WC_BUTTONA,BS_AUTO3STATE,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"R\",IDC_X,\"Button\",BS_AUTORADIOBUTTON | WS_GROUP,1,2,3,4", "IDC_X", "单选框类"},
        DeclarationCase{"CONTROL \"R\",IDC_X,button,BS_RADIOBUTTON,1,2,3,4", "IDC_X", "单选框类"},
        DeclarationCase{"CONTROL \"P\",IDC_X,\"Button\",BS_PUSHBUTTON | WS_TABSTOP,1,2,3,4", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"P\",IDC_X,\"Button\",BS_OWNERDRAW,1,2,3,4", "IDC_X", "按钮类"},
        // Whole words only, case kept.
        DeclarationCase{"CONTROL \"P\",IDC_X,\"Button\",XBS_GROUPBOX,1,2,3,4", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"P\",IDC_X,\"Button\",bs_groupbox,1,2,3,4", "IDC_X", "按钮类"},
        // A caption naming a style does not decide.
        DeclarationCase{"CONTROL \"BS_GROUPBOX\",IDC_X,\"Button\",WS_TABSTOP,1,2,3,4", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x50010007,1,2,3,4", "IDC_X", "分组框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x50010002,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x3,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0X5,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",6,1,2,3,4", "IDC_X", "选择框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x50010004,1,2,3,4", "IDC_X", "单选框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",1342177289,1,2,3,4", "IDC_X", "单选框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x50010001L,1,2,3,4", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x5001000B,1,2,3,4", "IDC_X", "按钮类"},
        // 011 is octal 9, a radio button, not decimal 11, a push button.
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",011,1,2,3,4", "IDC_X", "单选框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\",0x7 | WS_CHILD,1,2,3,4", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Button\"", "IDC_X", "按钮类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",SS_BITMAP,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",SS_ICON | SS_CENTERIMAGE,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,WC_STATICW,SS_ENHMETAFILE,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"SS_BITMAP\",IDC_X,\"Static\",SS_LEFT,1,2,3,4", "IDC_X", "标签类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",SS_BLACKFRAME,1,2,3,4", "IDC_X", "标签类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",0x5000000E,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",0x3,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",15,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",0x23,1,2,3,4", "IDC_X", "图片框类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",0x10,1,2,3,4", "IDC_X", "标签类"},
        DeclarationCase{"CONTROL \"\",IDC_X,\"Static\",0x0D,1,2,3,4", "IDC_X", "标签类"}));

TEST(FindDeclarations, KeepsLineOrderAndTheLogicalLineNumber) {
  std::vector<std::string_view> lines{
      "IDD_A DIALOGEX 0, 0, 100, 50",
      "BEGIN",
      "    CONTROL \"\",IDC_LIST,\"SysListView32\",LVS_REPORT |",
      "                    WS_BORDER,7,7,50,50",
      "    // LTEXT \"x\",IDC_COMMENTED,1,2,3,4",
      "    CONTROL \"\",IDC_CUSTOM,\"MyClass\",0,1,2,3,4",
      "    EDITTEXT IDC_TEXT,1,2,3,4",
      "END",
  };
  LogicalLines logical = JoinLogicalLines(lines, 20);
  ValueArray<Declaration> declarations = FindDeclarations({logical.lines.begin(), logical.lines.end()});
  ASSERT_EQ(declarations.Count(), 3);
  EXPECT_EQ(declarations.At(1).lineNumber, 20);
  EXPECT_EQ(declarations.At(1).symbol, "IDD_A");
  EXPECT_TRUE(declarations.At(1).isDialogHeader);
  EXPECT_EQ(declarations.At(2).lineNumber, 22);
  EXPECT_EQ(declarations.At(2).symbol, "IDC_LIST");
  EXPECT_STREQ(declarations.At(2).componentClass, "超级列表框类");
  EXPECT_EQ(declarations.At(3).lineNumber, 26);
  EXPECT_EQ(declarations.At(3).symbol, "IDC_TEXT");
}

}  // namespace
}  // namespace rc2e
