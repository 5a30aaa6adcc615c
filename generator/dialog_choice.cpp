// Dialog choice and the per-record plan of variable and bind lines (see the header).
// Declarations and blocks come from their own stages; the output template is elsewhere.
#include "generator/dialog_choice.h"

#include <algorithm>

#include "generator/growing_array.h"
#include "generator/symbol_table.h"

namespace rc2e {

namespace {

struct DeclarationRange {
  const Declaration* begin;
  const Declaration* end;
};

DeclarationRange DeclarationsInBlock(const ValueArray<Declaration>& declarations, const DialogBlock& block) {
  const Declaration* first = std::lower_bound(
      declarations.begin(), declarations.end(), block.headerLine,
      [](const Declaration& d, int32_t line) { return d.lineNumber < line; });
  const Declaration* last = std::upper_bound(
      first, declarations.end(), block.lastLine, [](int32_t line, const Declaration& d) { return line < d.lineNumber; });
  return {first, last};
}

// Symbol to the 1-based index of the first block that the symbol heads.
SymbolTable FirstBlocks(const ValueArray<DialogBlock>& blocks) {
  SymbolTable first;
  for (int32_t n = blocks.Count(); n >= 1; --n) first.Assign(blocks.At(n).symbol, n);
  return first;
}

// Symbol to the 1-based index of its last declaration within [begin, end).
void AssignLastDeclarations(SymbolTable& last, const Declaration* begin, const Declaration* end,
                            const Declaration* base) {
  for (const Declaration* d = begin; d != end; ++d) last.Assign(d->symbol, static_cast<int32_t>(d - base) + 1);
}

}  // namespace

DialogChoice ChooseDialog(std::span<const RecordKey> records, const ValueArray<Declaration>& declarations,
                          const ValueArray<DialogBlock>& blocks, std::string_view chosenDialog) {
  DialogChoice choice{false, 0, ValueArray<RecordPlan>()};
  SymbolTable firstBlock = FirstBlocks(blocks);
  int32_t loadedBlock = 0;
  for (size_t r = 0; r < records.size() && choice.loadedRecord == 0; ++r) {
    if (!chosenDialog.empty() && records[r].name != chosenDialog) continue;
    if (std::optional<int32_t> block = firstBlock.Find(records[r].name)) {
      choice.loadedRecord = static_cast<int32_t>(r) + 1;
      loadedBlock = *block;
    }
  }
  if (!chosenDialog.empty() && choice.loadedRecord == 0) {
    choice.chosenDialogMissing = true;
    return choice;
  }

  const Declaration* base = declarations.begin();
  choice.plans = ValueArray<RecordPlan>(static_cast<int32_t>(records.size()));
  if (choice.loadedRecord == 0) {
    SymbolTable lastAnywhere;
    AssignLastDeclarations(lastAnywhere, declarations.begin(), declarations.end(), base);
    for (size_t r = 0; r < records.size(); ++r) {
      std::optional<int32_t> last = lastAnywhere.Find(records[r].name);
      const char* componentClass = last ? declarations.At(*last).componentClass : nullptr;
      choice.plans.At(static_cast<int32_t>(r) + 1) = {componentClass, true, componentClass && records[r].id != 0};
    }
    return choice;
  }

  bool severalDialogs = firstBlock.Count() > 1;
  int32_t dialogId = records[choice.loadedRecord - 1].id;
  DeclarationRange inBlock = DeclarationsInBlock(declarations, blocks.At(loadedBlock));
  SymbolTable lastInBlock;
  AssignLastDeclarations(lastInBlock, inBlock.begin, inBlock.end, base);
  // A record declared in the block never looks further, so the rest needs only the others.
  SymbolTable lastElsewhere;
  AssignLastDeclarations(lastElsewhere, declarations.begin(), inBlock.begin, base);
  AssignLastDeclarations(lastElsewhere, inBlock.end, declarations.end(), base);
  for (size_t r = 0; r < records.size(); ++r) {
    RecordPlan& plan = choice.plans.At(static_cast<int32_t>(r) + 1);
    if (static_cast<int32_t>(r) + 1 == choice.loadedRecord) {
      plan = {DialogComponentClass(), true, false};
    } else if (std::optional<int32_t> there = lastInBlock.Find(records[r].name)) {
      plan = {declarations.At(*there).componentClass, true, records[r].id != dialogId};
    } else {
      std::optional<int32_t> last = lastElsewhere.Find(records[r].name);
      plan = {last ? declarations.At(*last).componentClass : nullptr, !severalDialogs, false};
    }
  }
  return choice;
}

ValueArray<DialogSummary> ListDialogs(std::span<const RecordKey> records, const ValueArray<Declaration>& declarations,
                                      const ValueArray<DialogBlock>& blocks) {
  // Dialog symbol to its place in the list; the first record of each symbol joins it.
  SymbolTable listed;
  GrowingArray<DialogSummary> dialogs;
  for (const DialogBlock& block : blocks) {
    if (listed.Find(block.symbol)) continue;
    listed.Assign(block.symbol, dialogs.Count() + 1);
    DeclarationRange inBlock = DeclarationsInBlock(declarations, block);
    int32_t controls = static_cast<int32_t>(
        std::count_if(inBlock.begin, inBlock.end, [](const Declaration& d) { return !d.isDialogHeader; }));
    dialogs.Append(DialogSummary{block.symbol, 0, controls});
  }
  for (size_t r = 0; r < records.size(); ++r) {
    std::optional<int32_t> place = listed.Find(records[r].name);
    if (place && dialogs.At(*place).recordIndex == 0) dialogs.At(*place).recordIndex = static_cast<int32_t>(r) + 1;
  }
  return dialogs.Finish();
}

}  // namespace rc2e
