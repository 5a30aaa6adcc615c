// Ownership of Text blocks; every block comes from AllocateBlock and goes to FreeBlock.
#include "runtime/text.h"

#include <cstring>

#include "runtime/heap.h"

namespace rc2e {

Text& Text::operator=(Text&& other) noexcept {
  if (this != &other) {
    FreeBlock(block_);
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

Text::~Text() { FreeBlock(block_); }

Text Text::Copy(std::string_view bytes) {
  if (bytes.empty()) return Text();
  Text t = WithLength(bytes.size());
  std::memcpy(t.block_, bytes.data(), bytes.size());
  return t;
}

Text Text::Copy(const char* nulTerminated) {
  if (!nulTerminated) return Text();
  return Copy(std::string_view(nulTerminated));
}

Text Text::AllocatedEmpty() { return WithLength(0); }

Text Text::WithLength(size_t length) {
  Text t;
  t.block_ = static_cast<char*>(AllocateBlock(length + 1));
  return t;
}

size_t Text::Length() const { return block_ ? std::strlen(block_) : 0; }

}  // namespace rc2e
