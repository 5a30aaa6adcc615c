// Heap blocks of the whole system: zero-filled allocation that never returns null
// (exhaustion is reported and ends the process) and a tolerant free.
#pragma once

#include <cstddef>

namespace rc2e {

// Zero-filled block; on exhaustion shows "内存不足" and ends through ExitProgram(0).
void* AllocateBlock(size_t bytes);
// Null is allocated as by AllocateBlock; otherwise resized, added bytes not zero-filled.
void* ReallocateBlock(void* block, size_t bytes);
// Ignores null, addresses up to 0xFFFF, addresses inside the program image and
// unreadable addresses; frees every other block.
void FreeBlock(const void* block);

}  // namespace rc2e
