// HandleMap: open-addressing table from a nonzero 32-bit key to a value and an extra word,
// and the four program-wide registries. No Win32 here; keys are window handles elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "runtime/heap.h"
#include "runtime/value_array.h"

namespace rc2e {

// One slot's record; key 0 marks an empty slot.
struct HandleMapEntry {
  int32_t key;
  int32_t value;
  int32_t extra;
};

struct HandleMapEntryRelease {
  void operator()(HandleMapEntry* entry) const { FreeBlock(entry); }
};
using HandleMapEntryPtr = std::unique_ptr<HandleMapEntry, HandleMapEntryRelease>;

inline constexpr int32_t kHandleMapFirstCapacity = 997;

// Keys and values are 32-bit words: handles and object addresses go in as their bits.
inline int32_t HandleKey(const void* handle) {
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(handle));
}

class HandleMap {
 public:
  // construction
  HandleMap() = default;  // empty slot array, capacity 0, count 0; allocates nothing
  HandleMap(const HandleMap&) = delete;
  HandleMap& operator=(const HandleMap&) = delete;
  virtual ~HandleMap() = default;

  // operations, in table order
  // slot 0: frees every entry record and the slot array.
  virtual void Destroy();
  // slot 1: a new map with the same capacity, count and a copy of every entry.
  virtual std::unique_ptr<HandleMap> Clone() const;
  // slot 2: capacity 997 when omitted; a negative capacity is fatal run-time error 10.
  // Replaces the slots by empty ones and returns the new capacity; count is left alone.
  virtual int32_t Init(std::optional<int32_t> newCapacity = std::nullopt);
  // slot 3: no slots, capacity 0, count 0.
  virtual void Release();
  // slot 4: smallest k*k + k + 41 (k >= 1) greater than n.
  virtual int32_t NextCapacity(int32_t n);
  // slot 5: false for key 0 (or when growing fails); duplicates are stored again.
  virtual bool Add(int32_t key, int32_t value, int32_t extra);
  // slot 6: rehashes into NextCapacity(2 * capacity) slots.
  virtual bool Grow();
  // slot 7: the value of the first entry for key in probe order, 0 when absent; writes
  // the entry's extra through extra when that is given and the key is found.
  virtual int32_t Find(int32_t key, int32_t* extra = nullptr);
  // slot 8: clears the first entry for key; false when absent.
  virtual bool Remove(int32_t key);
  // slot 9: capacity empty slots, count 0.
  virtual void Clear();
  // slot 10
  virtual int32_t Count();
  // slot 11
  virtual int32_t Capacity();
  // slot 12: values (and extras when given) of the occupied slots in slot order.
  virtual int32_t Values(ValueArray<int32_t>& values, ValueArray<int32_t>* extras = nullptr);
  // slot 13: keys of the occupied slots in slot order.
  virtual int32_t Keys(ValueArray<int32_t>& keys);
  // slot 14: true when key is present with value 0.
  virtual bool HasZeroValue(int32_t key);

  // beyond the table
  // Clears every entry whose value is value; the number cleared. Used when a window
  // object's record ends, so no entry keeps the address of a freed object.
  int32_t RemoveAllWithValue(int32_t value);
  // Slot number (1-based) holding the first entry for key, 0 when absent.
  int32_t SlotOf(int32_t key) const;
  // The entry in a slot (1-based), for inspection.
  const HandleMapEntry& EntryAt(int32_t slot) const { return *slots.At(slot); }

 private:
  // Home slot (|key| mod size) + 1; the probe then moves two slots on with wrap-around.
  static int32_t HomeSlot(int32_t key, int32_t size);
  static int32_t NextSlot(int32_t slot, int32_t size) { return ((slot + 1) % size) + 1; }
  static ValueArray<HandleMapEntryPtr> EmptySlots(int32_t size);
  // First free slot on key's probe sequence in table, 0 when the table is full.
  static int32_t FreeSlotFor(const ValueArray<HandleMapEntryPtr>& table, int32_t size, int32_t key);

  // members, in order
  ValueArray<HandleMapEntryPtr> slots;
  int32_t capacity = 0;
  int32_t count = 0;
  // Set once an entry has been cleared since the slots were last laid out. Until then an
  // empty slot on a key's probe sequence proves the key absent, so a miss stops there.
  bool clearedSinceLayout = false;
};

// The program-wide registries (window handle → object, tooltip id → control, window
// handle → message hook, control handle → control callback). Created in that order by
// CreateRegistries and destroyed in that order by DestroyRegistries; null outside.
void CreateRegistries();
void DestroyRegistries();
HandleMap* WindowRegistry();
HandleMap* TooltipOwnerMap();
HandleMap* MessageHookMap();
HandleMap* ControlCallbackMap();

}  // namespace rc2e
