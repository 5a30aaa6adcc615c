// Decides which dialog is loaded and, for every record, its class and whether it gets a
// variable line and a bind line. Composes no output text and reads no file.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "generator/declarations.h"
#include "generator/dialog_blocks.h"
#include "runtime/value_array.h"

namespace rc2e {

// The two fields of a record that the choice reads.
struct RecordKey {
  std::string_view name;
  int32_t id;
};

struct RecordPlan {
  const char* componentClass;  // a literal, or null for the empty class
  bool variableLine;
  bool bindLine;
};

struct DialogChoice {
  bool chosenDialogMissing;   // a dialog was asked for by name and the script has none such
  int32_t loadedRecord;       // 1-based index of the loaded dialog's record, 0 for none
  ValueArray<RecordPlan> plans;  // one per record, in record order; empty when missing
};

// A record that a dialog header declares is a dialog. The loaded one is the record of the
// chosen dialog, or with none chosen the first dialog record in list order. Records declared
// in its block (the first block of its symbol) take their last class there and get bind
// lines; others take their last class anywhere and get none. With more than one dialog in
// the script only the loaded dialog and its block's records get variable lines. With no
// dialog loaded, every record gets a variable line and a bind line when it has a class and
// an identifier other than 0. Declarations are in line order.
DialogChoice ChooseDialog(std::span<const RecordKey> records, const ValueArray<Declaration>& declarations,
                          const ValueArray<DialogBlock>& blocks, std::string_view chosenDialog);

struct DialogSummary {
  std::string_view symbol;  // into the header's line
  int32_t recordIndex;   // 1-based index of its record, 0 when no record names it
  int32_t controlCount;  // declarations in its block other than dialog headers
};

// The dialogs of the script in file order, one per symbol (its first block).
ValueArray<DialogSummary> ListDialogs(std::span<const RecordKey> records, const ValueArray<Declaration>& declarations,
                                      const ValueArray<DialogBlock>& blocks);

}  // namespace rc2e
