// The header block's loop over the definition lines; the library is bound on its first call,
// so a script whose first line is empty never loads it.
#include "generator/header_block.h"

#include "generator/definition_values.h"
#include "generator/growing_array.h"
#include "generator/identifier_library.h"
#include "generator/script_encoding.h"
#include "generator/symbol_table.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

class RecordMaker {
 public:
  // Reads one definition line, NUL-terminated and writable, into a record.
  void Read(char* line) {
    std::optional<Text> substituted;
    if (ValueNamesAnIdentifier(line)) {
      IndexRecords();
      substituted = SubstituteKnownValues(line, known_);
    }
    char* passed = substituted ? substituted->data() : line;
    int32_t id = IdentifierOfLine(passed);
    const char* symbol = SymbolOfLine(passed);
    std::string_view name = symbol ? symbol : "";
    if (name.empty() || IsEditorBookkeepingName(name)) return;
    records_.Append(ComponentRecord{Text::Copy(name), id, Text()});
  }
  ValueArray<ComponentRecord> Finish() { return records_.Finish(); }

 private:
  // The table of records made so far, brought up to date only when a value may need it.
  // Moving a record keeps its name's block, so the table's views stay valid.
  void IndexRecords() {
    for (; indexed_ < records_.Count(); ++indexed_) {
      const ComponentRecord& record = records_.At(indexed_ + 1);
      known_.Assign(record.name.view(), record.id);
    }
  }

  GrowingArray<ComponentRecord> records_;
  SymbolTable known_;
  int32_t indexed_ = 0;
};

}  // namespace

bool DiskIncludeReader::ReadIncludedFile(const char* path, Text& content) {
  ScriptBytes file = ReadScriptBytes(path);
  if (file.status != ScriptReadStatus::Read) return false;
  content = BytesToText(ToAnsiCodePage(std::move(file.bytes)));
  return true;
}

HeaderBlock ReadHeaderBlock(ScriptSource& script, std::string_view scriptPath, IncludeFileReader& includes) {
  HeaderBlock header;
  int32_t lineCount = script.LineCount();
  header.lineCount = lineCount;
  bool anyInclude = false;
  for (int32_t n = 1; n <= lineCount; ++n) {
    std::string_view line = script.Line(n);
    if (line.empty()) {
      header.lineCount = n - 1;
      break;
    }
    anyInclude = anyInclude || IncludedFileName(line).has_value();
  }

  RecordMaker maker;
  if (!anyInclude) {
    for (int32_t n = 1; n <= header.lineCount; ++n) maker.Read(script.LineBlock(n));
  } else {
    ValueArray<std::string_view> lines(header.lineCount);
    for (int32_t n = 1; n <= header.lineCount; ++n) lines.At(n) = script.Line(n);
    ValueArray<Text> expanded =
        ExpandHeaderIncludes(std::span<const std::string_view>(lines.begin(), lines.end()), scriptPath, includes);
    for (Text& line : expanded) maker.Read(line.data());
  }
  header.records = maker.Finish();
  return header;
}

}  // namespace rc2e
