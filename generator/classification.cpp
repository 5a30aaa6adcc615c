// The class table with the Static and Button subtypes, the whole-identifier search, and an
// index from symbol to record so that every scanned line is tokenised once.
#include "generator/classification.h"

#include "generator/symbol_table.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool HasWholeWord(std::string_view text, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words) {
    if (FindWholeIdentifier(text, word) >= 0) return true;
  }
  return false;
}

bool IsPictureStatic(std::string_view rest) { return HasWholeWord(rest, {"SS_BITMAP", "SS_ICON", "SS_ENHMETAFILE"}); }
bool IsLabelStatic(std::string_view rest) { return !IsPictureStatic(rest); }
bool IsGroupBox(std::string_view rest) { return HasWholeWord(rest, {"BS_GROUPBOX"}); }
bool IsCheckBox(std::string_view rest) {
  return HasWholeWord(rest, {"BS_CHECKBOX", "BS_AUTOCHECKBOX", "BS_3STATE", "BS_AUTO3STATE"});
}
bool IsRadioButton(std::string_view rest) { return HasWholeWord(rest, {"BS_RADIOBUTTON", "BS_AUTORADIOBUTTON"}); }
bool IsPushButton(std::string_view rest) { return !IsGroupBox(rest) && !IsCheckBox(rest) && !IsRadioButton(rest); }

struct ClassRow {
  std::string_view keyword;
  const char* componentClass;
  bool (*condition)(std::string_view rest);  // null: the keyword alone decides
};

// In table order; the first row that matches wins.
const ClassRow kClassTable[] = {
    {"DIALOGEX", "对话框类", nullptr},
    {"RichEdit20A", "丰富文本框类", nullptr},
    {"Edit", "编辑框类", nullptr},
    {"Static", "标签类", IsLabelStatic},
    {"Button", "分组框类", IsGroupBox},
    {"Button", "按钮类", IsPushButton},
    {"Button", "选择框类", IsCheckBox},
    {"Button", "单选框类", IsRadioButton},
    {"ComboBoxEx32", "图像组合框类", nullptr},
    {"ComboBox", "组合框类", nullptr},
    {"ListBox", "列表框类", nullptr},
    {"ScrollBar", "滚动条类", nullptr},
    {"SysTabControl32", "选择夹类", nullptr},
    {"msctls_progress32", "进度条类", nullptr},
    {"SysTreeView32", "树型框类", nullptr},
    {"SysListView32", "超级列表框类", nullptr},
    {"msctls_trackbar32", "滑块条类", nullptr},
    {"msctls_updown32", "调节器类", nullptr},
    {"Static", "图片框类", IsPictureStatic},
    {"ToolbarWindow32", "工具条类", nullptr},
    {"msctls_statusbar32", "状态栏类", nullptr},
    {"SysDateTimePick32", "日期框类", nullptr},
    {"SysMonthCal32", "月历类", nullptr},
    {"SysAnimate32", "影像框类", nullptr},
    {"msctls_hotkey32", "热键框类", nullptr},
    {"SysHeader32", "报头栏类", nullptr},
    {"SysLink", "超链接框类", nullptr},
};

const char* ClassAfterSymbol(std::string_view rest) {
  for (const ClassRow& row : kClassTable) {
    if (FindInText(rest, row.keyword) > 0 && (!row.condition || row.condition(rest))) return row.componentClass;
  }
  return nullptr;
}

bool IsIdentifierWord(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (!IsIdentifierChar(c)) return false;
  }
  return true;
}

// What the scan has found for one distinct symbol.
struct SymbolClass {
  const char* componentClass;
  int32_t lastLineSeen;
};

// Lines firstLine..lastLine, each cut into maximal runs of single-byte identifier
// characters; a symbol made only of those characters occurs as a whole identifier exactly
// where such a run equals it, so each line is tokenised once for all symbols.
void ScanIdentifierSymbols(const ScriptSource& script, int32_t firstLine, int32_t lastLine, const SymbolTable& index,
                           ValueArray<SymbolClass>& found) {
  for (int32_t k = firstLine; k <= lastLine; ++k) {
    std::string_view line = script.Line(k);
    size_t position = 0;
    while (position < line.size()) {
      if (IsLeadByte(line[position])) {
        position += 2;
        continue;
      }
      if (!IsIdentifierChar(line[position])) {
        ++position;
        continue;
      }
      size_t start = position;
      while (position < line.size() && IsIdentifierChar(line[position])) ++position;
      std::optional<int32_t> symbol = index.Find(line.substr(start, position - start));
      if (!symbol) continue;
      SymbolClass& entry = found.At(*symbol);
      if (entry.lastLineSeen == k) continue;  // only the first occurrence in a line counts
      entry.lastLineSeen = k;
      if (const char* componentClass = ClassAfterSymbol(line.substr(position))) entry.componentClass = componentClass;
    }
  }
}

}  // namespace

int32_t FindWholeIdentifier(std::string_view text, std::string_view word) {
  if (word.empty() || word.size() > text.size()) return -1;
  bool previousIsIdentifier = false;
  size_t position = 0;
  while (position + word.size() <= text.size()) {
    if (!previousIsIdentifier && text.compare(position, word.size(), word) == 0) {
      size_t after = position + word.size();
      if (after == text.size() || !IsIdentifierChar(text[after])) return static_cast<int32_t>(position);
    }
    if (IsLeadByte(text[position])) {
      previousIsIdentifier = false;
      position += 2;
    } else {
      previousIsIdentifier = IsIdentifierChar(text[position]);
      position += 1;
    }
  }
  return -1;
}

const char* ClassOfLine(std::string_view line, std::string_view symbol) {
  int32_t position = FindWholeIdentifier(line, symbol);
  if (position < 0) return nullptr;
  return ClassAfterSymbol(line.substr(static_cast<size_t>(position) + symbol.size()));
}

void ClassifyRecords(ValueArray<ComponentRecord>& records, const ScriptSource& script, int32_t firstLine) {
  int32_t lastLine = script.LineCount();
  if (firstLine < 1) firstLine = 1;
  if (records.Count() == 0 || firstLine > lastLine) return;

  // One entry per distinct symbol; records sharing a symbol share its result.
  SymbolTable index;
  ValueArray<int32_t> symbolOfRecord(records.Count());
  int32_t distinct = 0;
  for (int32_t r = 1; r <= records.Count(); ++r) {
    std::string_view name = records.At(r).name.view();
    if (!IsIdentifierWord(name)) continue;
    std::optional<int32_t> known = index.Find(name);
    if (!known) {
      known = ++distinct;
      index.Assign(name, *known);
    }
    symbolOfRecord.At(r) = *known;
  }
  ValueArray<SymbolClass> found(distinct);
  ScanIdentifierSymbols(script, firstLine, lastLine, index, found);

  for (int32_t r = 1; r <= records.Count(); ++r) {
    ComponentRecord& record = records.At(r);
    const char* componentClass = nullptr;
    if (int32_t symbol = symbolOfRecord.At(r)) {
      componentClass = found.At(symbol).componentClass;
    } else if (!record.name.IsEmpty()) {
      // A symbol with other characters than an identifier's: searched line by line.
      for (int32_t k = firstLine; k <= lastLine; ++k) {
        if (const char* lineClass = ClassOfLine(script.Line(k), record.name.view())) componentClass = lineClass;
      }
    }
    if (componentClass) record.componentClass = Text::Copy(componentClass);
  }
}

}  // namespace rc2e
