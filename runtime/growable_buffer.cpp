// GrowableBuffer on the platform heap; a failed enlargement is the "内存不足" report.
// The buffer never zero-fills: callers write every byte they count as used.
#include "runtime/growable_buffer.h"

#include <cstring>

#include "runtime/fatal.h"
#include "runtime/platform.h"

namespace rc2e {

constexpr size_t kSlack = 128;
constexpr size_t kKeepLimit = 256;

void GrowableBuffer::Resize(size_t capacity) {
  Platform& platform = CurrentPlatform();
  void* block = block_ ? platform.Reallocate(block_, capacity) : platform.Allocate(capacity);
  if (!block) ReportFatal("内存不足", "error");
  block_ = static_cast<uint8_t*>(block);
  capacity_ = capacity;
}

void GrowableBuffer::MakeRoom(size_t n) {
  if (n == 0) {
    Free();
    return;
  }
  if (!block_ || capacity_ < n || capacity_ - n > kKeepLimit) Resize(n + kSlack);
  used_ = n;
}

void GrowableBuffer::Append(const void* bytes, size_t count) {
  if (count == 0) return;
  size_t needed = used_ + count;
  if (!block_ || capacity_ < needed) {
    size_t doubled = capacity_ * 2;
    Resize(doubled > needed + kSlack ? doubled : needed + kSlack);
  }
  std::memcpy(block_ + used_, bytes, count);
  used_ = needed;
}

void GrowableBuffer::Free() {
  if (block_) CurrentPlatform().Release(block_);
  block_ = nullptr;
  capacity_ = 0;
  used_ = 0;
}

}  // namespace rc2e
