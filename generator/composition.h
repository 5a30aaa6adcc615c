// Composes the output source text from the records and their plans: variable lines, the
// start-up subroutine, the creation callback with its bind lines, two empty subroutines.
#pragma once

#include "generator/component_record.h"
#include "generator/dialog_choice.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

// The output text; a null dialog loads an empty name with the identifier 0. A record gets
// its variable line when its plan says so, and its bind line when its plan says so, its
// class is not empty and its identifier is not the dialog's. Always a block.
Text ComposeOutput(const ValueArray<ComponentRecord>& records, const ComponentRecord* dialog,
                   const ValueArray<RecordPlan>& plans);

}  // namespace rc2e
