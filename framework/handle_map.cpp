// HandleMap operations and the four program-wide registries.
// Entries live in run-time heap blocks; nothing here knows what the keys stand for.
#include "framework/handle_map.h"

#include <cstdlib>

#include "runtime/fatal.h"

namespace rc2e {

namespace {

HandleMapEntryPtr NewEntry() {
  return HandleMapEntryPtr(static_cast<HandleMapEntry*>(AllocateBlock(sizeof(HandleMapEntry))));
}

}  // namespace

int32_t HandleMap::HomeSlot(int32_t key, int32_t size) {
  uint64_t magnitude = key < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(key)) : static_cast<uint64_t>(key);
  return static_cast<int32_t>(magnitude % static_cast<uint64_t>(size)) + 1;
}

ValueArray<HandleMapEntryPtr> HandleMap::EmptySlots(int32_t size) {
  ValueArray<HandleMapEntryPtr> table(size);
  for (HandleMapEntryPtr& slot : table) slot = NewEntry();
  return table;
}

int32_t HandleMap::FreeSlotFor(const ValueArray<HandleMapEntryPtr>& table, int32_t size, int32_t key) {
  int32_t home = HomeSlot(key, size);
  int32_t slot = home;
  do {
    if (table.At(slot)->key == 0) return slot;
    slot = NextSlot(slot, size);
  } while (slot != home);
  return 0;
}

void HandleMap::Destroy() {
  slots = ValueArray<HandleMapEntryPtr>();
  capacity = 0;
  count = 0;
  clearedSinceLayout = false;
}

std::unique_ptr<HandleMap> HandleMap::Clone() const {
  auto copy = std::make_unique<HandleMap>();
  copy->slots = ValueArray<HandleMapEntryPtr>(capacity);
  for (int32_t slot = 1; slot <= capacity; ++slot) {
    HandleMapEntryPtr entry = NewEntry();
    *entry = *slots.At(slot);
    copy->slots.At(slot) = std::move(entry);
  }
  copy->capacity = capacity;
  copy->count = count;
  copy->clearedSinceLayout = clearedSinceLayout;
  return copy;
}

int32_t HandleMap::Init(std::optional<int32_t> newCapacity) {
  int32_t size = newCapacity.value_or(kHandleMapFirstCapacity);
  if (size < 0) RaiseRuntimeError(kNegativeArraySize);
  slots = EmptySlots(size);
  capacity = size;
  clearedSinceLayout = false;
  return capacity;
}

void HandleMap::Release() {
  slots = ValueArray<HandleMapEntryPtr>(0);
  capacity = 0;
  count = 0;
  clearedSinceLayout = false;
}

int32_t HandleMap::NextCapacity(int32_t n) {
  for (int64_t k = 1;; ++k) {
    int64_t candidate = k * k + k + 41;
    if (candidate > n) return static_cast<int32_t>(candidate);
  }
}

bool HandleMap::Add(int32_t key, int32_t value, int32_t extra) {
  if (capacity == 0) Init(kHandleMapFirstCapacity);
  if (key == 0) return false;
  int32_t slot = FreeSlotFor(slots, capacity, key);
  if (slot != 0) {
    *slots.At(slot) = {key, value, extra};
    ++count;
    return true;
  }
  if (!Grow()) return false;
  return Add(key, value, extra);
}

bool HandleMap::Grow() {
  int32_t grown = NextCapacity(2 * capacity);
  ValueArray<HandleMapEntryPtr> table = EmptySlots(grown);
  for (int32_t slot = 1; slot <= capacity; ++slot) {
    const HandleMapEntry& entry = *slots.At(slot);
    if (entry.key == 0) continue;
    int32_t target = FreeSlotFor(table, grown, entry.key);
    if (target == 0) return false;
    *table.At(target) = entry;
  }
  slots = std::move(table);
  capacity = grown;
  clearedSinceLayout = false;
  return true;
}

