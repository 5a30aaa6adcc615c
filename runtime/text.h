// Text: an owning heap block holding a NUL-terminated ANSI string; null is the empty text.
// Byte-oriented; the double-byte stepping rules live in the text services, not here.
#pragma once

#include <cstddef>
#include <string_view>

namespace rc2e {

class Text {
 public:
  // construction
  Text() = default;  // null, the empty text
  Text(Text&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  Text& operator=(Text&& other) noexcept;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text();

  // A new block with a copy of the bytes; null when there are none.
  static Text Copy(std::string_view bytes);
  static Text Copy(const char* nulTerminated);  // null pointer gives null
  // An allocated empty text: not null, for the operations whose Part says so.
  static Text AllocatedEmpty();
  // A block of length bytes (plus the NUL), zero-filled, to be written by the caller.
  static Text WithLength(size_t length);
  // Takes ownership of a block that came from AllocateBlock.
  static Text Adopt(char* block) { Text t; t.block_ = block; return t; }

  // operations
  Text Clone() const { return block_ ? Copy(std::string_view(block_)) : Text(); }
  char* Release() { char* b = block_; block_ = nullptr; return b; }
  void Reset() { *this = Text(); }

  // access
  bool IsNull() const { return block_ == nullptr; }
  bool IsEmpty() const { return !block_ || block_[0] == '\0'; }
  size_t Length() const;
  const char* c_str() const { return block_ ? block_ : ""; }
  char* data() { return block_; }  // null for the null text
  const char* address() const { return block_; }  // the block itself, possibly null
  std::string_view view() const { return block_ ? std::string_view(block_) : std::string_view(); }
  operator std::string_view() const { return view(); }

 private:
  char* block_ = nullptr;
};

}  // namespace rc2e
