// Tests of HandleMap: placement on the probe sequence, growth only when full, duplicates,
// removal without markers, the listing operations, the fatal negative Init, registries.
#include "framework/handle_map.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ExitCodeOf;
using testing::RecordingPlatform;

std::vector<int32_t> Elements(const ValueArray<int32_t>& array) {
  return std::vector<int32_t>(array.begin(), array.end());
}

TEST(HandleMap, NewMapFindsNothingWithoutAllocating) {
  RecordingPlatform platform;
  platform.failAllocationsAbove = 1;  // any allocation would end the process
  HandleMap map;
  EXPECT_EQ(ExitCodeOf([&] {
              EXPECT_EQ(map.Find(5), 0);
              EXPECT_FALSE(map.HasZeroValue(5));
              EXPECT_FALSE(map.Remove(5));
            }),
            -1000);
  EXPECT_EQ(map.Capacity(), 0);
  EXPECT_EQ(map.Count(), 0);
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(HandleMap, FirstAddGivesTheFirstCapacityEvenForARefusedKey) {
  HandleMap map;
  EXPECT_FALSE(map.Add(0, 1, 2));
  EXPECT_EQ(map.Capacity(), 997);
  EXPECT_EQ(map.Count(), 0);
  EXPECT_EQ(map.Find(0), 0);
}

// Where keys land: home slot (|k| mod 997) + 1, then two slots on with wrap-around.
struct PlacementCase {
  const char* name;
  std::vector<int32_t> keys;  // added in order, values are their position + 100
  std::vector<int32_t> slots;  // expected slot of each key
};

class HandleMapPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(HandleMapPlacement, KeysLandOnTheirProbeSequence) {
  const PlacementCase& c = GetParam();
  HandleMap map;
  for (size_t i = 0; i < c.keys.size(); ++i) ASSERT_TRUE(map.Add(c.keys[i], static_cast<int32_t>(100 + i), 0));
  for (size_t i = 0; i < c.keys.size(); ++i) {
    const HandleMapEntry& entry = map.EntryAt(c.slots[i]);
    EXPECT_EQ(entry.key, c.keys[i]) << "key #" << i << " expected in slot " << c.slots[i];
    EXPECT_EQ(entry.value, static_cast<int32_t>(100 + i));
    EXPECT_EQ(map.Find(c.keys[i]), static_cast<int32_t>(100 + i));
  }
  EXPECT_EQ(map.Capacity(), 997);
  EXPECT_EQ(map.Count(), static_cast<int32_t>(c.keys.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HandleMapPlacement,
    ::testing::Values(PlacementCase{"HomeSlot", {1, 996, 0x7FFFFFFF}, {2, 997, 0x7FFFFFFF % 997 + 1}},
                      PlacementCase{"SharedHomeProbesTwoOn", {5, 1002, 1999}, {6, 8, 10}},
                      PlacementCase{"NegativeKeyByMagnitude", {-5, INT_MIN}, {6, static_cast<int32_t>(2147483648LL % 997) + 1}},
                      PlacementCase{"LastSlotTakenWrapsToSlotTwo", {996, 1993}, {997, 2}},
                      PlacementCase{"NextToLastTakenWrapsToSlotOne", {995, 1992}, {996, 1}}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

TEST(HandleMap, FillsWithoutGrowingAndGrowsOnlyWhenFull) {
  HandleMap map;
  for (int32_t key = 1; key <= 997; ++key) ASSERT_TRUE(map.Add(key, key * 10, key + 1));
  EXPECT_EQ(map.Capacity(), 997);
  EXPECT_EQ(map.Count(), 997);

  ASSERT_TRUE(map.Add(998, 9980, 999));
  EXPECT_EQ(map.Capacity(), 2021);
  EXPECT_EQ(map.Count(), 998);
  for (int32_t key = 1; key <= 998; ++key) {
    int32_t extra = 0;
    ASSERT_EQ(map.Find(key, &extra), key * 10) << key;
    ASSERT_EQ(extra, key + 1) << key;
  }
}

TEST(HandleMap, CapacitiesFollowNextCapacity) {
  HandleMap map;
  struct Case { int32_t n, next; };
  for (Case c : {Case{0, 43}, Case{42, 43}, Case{43, 47}, Case{1994, 2021}, Case{4042, 4073}, Case{8146, 8231},
                 Case{16462, 16553}}) {
    EXPECT_EQ(map.NextCapacity(c.n), c.next) << c.n;
  }
  map.Init();
  for (int32_t expected : {2021, 4073, 8231, 16553}) {
    ASSERT_TRUE(map.Grow());
    EXPECT_EQ(map.Capacity(), expected);
  }
}

TEST(HandleMap, SameKeyTwiceStoresTwoEntriesFirstFoundFirst) {
  HandleMap map;
  ASSERT_TRUE(map.Add(7, 1, 0));
  ASSERT_TRUE(map.Add(7, 2, 0));
  EXPECT_EQ(map.Count(), 2);
  EXPECT_EQ(map.Find(7), 1);
  EXPECT_TRUE(map.Remove(7));
  EXPECT_EQ(map.Find(7), 2);
  EXPECT_EQ(map.Count(), 1);
}

TEST(HandleMap, RemoveLeavesNoMarkerAndLaterKeysStayFindable) {
  HandleMap map;
  ASSERT_TRUE(map.Add(5, 50, 0));
  ASSERT_TRUE(map.Add(1002, 60, 0));
  EXPECT_TRUE(map.Remove(5));
  EXPECT_EQ(map.EntryAt(6).key, 0);
  EXPECT_EQ(map.EntryAt(6).value, 0);
  EXPECT_EQ(map.Find(5), 0);
  EXPECT_EQ(map.Find(1002), 60);  // stored beyond its cleared home slot
  EXPECT_FALSE(map.Remove(5));
  EXPECT_EQ(map.Count(), 1);
  // The freed slot is reused by the next key with that home.
  ASSERT_TRUE(map.Add(1999, 70, 0));
  EXPECT_EQ(map.EntryAt(6).key, 1999);
}

TEST(HandleMap, HasZeroValueOnlyForPresentZero) {
  HandleMap map;
  map.Add(3, 0, 9);
  map.Add(4, 1, 0);
  EXPECT_TRUE(map.HasZeroValue(3));
  EXPECT_FALSE(map.HasZeroValue(4));
  EXPECT_FALSE(map.HasZeroValue(5));
  int32_t extra = -1;
  EXPECT_EQ(map.Find(5, &extra), 0);
  EXPECT_EQ(extra, -1);  // untouched when absent
}

TEST(HandleMap, KeysAndValuesInSlotOrder) {
  HandleMap map;
  map.Add(1002, 20, 21);  // slot 6
  map.Add(3, 10, 11);     // slot 4
  map.Add(5, 30, 31);     // home 6 taken: slot 8
  ValueArray<int32_t> keys;
  ValueArray<int32_t> values;
  ValueArray<int32_t> extras;
  keys.Append(99);  // emptied first
  EXPECT_EQ(map.Keys(keys), 3);
  EXPECT_EQ(Elements(keys), (std::vector<int32_t>{3, 1002, 5}));
  EXPECT_EQ(map.Values(values, &extras), 3);
  EXPECT_EQ(Elements(values), (std::vector<int32_t>{10, 20, 30}));
  EXPECT_EQ(Elements(extras), (std::vector<int32_t>{11, 21, 31}));
}

TEST(HandleMap, ClearInitReleaseAndClone) {
  HandleMap map;
  map.Add(5, 50, 51);
  map.Add(6, 60, 61);

  std::unique_ptr<HandleMap> copy = map.Clone();
  map.Remove(5);
  EXPECT_EQ(copy->Find(5), 50);
  EXPECT_EQ(copy->Count(), 2);
  EXPECT_EQ(copy->Capacity(), 997);

  map.Clear();
  EXPECT_EQ(map.Count(), 0);
  EXPECT_EQ(map.Capacity(), 997);
  EXPECT_EQ(map.Find(6), 0);

  EXPECT_EQ(copy->Init(11), 11);
  EXPECT_EQ(copy->Count(), 2);  // Init is for an empty map and leaves count alone
  EXPECT_EQ(copy->Find(6), 0);

  copy->Release();
  EXPECT_EQ(copy->Capacity(), 0);
  EXPECT_EQ(copy->Count(), 0);
  EXPECT_TRUE(copy->Add(6, 1, 0));
  EXPECT_EQ(copy->Capacity(), 997);
}

TEST(HandleMap, SmallTableWrapsAndGrows) {
  HandleMap map;
  EXPECT_EQ(map.Init(3), 3);
  for (int32_t key : {3, 6, 9}) ASSERT_TRUE(map.Add(key, key, 0));  // all home slot 1
  EXPECT_EQ(map.EntryAt(1).key, 3);
  EXPECT_EQ(map.EntryAt(3).key, 6);
  EXPECT_EQ(map.EntryAt(2).key, 9);
  ASSERT_TRUE(map.Add(12, 12, 0));
  EXPECT_EQ(map.Capacity(), 43);
  for (int32_t key : {3, 6, 9, 12}) EXPECT_EQ(map.Find(key), key);
}

TEST(HandleMap, NegativeInitIsFatalError10) {
  RecordingPlatform platform;
  HandleMap map;
  EXPECT_EQ(ExitCodeOf([&] { map.Init(-1); }), 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].caption, "error");
  EXPECT_EQ(platform.boxes[0].text.rfind("program internal error number is 10.", 0), 0u) << platform.boxes[0].text;
}

// Add reaches Grow through the table: a map whose Grow refuses stays full.
class MapThatCannotGrow : public HandleMap {
 public:
  bool Grow() override { return false; }
};

TEST(HandleMap, AddOnAFullMapUsesTheReplacedGrow) {
  MapThatCannotGrow map;
  map.Init(3);
  for (int32_t key : {1, 2, 3}) ASSERT_TRUE(map.Add(key, key, 0));
  EXPECT_FALSE(map.Add(4, 4, 0));
  EXPECT_EQ(map.Capacity(), 3);
  EXPECT_EQ(map.Count(), 3);
}

TEST(HandleMap, RemoveAllWithValueClearsOnlyThatValue) {
  HandleMap map;
  map.Add(5, 42, 0);
  map.Add(5, 43, 0);
  map.Add(1002, 42, 0);
  EXPECT_EQ(map.RemoveAllWithValue(42), 2);
  EXPECT_EQ(map.Find(5), 43);
  EXPECT_EQ(map.Find(1002), 0);
  EXPECT_EQ(map.Count(), 1);
}

TEST(Registries, CreatedEmptyAndDestroyed) {
  CreateRegistries();
  for (HandleMap* registry : {WindowRegistry(), TooltipOwnerMap(), MessageHookMap(), ControlCallbackMap()}) {
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->Count(), 0);
    EXPECT_EQ(registry->Capacity(), 0);
  }
  EXPECT_TRUE(WindowRegistry()->Add(77, 1, 0));
  DestroyRegistries();
  EXPECT_EQ(WindowRegistry(), nullptr);
  EXPECT_EQ(ControlCallbackMap(), nullptr);
  CreateRegistries();
  EXPECT_EQ(WindowRegistry()->Find(77), 0);
  DestroyRegistries();
}

}  // namespace
}  // namespace rc2e
