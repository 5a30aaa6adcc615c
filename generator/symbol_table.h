// SymbolTable: a hash table from a symbol (case-sensitive bytes) to one 32-bit value, for
// looking records and declarations up by name in linear total time. Does not copy names.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/value_array.h"

namespace rc2e {

class SymbolTable {
 public:
  // operations
  // Inserts the name, or replaces the value of a name already present. Empty names are
  // not stored. The table keeps the view: the name's bytes must outlive the table.
  void Assign(std::string_view name, int32_t value);

  // access
  std::optional<int32_t> Find(std::string_view name) const;
  int32_t Count() const { return used_; }

 private:
  struct Slot {
    std::string_view name;  // no data: free
    uint32_t hash;
    int32_t value;
  };

  static uint32_t Hash(std::string_view name);
  // The slot holding the name, or the free slot where it would go.
  int32_t SlotFor(std::string_view name, uint32_t hash) const;
  void Grow();

  ValueArray<Slot> slots_;  // a power of two in size, at most 3/4 full
  int32_t used_ = 0;
};

}  // namespace rc2e
