// The generator's program-wide state: the last run's path, content and output texts and its
// header line count. Nothing outside the generator reads them; the program's teardown frees them.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace rc2e {

struct GeneratorState {
  Text path;     // the dropped path text as delivered
  Text content;  // the counted content of the file; empty when it could not be read
  Text output;   // the composed source text
  int32_t headerLineCount = 0;
};

GeneratorState& CurrentGeneratorState();
// Frees the three texts and resets the count.
void FreeGeneratorState();

}  // namespace rc2e
