// Element counts and the copy-on-change of constant arrays.
#include "runtime/value_array.h"

#include "runtime/platform.h"

namespace rc2e {

int32_t ElementCount(const void* block) {
  if (!block) return 0;
  const auto* header = static_cast<const ArrayHeader*>(block);
  if (header->dimensionCount <= 0) return 0;
  int64_t count = 1;
  for (int32_t i = 0; i < header->dimensionCount; ++i) count *= header->sizes[i];
  return static_cast<int32_t>(count);
}

void EnsureHeapArray(void*& block, size_t elementSize) {
  if (!block || !CurrentPlatform().IsInProgramImage(block)) return;
  const auto* header = static_cast<const ArrayHeader*>(block);
  // Constant blocks hold 32-bit elements right after the header.
  size_t bytes = ArrayElementOffset(header->dimensionCount, elementSize < 4 ? 4 : elementSize) +
                 elementSize * static_cast<size_t>(ElementCount(block));
  void* copy = AllocateBlock(bytes);
  std::memcpy(copy, block, bytes);
  block = copy;
}

}  // namespace rc2e
