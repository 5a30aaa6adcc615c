// The header block's loop over the definition lines; the library is bound on its first call,
// so a script whose first line is empty never loads it.
#include "generator/header_block.h"

#include "generator/identifier_library.h"

namespace rc2e {

HeaderBlock ReadHeaderBlock(ScriptSource& script) {
  HeaderBlock header;
  int32_t lineCount = script.LineCount();
  header.lineCount = lineCount;
  // Appending one element at a time would copy the list for every record.
  ValueArray<ComponentRecord> records(lineCount);
  int32_t used = 0;
  for (int32_t n = 1; n <= lineCount; ++n) {
    char* line = script.LineBlock(n);
    if (!line || !*line) {
      header.lineCount = n - 1;
      break;
    }
    int32_t id = IdentifierOfLine(line);
    Text name = Text::Copy(SymbolOfLine(line));
    if (name.IsEmpty()) continue;
    ComponentRecord& record = records.At(++used);
    record.name = std::move(name);
    record.id = id;
  }
  records.Redim({used});
  header.records = std::move(records);
  return header;
}

}  // namespace rc2e
