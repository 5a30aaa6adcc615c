// ValueArray<T>: a counted array in one heap block (dimension count, the size of each
// dimension, then the elements) with 1-based checked access; it owns its elements.
// A block may also be a constant inside the program image: it is copied to the heap
// before the first change (EnsureHeapArray) and is never freed.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <utility>

#include "runtime/fatal.h"
#include "runtime/heap.h"

namespace rc2e {

// Layout of the block's header; the elements follow at ElementOffset.
struct ArrayHeader {
  int32_t dimensionCount;
  int32_t sizes[1];  // dimensionCount entries
};

// Bytes from the start of a block to its first element, for a given dimension count.
constexpr size_t ArrayElementOffset(int32_t dimensionCount, size_t alignment) {
  size_t header = sizeof(int32_t) * (1 + static_cast<size_t>(dimensionCount > 0 ? dimensionCount : 0));
  return (header + alignment - 1) / alignment * alignment;
}

// The product of the dimension sizes; 0 for a null block or one without dimensions.
int32_t ElementCount(const void* block);

// Replaces a block that lies inside the program image by a heap copy of its header and
// its elements (element count times elementSize bytes); a heap block is left alone.
void EnsureHeapArray(void*& block, size_t elementSize);

// Element types must have all-zero bits as their empty state (integers, pointers, Text,
// unique_ptr), because new elements come zero-filled from the allocator.
template <class T>
class ValueArray {
 public:
  // construction
  ValueArray() = default;  // no block: 0 elements
  explicit ValueArray(int32_t count) { Redim({count}); }
  ValueArray(ValueArray&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
  ValueArray& operator=(ValueArray&& other) noexcept {
    if (this != &other) { Free(); block_ = std::exchange(other.block_, nullptr); }
    return *this;
  }
  ValueArray(const ValueArray&) = delete;
  ValueArray& operator=(const ValueArray&) = delete;
  ~ValueArray() { Free(); }
  // Wraps a constant block in the program image; it is copied on the first change.
  static ValueArray FromConstant(const void* constantBlock) {
    static_assert(std::is_trivially_copyable_v<T>);
    ValueArray a;
    a.block_ = const_cast<void*>(constantBlock);
    return a;
  }

  // inspection
  int32_t Count() const { return ElementCount(block_); }
  int32_t DimensionCount() const { return block_ ? Header()->dimensionCount : 0; }
  int32_t DimensionSize(int32_t dimension) const { return Header()->sizes[dimension - 1]; }
  const void* Block() const { return block_; }

  // 1-based checked access: below 1 is run-time error 4, above the count error 1.
  // The index is checked before the block is touched: an array without one has 0 elements.
  T& At(int32_t index) {
    int32_t offset = CheckedOffset(index);
    return Elements()[offset];
  }
  const T& At(int32_t index) const {
    int32_t offset = CheckedOffset(index);
    return Elements()[offset];
  }

  // Unchecked iteration over all elements in storage order.
  T* begin() { return block_ ? Elements() : nullptr; }
  T* end() { return block_ ? Elements() + Count() : nullptr; }
  const T* begin() const { return block_ ? Elements() : nullptr; }
  const T* end() const { return block_ ? Elements() + Count() : nullptr; }

  // operations
  // Re-lays the array as one dimension of count + 1 elements and stores value at the end.
  void Append(T value) {
    int32_t count = Count();
    MakeHeap();
    // A multi-dimensional block keeps its elements after a longer header; they move down
    // before the block is resized, since the new size may be smaller than the old one.
    int32_t oldDims = Header()->dimensionCount;
    if (oldDims > 1) {
      std::memmove(static_cast<char*>(block_) + ArrayElementOffset(1, alignof(T)),
                   static_cast<char*>(block_) + ArrayElementOffset(oldDims, alignof(T)),
                   sizeof(T) * count);
    }
    block_ = ReallocateBlock(block_, ArrayElementOffset(1, alignof(T)) + sizeof(T) * (count + 1));
    Header()->dimensionCount = 1;
    Header()->sizes[0] = count + 1;
    new (&Elements()[count]) T(std::move(value));
  }

  // New dimension sizes; every size must be at least 0 (error 10 otherwise). Elements
  // are kept in storage order up to the new count; new ones are zero.
  void Redim(std::initializer_list<int32_t> sizes) {
    int64_t count = 1;
    for (int32_t s : sizes) {
      if (s < 0) RaiseRuntimeError(kNegativeArraySize);
      count *= s;
    }
    if (sizes.size() == 0) count = 0;
    int32_t dims = static_cast<int32_t>(sizes.size());
    // A count beyond the 32-bit element count, or a block beyond the address space, cannot
    // be had: the same report as an allocation that fails.
    if (count > INT32_MAX ||
        static_cast<uint64_t>(count) > (SIZE_MAX - ArrayElementOffset(dims, alignof(T))) / sizeof(T)) {
      ReportFatal("内存不足", "error");
    }
    ValueArray fresh;
    fresh.block_ = AllocateBlock(ArrayElementOffset(dims, alignof(T)) + sizeof(T) * static_cast<size_t>(count));
    fresh.Header()->dimensionCount = dims;
    int32_t i = 0;
    for (int32_t s : sizes) fresh.Header()->sizes[i++] = s;
    int32_t keep = Count() < count ? Count() : static_cast<int32_t>(count);
    for (int32_t k = 0; k < keep; ++k) fresh.Elements()[k] = std::move(Elements()[k]);
    *this = std::move(fresh);
  }

  // Empties the array: one dimension of size 0.
  void Clear() { Redim({0}); }

 private:
  ArrayHeader* Header() const { return static_cast<ArrayHeader*>(block_); }
  T* Elements() const {
    return reinterpret_cast<T*>(static_cast<char*>(block_) + ArrayElementOffset(Header()->dimensionCount, alignof(T)));
  }
  int32_t CheckedOffset(int32_t index) const {
    if (index < 1) RaiseRuntimeError(kIndexBelowOne);
    if (index > Count()) RaiseRuntimeError(kIndexAboveCount);
    return index - 1;
  }
  void MakeHeap() {
    if (!block_) {
      block_ = AllocateBlock(ArrayElementOffset(1, alignof(T)));
      Header()->dimensionCount = 1;
      return;
    }
    EnsureHeapArray(block_, sizeof(T));
  }
  void Free() {
    if (!block_) return;
    if constexpr (!std::is_trivially_destructible_v<T>) {
      for (T& element : *this) element.~T();
    }
    FreeBlock(block_);
    block_ = nullptr;
  }

  void* block_ = nullptr;
};

// The content of a whole file: one dimension of bytes. No block stands for "no file".
using ByteBuffer = ValueArray<uint8_t>;

}  // namespace rc2e