int32_t HandleMap::SlotOf(int32_t key) const {
  if (capacity == 0 || key == 0) return 0;
  // A cleared slot leaves no marker, so after a removal an empty slot does not end the
  // search; before any, every key sits before the first empty slot of its sequence.
  int32_t home = HomeSlot(key, capacity);
  int32_t slot = home;
  do {
    int32_t stored = slots.At(slot)->key;
    if (stored == key) return slot;
    if (stored == 0 && !clearedSinceLayout) return 0;
    slot = NextSlot(slot, capacity);
  } while (slot != home);
  return 0;
}

int32_t HandleMap::Find(int32_t key, int32_t* extra) {
  int32_t slot = SlotOf(key);
  if (slot == 0) return 0;
  const HandleMapEntry& entry = *slots.At(slot);
  if (extra) *extra = entry.extra;
  return entry.value;
}

bool HandleMap::Remove(int32_t key) {
  int32_t slot = SlotOf(key);
  if (slot == 0) return false;
  *slots.At(slot) = {0, 0, 0};
  --count;
  clearedSinceLayout = true;
  return true;
}

void HandleMap::Clear() {
  slots = EmptySlots(capacity);
  count = 0;
  clearedSinceLayout = false;
}

int32_t HandleMap::Count() { return count; }

int32_t HandleMap::Capacity() { return capacity; }

int32_t HandleMap::Values(ValueArray<int32_t>& values, ValueArray<int32_t>* extras) {
  values.Clear();
  if (extras) extras->Clear();
  for (int32_t slot = 1; slot <= capacity; ++slot) {
    const HandleMapEntry& entry = *slots.At(slot);
    if (entry.key == 0) continue;
    values.Append(entry.value);
    if (extras) extras->Append(entry.extra);
  }
  return values.Count();
}

int32_t HandleMap::Keys(ValueArray<int32_t>& keys) {
  keys.Clear();
  for (int32_t slot = 1; slot <= capacity; ++slot) {
    const HandleMapEntry& entry = *slots.At(slot);
    if (entry.key != 0) keys.Append(entry.key);
  }
  return keys.Count();
}

bool HandleMap::HasZeroValue(int32_t key) {
  int32_t slot = SlotOf(key);
  return slot != 0 && slots.At(slot)->value == 0;
}

int32_t HandleMap::RemoveAllWithValue(int32_t value) {
  int32_t removed = 0;
  for (int32_t slot = 1; slot <= capacity; ++slot) {
    HandleMapEntry& entry = *slots.At(slot);
    if (entry.key != 0 && entry.value == value) {
      entry = {0, 0, 0};
      --count;
      ++removed;
      clearedSinceLayout = true;
    }
  }
  return removed;
}

// The registries: created and destroyed in this order.
namespace {

std::unique_ptr<HandleMap> windowRegistry;
std::unique_ptr<HandleMap> tooltipOwnerMap;
std::unique_ptr<HandleMap> messageHookMap;
std::unique_ptr<HandleMap> controlCallbackMap;

void DestroyRegistry(std::unique_ptr<HandleMap>& registry) {
  if (!registry) return;
  registry->Destroy();
  registry.reset();
}

}  // namespace

void CreateRegistries() {
  if (!windowRegistry) windowRegistry = std::make_unique<HandleMap>();
  if (!tooltipOwnerMap) tooltipOwnerMap = std::make_unique<HandleMap>();
  if (!messageHookMap) messageHookMap = std::make_unique<HandleMap>();
  if (!controlCallbackMap) controlCallbackMap = std::make_unique<HandleMap>();
}

void DestroyRegistries() {
  DestroyRegistry(windowRegistry);
  DestroyRegistry(tooltipOwnerMap);
  DestroyRegistry(messageHookMap);
  DestroyRegistry(controlCallbackMap);
}

HandleMap* WindowRegistry() { return windowRegistry.get(); }
HandleMap* TooltipOwnerMap() { return tooltipOwnerMap.get(); }
HandleMap* MessageHookMap() { return messageHookMap.get(); }
HandleMap* ControlCallbackMap() { return controlCallbackMap.get(); }

}  // namespace rc2e
