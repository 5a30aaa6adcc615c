// Chooses the dialog record and composes the output source text from the records: variable
// lines, the start-up subroutine, the creation callback with its bind lines, two empty subroutines.
#pragma once

#include "generator/component_record.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

inline constexpr const char* kDialogClass = "对话框类";

// The first record, in list order, whose class is the dialog class; null when none is.
const ComponentRecord* ChooseDialogRecord(const ValueArray<ComponentRecord>& records);

// The output text; a null dialog loads an empty name with the identifier 0. Always a block.
Text ComposeOutput(const ValueArray<ComponentRecord>& records, const ComponentRecord* dialog);

}  // namespace rc2e
