// Open-addressing symbol table with linear probing (see the header).
// No removal: the generator only ever adds or replaces names during one run.
#include "generator/symbol_table.h"

#include <utility>

namespace rc2e {

uint32_t SymbolTable::Hash(std::string_view name) {
  uint32_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  return hash;
}

int32_t SymbolTable::SlotFor(std::string_view name, uint32_t hash) const {
  uint32_t mask = static_cast<uint32_t>(slots_.Count()) - 1;
  for (uint32_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_.At(static_cast<int32_t>(i) + 1);
    if (slot.name.data() == nullptr || (slot.hash == hash && slot.name == name)) return static_cast<int32_t>(i) + 1;
  }
}

void SymbolTable::Grow() {
  ValueArray<Slot> old = std::move(slots_);
  slots_ = ValueArray<Slot>(old.Count() == 0 ? 64 : old.Count() * 2);
  for (Slot& slot : old) {
    if (slot.name.data() == nullptr) continue;
    Slot& target = slots_.At(SlotFor(slot.name, slot.hash));
    target = std::move(slot);
  }
}

void SymbolTable::Assign(std::string_view name, int32_t value) {
  if (name.empty()) return;
  if ((used_ + 1) * 4 > slots_.Count() * 3) Grow();
  uint32_t hash = Hash(name);
  Slot& slot = slots_.At(SlotFor(name, hash));
  if (slot.name.data() == nullptr) {
    slot.name = name;
    slot.hash = hash;
    ++used_;
  }
  slot.value = value;
}

std::optional<int32_t> SymbolTable::Find(std::string_view name) const {
  if (name.empty() || used_ == 0) return std::nullopt;
  const Slot& slot = slots_.At(SlotFor(name, Hash(name)));
  if (slot.name.data() == nullptr) return std::nullopt;
  return slot.value;
}

}  // namespace rc2e
