// The one GeneratorState of the process, kept between drops until the next run or teardown.
// Holds data only; the runs themselves are code_generator's.
#include "generator/generator_state.h"

namespace rc2e {

GeneratorState& CurrentGeneratorState() {
  static GeneratorState state;
  return state;
}

void FreeGeneratorState() { CurrentGeneratorState() = GeneratorState(); }

}  // namespace rc2e
