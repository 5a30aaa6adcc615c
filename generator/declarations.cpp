// Declaration lines and the component class each gives (see the header).
// Which dialog a declaration belongs to, and which records use it, is decided later.
#include "generator/declarations.h"

#include "generator/growing_array.h"
#include "generator/script_characters.h"
#include "generator/statement_arguments.h"

namespace rc2e {

namespace {

constexpr char kDialog[] = "对话框类";
constexpr char kRichEdit[] = "丰富文本框类";
constexpr char kEdit[] = "编辑框类";
constexpr char kLabel[] = "标签类";
constexpr char kPicture[] = "图片框类";
constexpr char kPushButton[] = "按钮类";
constexpr char kGroupBox[] = "分组框类";
constexpr char kCheckBox[] = "选择框类";
constexpr char kRadioButton[] = "单选框类";
constexpr char kComboBoxEx[] = "图像组合框类";
constexpr char kComboBox[] = "组合框类";
constexpr char kListBox[] = "列表框类";
constexpr char kScrollBar[] = "滚动条类";
constexpr char kTabControl[] = "选择夹类";
constexpr char kProgress[] = "进度条类";
constexpr char kTreeView[] = "树型框类";
constexpr char kListView[] = "超级列表框类";
constexpr char kTrackBar[] = "滑块条类";
constexpr char kUpDown[] = "调节器类";
constexpr char kToolbar[] = "工具条类";
constexpr char kStatusBar[] = "状态栏类";
constexpr char kDateTimePicker[] = "日期框类";
constexpr char kMonthCalendar[] = "月历类";
constexpr char kAnimation[] = "影像框类";
constexpr char kHotKey[] = "热键框类";
constexpr char kHeader[] = "报头栏类";
constexpr char kLink[] = "超链接框类";

// Markers for the two window classes whose component depends on the style.
constexpr char kStaticSubtypes[] = "Static";
constexpr char kButtonSubtypes[] = "Button";

struct ClassName {
  std::string_view name;
  bool takesCharacterSetSuffix;  // a header macro, also spelled with A or W at the end
  const char* componentClass;
};

constexpr ClassName kControlClasses[] = {
    {"RichEdit20A", false, kRichEdit},
    {"RichEdit20W", false, kRichEdit},
    {"RICHEDIT50W", false, kRichEdit},
    {"RichEdit", false, kRichEdit},
    {"Edit", false, kEdit},
    {"WC_EDIT", true, kEdit},
    {"Static", false, kStaticSubtypes},
    {"WC_STATIC", true, kStaticSubtypes},
    {"Button", false, kButtonSubtypes},
    {"WC_BUTTON", true, kButtonSubtypes},
    {"ComboBoxEx32", false, kComboBoxEx},
    {"WC_COMBOBOXEX", true, kComboBoxEx},
    {"ComboBox", false, kComboBox},
    {"WC_COMBOBOX", true, kComboBox},
    {"ListBox", false, kListBox},
    {"WC_LISTBOX", true, kListBox},
    {"ScrollBar", false, kScrollBar},
    {"WC_SCROLLBAR", true, kScrollBar},
    {"SysTabControl32", false, kTabControl},
    {"WC_TABCONTROL", true, kTabControl},
    {"msctls_progress32", false, kProgress},
    {"PROGRESS_CLASS", true, kProgress},
    {"SysTreeView32", false, kTreeView},
    {"WC_TREEVIEW", true, kTreeView},
    {"SysListView32", false, kListView},
    {"WC_LISTVIEW", true, kListView},
    {"msctls_trackbar32", false, kTrackBar},
    {"TRACKBAR_CLASS", true, kTrackBar},
    {"msctls_updown32", false, kUpDown},
    {"UPDOWN_CLASS", true, kUpDown},
    {"ToolbarWindow32", false, kToolbar},
    {"TOOLBARCLASSNAME", true, kToolbar},
    {"msctls_statusbar32", false, kStatusBar},
    {"STATUSCLASSNAME", true, kStatusBar},
    {"SysDateTimePick32", false, kDateTimePicker},
    {"DATETIMEPICK_CLASS", true, kDateTimePicker},
    {"SysMonthCal32", false, kMonthCalendar},
    {"MONTHCAL_CLASS", true, kMonthCalendar},
    {"SysAnimate32", false, kAnimation},
    {"ANIMATE_CLASS", true, kAnimation},
    {"msctls_hotkey32", false, kHotKey},
    {"HOTKEY_CLASS", true, kHotKey},
    {"SysHeader32", false, kHeader},
    {"WC_HEADER", true, kHeader},
    {"SysLink", false, kLink},
    {"WC_LINK", true, kLink},
};

struct StatementKeyword {
  std::string_view keyword;
  int32_t symbolPosition;  // the argument that holds the symbol
  const char* componentClass;
};

constexpr StatementKeyword kStatements[] = {
    {"EDITTEXT", 1, kEdit},
    {"BEDIT", 1, kEdit},
    {"HEDIT", 1, kEdit},
    {"IEDIT", 1, kEdit},
    {"COMBOBOX", 1, kComboBox},
    {"LISTBOX", 1, kListBox},
    {"SCROLLBAR", 1, kScrollBar},
    {"LTEXT", 2, kLabel},
    {"RTEXT", 2, kLabel},
    {"CTEXT", 2, kLabel},
    {"ICON", 2, kPicture},
    {"PUSHBUTTON", 2, kPushButton},
    {"DEFPUSHBUTTON", 2, kPushButton},
    {"PUSHBOX", 2, kPushButton},
    {"GROUPBOX", 2, kGroupBox},
    {"CHECKBOX", 2, kCheckBox},
    {"AUTOCHECKBOX", 2, kCheckBox},
    {"STATE3", 2, kCheckBox},
    {"AUTO3STATE", 2, kCheckBox},
    {"RADIOBUTTON", 2, kRadioButton},
    {"AUTORADIOBUTTON", 2, kRadioButton},
};

bool NamesClass(std::string_view argument, const ClassName& entry) {
  if (EqualsIgnoringCase(argument, entry.name)) return true;
  if (!entry.takesCharacterSetSuffix || argument.size() != entry.name.size() + 1) return false;
  char suffix = argument.back();
  return (suffix == 'A' || suffix == 'a' || suffix == 'W' || suffix == 'w') &&
         EqualsIgnoringCase(argument.substr(0, entry.name.size()), entry.name);
}

// True when `word` occurs in text as a whole identifier, case-sensitive; a double-byte
// character separates identifiers and never belongs to one.
bool ContainsWholeWord(std::string_view text, std::string_view word) {
  bool found = false;
  ForEachIdentifier(text, 0, [&](size_t begin, size_t end) {
    found = text.substr(begin, end - begin) == word;
    return !found;
  });
  return found;
}

bool ContainsAnyWord(std::string_view text, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words) {
    if (ContainsWholeWord(text, word)) return true;
  }
  return false;
}

// A style written as one integer literal (decimal, 0x hexadecimal or 0 octal, with
// u/U/l/L suffixes), taken modulo 2^32.
std::optional<uint32_t> NumericStyle(std::string_view style) {
  style = TrimScriptBlanks(style);
  if (style.empty() || style[0] < '0' || style[0] > '9') return std::nullopt;
  uint32_t base = 10;
  size_t i = 0;
  if (style.size() > 1 && style[0] == '0' && (style[1] == 'x' || style[1] == 'X')) {
    base = 16;
    i = 2;
  } else if (style[0] == '0') {
    base = 8;
  }
  uint32_t value = 0;
  size_t digits = 0;
  for (; i < style.size(); ++i, ++digits) {
    char c = style[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  if (digits == 0) return std::nullopt;
  for (; i < style.size(); ++i) {
    char c = style[i];
    if (c != 'u' && c != 'U' && c != 'l' && c != 'L') return std::nullopt;
  }
  return value;
}

const char* ButtonSubtype(std::string_view style) {
  if (std::optional<uint32_t> number = NumericStyle(style)) {
    switch (*number & 0xF) {
      case 7: return kGroupBox;
      case 2: case 3: case 5: case 6: return kCheckBox;
      case 4: case 9: return kRadioButton;
      default: return kPushButton;
    }
  }
  if (ContainsWholeWord(style, "BS_GROUPBOX")) return kGroupBox;
  if (ContainsAnyWord(style, {"BS_CHECKBOX", "BS_AUTOCHECKBOX", "BS_3STATE", "BS_AUTO3STATE"})) return kCheckBox;
  if (ContainsAnyWord(style, {"BS_RADIOBUTTON", "BS_AUTORADIOBUTTON"})) return kRadioButton;
  return kPushButton;
}

const char* StaticSubtype(std::string_view style) {
  if (std::optional<uint32_t> number = NumericStyle(style)) {
    uint32_t kind = *number & 0x1F;
    return kind == 0x03 || kind == 0x0E || kind == 0x0F ? kPicture : kLabel;
  }
  return ContainsAnyWord(style, {"SS_BITMAP", "SS_ICON", "SS_ENHMETAFILE"}) ? kPicture : kLabel;
}

}  // namespace

const char* DialogComponentClass() { return kDialog; }

std::optional<std::string_view> DialogHeaderSymbol(const StatementArguments& statement) {
  std::string_view rest = statement.Rest();
  if (statement.Keyword().empty() || rest.empty() || !IsScriptBlank(rest[0])) return std::nullopt;
  // The rest ends before any trailing comment, so its first word is the line's second word.
  std::string_view second = FirstWord(rest);
  if (!EqualsIgnoringCase(second, "DIALOG") && !EqualsIgnoringCase(second, "DIALOGEX")) return std::nullopt;
  return statement.Keyword();
}

const char* ControlComponentClass(std::string_view classArgument, std::string_view styleArgument) {
  std::string_view name = Unquoted(TrimScriptBlanks(classArgument));
  for (const ClassName& entry : kControlClasses) {
    if (!NamesClass(name, entry)) continue;
    if (entry.componentClass == kStaticSubtypes) return StaticSubtype(styleArgument);
    if (entry.componentClass == kButtonSubtypes) return ButtonSubtype(styleArgument);
    return entry.componentClass;
  }
  return nullptr;
}

std::optional<DeclaredSymbol> ReadDeclaration(std::string_view logicalLine) {
  StatementArguments statement(logicalLine);
  if (std::optional<std::string_view> dialog = DialogHeaderSymbol(statement)) {
    return DeclaredSymbol{*dialog, kDialog, true};
  }
  std::string_view keyword = statement.Keyword();
  if (EqualsIgnoringCase(keyword, "CONTROL")) {
    std::optional<std::string_view> symbol = statement.At(2);
    std::optional<std::string_view> className = statement.At(3);
    if (!symbol || symbol->empty() || !className) return std::nullopt;
    const char* componentClass = ControlComponentClass(*className, statement.At(4).value_or(std::string_view()));
    if (!componentClass) return std::nullopt;
    return DeclaredSymbol{*symbol, componentClass, false};
  }
  for (const StatementKeyword& entry : kStatements) {
    if (!EqualsIgnoringCase(keyword, entry.keyword)) continue;
    std::optional<std::string_view> symbol = statement.At(entry.symbolPosition);
    if (!symbol || symbol->empty()) return std::nullopt;
    return DeclaredSymbol{*symbol, entry.componentClass, false};
  }
  return std::nullopt;
}

ValueArray<Declaration> FindDeclarations(std::span<const LogicalLine> lines) {
  GrowingArray<Declaration> found;
  for (const LogicalLine& line : lines) {
    std::optional<DeclaredSymbol> declared = ReadDeclaration(line.text);
    if (!declared) continue;
    found.Append(Declaration{line.lineNumber, declared->symbol, declared->componentClass, declared->isDialogHeader});
  }
  return found.Finish();
}

}  // namespace rc2e
