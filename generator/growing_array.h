// GrowingArray<T>: a ValueArray filled by appending, its capacity doubled as it fills, so
// n appends cost O(n); Finish hands over a ValueArray of exactly the appended elements.
#pragma once

#include <cstdint>
#include <utility>

#include "runtime/fatal.h"
#include "runtime/value_array.h"

namespace rc2e {

template <class T>
class GrowingArray {
 public:
  // operations
  void Append(T value) {
    if (used_ == items_.Count()) items_.Redim({used_ < 8 ? 8 : used_ * 2});
    items_.At(++used_) = std::move(value);
  }
  // The appended elements, in order; the array starts again empty.
  ValueArray<T> Finish() {
    items_.Redim({used_});
    used_ = 0;
    return std::move(items_);
  }

  // access
  int32_t Count() const { return used_; }
  T& At(int32_t index) {
    if (index > used_) RaiseRuntimeError(kIndexAboveCount);
    return items_.At(index);
  }
  T& Last() { return At(used_); }
  void RemoveLast() {
    if (used_ > 0) items_.At(used_--) = T();
  }

 private:
  ValueArray<T> items_;
  int32_t used_ = 0;
};

}  // namespace rc2e
