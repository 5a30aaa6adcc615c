// Heap blocks through the platform seam; the exhaustion report is the one fatal path.
#include "runtime/heap.h"

#include <cstdint>

#include "runtime/fatal.h"
#include "runtime/platform.h"

namespace rc2e {

void* AllocateBlock(size_t bytes) {
  void* block = CurrentPlatform().Allocate(bytes);
  if (!block) ReportFatal("内存不足", "error");
  return block;
}

void* ReallocateBlock(void* block, size_t bytes) {
  if (!block) return AllocateBlock(bytes);
  void* resized = CurrentPlatform().Reallocate(block, bytes);
  if (!resized) ReportFatal("内存不足", "error");
  return resized;
}

void FreeBlock(const void* block) {
  if (reinterpret_cast<uintptr_t>(block) <= 0xFFFF) return;
  Platform& platform = CurrentPlatform();
  if (platform.IsInProgramImage(block)) return;
  if (!platform.IsReadable(block, 8)) return;
  platform.Release(const_cast<void*>(block));
}

}  // namespace rc2e
