// ComponentRecord: one resource symbol of the header block with its identifier and the
// component class its declaring line gives. A plain value; the list of them is a ValueArray.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace rc2e {

// All-zero bits are the empty record, as ValueArray requires of its elements.
struct ComponentRecord {
  Text name;            // the symbol as the identifier library returns it
  int32_t id = 0;       // its numeric identifier
  Text componentClass;  // empty until a line gives one
};

}  // namespace rc2e
