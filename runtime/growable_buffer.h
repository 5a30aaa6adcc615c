// GrowableBuffer: a heap byte buffer that collects values of a running operation (the
// member addresses of SplitText, the bytes of ToHalfWidth). Not an owning container of
// what the bytes point to.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rc2e {

class GrowableBuffer {
 public:
  // construction
  GrowableBuffer() = default;
  GrowableBuffer(const GrowableBuffer&) = delete;
  GrowableBuffer& operator=(const GrowableBuffer&) = delete;
  ~GrowableBuffer() { Free(); }

  // operations
  // Sets the used count to n: no block and n = 0 gives nothing; n = 0 frees the block; a
  // capacity of n up to n + 256 is kept; any other is resized to n + 128 bytes.
  void MakeRoom(size_t n);
  // Appends at the used end; capacity grows geometrically so that a long run of appends
  // stays linear. Exhaustion is reported like AllocateBlock.
  void Append(const void* bytes, size_t count);
  template <class T>
  void AppendValue(const T& value) {
    Append(&value, sizeof value);
  }
  void Free();

  // access
  uint8_t* data() { return block_; }
  const uint8_t* data() const { return block_; }
  size_t size() const { return used_; }
  size_t capacity() const { return capacity_; }

 private:
  void Resize(size_t capacity);

  uint8_t* block_ = nullptr;
  size_t capacity_ = 0;
  size_t used_ = 0;
};

}  // namespace rc2e
