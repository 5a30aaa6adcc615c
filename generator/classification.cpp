// The class table with the Static and Button subtypes, the whole-identifier search, and an
// index from symbol to record so that every scanned line is tokenised once.
#include "generator/classification.h"

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

constexpr int kRowCount = static_cast<int>(sizeof kClassTable / sizeof kClassTable[0]);

// The distinct keywords of the table, each with the rows that use it, listed by first byte,
// so that a position is compared only with the keywords that can start there.
struct KeywordIndex {
  struct Keyword {
    std::string_view text;
    uint32_t rows;
  };
  Keyword keywords[kRowCount];
  int32_t keywordCount = 0;
  uint32_t byFirstByte[256] = {};  // bit k: keyword k starts with this byte

  KeywordIndex() {
    static_assert(kRowCount <= 32);
    for (int row = 0; row < kRowCount; ++row) {
      std::string_view text = kClassTable[row].keyword;
      int k = 0;
      while (k < keywordCount && keywords[k].text != text) ++k;
      if (k == keywordCount) {
        keywords[keywordCount++] = {text, 0};
        byFirstByte[static_cast<unsigned char>(text[0])] |= 1u << k;
      }
      keywords[k].rows |= 1u << row;
    }
  }
};

const KeywordIndex& Keywords() {
  static const KeywordIndex index;
  return index;
}

// Which rows' keywords occur in text, found in one pass with the stepping of FindInText.
uint32_t KeywordsIn(std::string_view text) {
  const KeywordIndex& index = Keywords();
  uint32_t rows = 0;
  size_t position = 0;
  while (position < text.size()) {
    unsigned char c = static_cast<unsigned char>(text[position]);
    for (uint32_t candidates = index.byFirstByte[c]; candidates; candidates &= candidates - 1) {
      const KeywordIndex::Keyword& keyword = index.keywords[__builtin_ctz(candidates)];
      if (text.compare(position, keyword.text.size(), keyword.text) == 0) rows |= keyword.rows;
    }
    position += c >= 0x80 ? 2 : 1;
  }
  return rows;
}

const char* ClassAfterSymbol(std::string_view rest) {
  uint32_t rows = KeywordsIn(rest);
  if (!rows) return nullptr;
  for (int row = 0; row < kRowCount; ++row) {
    const ClassRow& entry = kClassTable[row];
    if ((rows & (1u << row)) && (!entry.condition || entry.condition(rest))) return entry.componentClass;
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

// Open addressing from a symbol to its entry, over the records' own name texts, which stay
// in place while the lines are scanned.
class SymbolIndex {
 public:
  explicit SymbolIndex(int32_t capacity) {
    int32_t size = 16;
    while (size < capacity * 2) size *= 2;
    slots_.Redim({size});
  }
  // The entry (from 1) of the name, made on first sight; names are views that must outlive the index.
  int32_t Intern(std::string_view name) {
    Slot& slot = SlotOf(name);
    if (!slot.entry) {
      slot.name = name.data();
      slot.length = name.size();
      slot.entry = ++entries_;
    }
    return slot.entry;
  }
  int32_t Find(std::string_view name) const { return SlotOf(name).entry; }
  int32_t EntryCount() const { return entries_; }

 private:
  struct Slot {
    const char* name;
    size_t length;
    int32_t entry;  // 0: free
  };
  static uint32_t Hash(std::string_view name) {
    uint32_t hash = 2166136261u;
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
  }
  Slot& SlotOf(std::string_view name) const {
    uint32_t mask = static_cast<uint32_t>(slots_.Count()) - 1;
    Slot* slots = const_cast<Slot*>(slots_.begin());
    for (uint32_t i = Hash(name) & mask;; i = (i + 1) & mask) {
      Slot& slot = slots[i];
      if (!slot.entry || std::string_view(slot.name, slot.length) == name) return slot;
    }
  }

  ValueArray<Slot> slots_;  // at least twice as many as the names, so never full
  int32_t entries_ = 0;
};

// Lines firstLine..lastLine, each cut into maximal runs of single-byte identifier
// characters; a symbol made only of those characters occurs as a whole identifier exactly
// where such a run equals it, so each line is tokenised once for all symbols.
void ScanIdentifierSymbols(const ScriptSource& script, int32_t firstLine, int32_t lastLine, const SymbolIndex& index,
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
      int32_t symbol = index.Find(line.substr(start, position - start));
      if (!symbol) continue;
      SymbolClass& entry = found.At(symbol);
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
  SymbolIndex index(records.Count());
  ValueArray<int32_t> symbolOfRecord(records.Count());
  for (int32_t r = 1; r <= records.Count(); ++r) {
    std::string_view name = records.At(r).name.view();
    if (IsIdentifierWord(name)) symbolOfRecord.At(r) = index.Intern(name);
  }
  int32_t distinct = index.EntryCount();
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
