// Fatal reports (texts, caption, icon, hooks, exit code), heap exhaustion, tolerant
// freeing and the copy-on-change of constant arrays, watched through RecordingPlatform.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "runtime/fatal.h"
#include "runtime/heap.h"
#include "runtime/value_array.h"
#include "tests/runtime/runtime_test_support.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ExitCodeOf;
using testing::RecordingPlatform;
using testing::SavedExitHooks;

std::vector<int> hookCalls;
void ProgramHook() { hookCalls.push_back(0); }
void FilesHook() { hookCalls.push_back(1); }
void ReservedHook() { hookCalls.push_back(2); }
void LibrariesHook() { hookCalls.push_back(3); }

class FatalReport : public ::testing::Test {
 protected:
  void SetUp() override { hookCalls.clear(); }
  SavedExitHooks savedHooks;
  RecordingPlatform platform;
};

struct ErrorCase {
  int number;
  const char* text;
};

TEST_F(FatalReport, RuntimeErrorShowsNumberAndMessage) {
  const ErrorCase cases[] = {
      {4, "program internal error number is 4. \r\n数组成员引用下标必须大于等于1"},
      {1, "program internal error number is 1. \r\n数组成员引用下标超出定义范围"},
      {6, "program internal error number is 6. \r\n调用DLL命令后发现堆栈错误，通常是DLL参数数目不正确"},
      {9, "program internal error number is 9. \r\n“多项选择”命令的索引值参数小于零或超出了所提供参数表范围"},
      {10, "program internal error number is 10. \r\n“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零"},
      {11, "program internal error number is 11. \r\n所提供参数的数据类型不符合要求"},
      {12, "program internal error number is 12. \r\n"},
  };
  for (const ErrorCase& c : cases) {
    platform.boxes.clear();
    EXPECT_EQ(ExitCodeOf([&] { RaiseRuntimeError(c.number); }), 0) << c.number;
    ASSERT_EQ(platform.boxes.size(), 1u) << c.number;
    EXPECT_EQ(platform.boxes[0].text, c.text);
    EXPECT_EQ(platform.boxes[0].caption, "error");
    EXPECT_EQ(platform.boxes[0].flags, kMessageBoxIconError);
  }
}

TEST_F(FatalReport, ExitRunsEachSetHookOnceInSlotOrder) {
  SetExitHook(ExitHookSlot::Libraries, LibrariesHook);
  SetExitHook(ExitHookSlot::Reserved, ReservedHook);
  SetExitHook(ExitHookSlot::Files, FilesHook);
  SetExitHook(ExitHookSlot::Program, ProgramHook);
  EXPECT_EQ(ExitCodeOf([] { RaiseRuntimeError(kIndexBelowOne); }), 0);
  EXPECT_EQ(hookCalls, (std::vector<int>{0, 1, 2, 3}));

  hookCalls.clear();
  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
  EXPECT_TRUE(hookCalls.empty()) << "hooks ran a second time";
}

TEST_F(FatalReport, UnsetHooksAreSkipped) {
  SetExitHook(ExitHookSlot::Program, nullptr);
  SetExitHook(ExitHookSlot::Files, FilesHook);
  SetExitHook(ExitHookSlot::Reserved, nullptr);
  SetExitHook(ExitHookSlot::Libraries, LibrariesHook);
  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
  EXPECT_EQ(hookCalls, (std::vector<int>{1, 3}));
  EXPECT_TRUE(platform.boxes.empty());
}

void FailingHook() {
  hookCalls.push_back(0);
  RaiseRuntimeError(kIndexAboveCount);
}

TEST_F(FatalReport, FatalErrorInsideAHookDoesNotRunItAgain) {
  SetExitHook(ExitHookSlot::Program, FailingHook);
  SetExitHook(ExitHookSlot::Files, FilesHook);
  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
  EXPECT_EQ(hookCalls.front(), 0);
  EXPECT_EQ(std::count(hookCalls.begin(), hookCalls.end(), 0), 1);
  EXPECT_EQ(platform.boxes.size(), 1u);
}

TEST_F(FatalReport, ExhaustedHeapReportsOutOfMemory) {
  platform.failAllocationsAbove = 1 << 20;
  void* grown = AllocateBlock(16);
  struct Case {
    const char* what;
    std::function<void()> call;
  } cases[] = {
      {"allocate", [] { AllocateBlock(2u << 20); }},
      {"reallocate", [&] { grown = ReallocateBlock(grown, 2u << 20); }},
      {"reallocate null", [] { ReallocateBlock(nullptr, 2u << 20); }},
  };
  for (const Case& c : cases) {
    platform.boxes.clear();
    EXPECT_EQ(ExitCodeOf(c.call), 0) << c.what;
    ASSERT_EQ(platform.boxes.size(), 1u) << c.what;
    EXPECT_EQ(platform.boxes[0].text, "内存不足");
    EXPECT_EQ(platform.boxes[0].caption, "error");
    EXPECT_EQ(platform.boxes[0].flags, kMessageBoxIconError);
  }
  FreeBlock(grown);
}

TEST(Heap, BlocksAreZeroFilledAndGrowKeepingContent) {
  auto* block = static_cast<unsigned char*>(AllocateBlock(64));
  for (int i = 0; i < 64; ++i) ASSERT_EQ(block[i], 0) << i;
  block[63] = 0x5A;
  block = static_cast<unsigned char*>(ReallocateBlock(block, 4096));
  EXPECT_EQ(block[63], 0x5A);
  FreeBlock(block);
}

TEST(Heap, FreeBlockIgnoresWhatIsNotAHeapBlock) {
  RecordingPlatform platform;
  static const char kLiteral[] = "literal text";
  const void* addresses[] = {nullptr, reinterpret_cast<const void*>(0xFFFF), kLiteral, "another literal",
                             testing::UnreadableAddress()};
  for (const void* address : addresses) FreeBlock(address);
  EXPECT_EQ(platform.releases, 0);
  EXPECT_STREQ(kLiteral, "literal text");

  FreeBlock(AllocateBlock(8));
  EXPECT_EQ(platform.releases, 1);
}

// Constant blocks as the program image holds them: dimension count, sizes, elements.
const int32_t kConstantList[] = {1, 3, 10, 20, 30};
const int32_t kConstantEmpty[] = {1, 0};

TEST(ValueArrayConstant, AppendCopiesTheConstantAndLeavesItUnchanged) {
  struct Case {
    const int32_t* constant;
    size_t words;
    std::vector<int32_t> after;
  } cases[] = {
      {kConstantList, 5, {10, 20, 30, 40}},
      {kConstantEmpty, 2, {40}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> before(c.constant, c.constant + c.words);
    for (int use = 0; use < 2; ++use) {
      auto array = ValueArray<int32_t>::FromConstant(c.constant);
      array.Append(40);
      EXPECT_NE(array.Block(), c.constant);
      EXPECT_EQ(std::vector<int32_t>(array.begin(), array.end()), c.after);
      EXPECT_EQ(std::vector<int32_t>(c.constant, c.constant + c.words), before);
    }
  }
}

TEST(ValueArrayConstant, EnsureHeapArrayLeavesAHeapBlockAlone) {
  ValueArray<int32_t> array(2);
  void* block = const_cast<void*>(array.Block());
  void* same = block;
  EnsureHeapArray(same, sizeof(int32_t));
  EXPECT_EQ(same, block);
}

TEST(ValueArrayIndex, OutOfRangeIndicesRaiseTheirErrors) {
  SavedExitHooks savedHooks;
  RecordingPlatform platform;
  ValueArray<int32_t> three(3);
  ValueArray<int32_t> none;
  struct Case {
    const ValueArray<int32_t>* array;
    int32_t index;
    int expectedError;  // 0: no error
  } cases[] = {
      {&three, 0, 4}, {&three, -1, 4}, {&three, 4, 1}, {&three, 1, 0}, {&three, 3, 0}, {&none, 1, 1}, {&none, 0, 4},
  };
  for (const Case& c : cases) {
    platform.boxes.clear();
    int code = ExitCodeOf([&] { (void)c.array->At(c.index); });
    if (c.expectedError == 0) {
      EXPECT_EQ(code, -1000) << c.index;
      continue;
    }
    EXPECT_EQ(code, 0) << c.index;
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "program internal error number is " + std::to_string(c.expectedError) +
                                          ". \r\n" + RuntimeErrorMessage(c.expectedError));
  }
}

TEST(ValueArrayIndex, NegativeSizeRaisesError10) {
  SavedExitHooks savedHooks;
  RecordingPlatform platform;
  ValueArray<int32_t> array;
  EXPECT_EQ(ExitCodeOf([&] { array.Redim({2, -1}); }), 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text.rfind("program internal error number is 10. \r\n", 0), 0u);
}

TEST(ValueArrayIndex, SizesWhoseProductPassesTheElementCountAreExhaustedMemory) {
  SavedExitHooks savedHooks;
  RecordingPlatform platform;
  ValueArray<Text> array;
  const std::initializer_list<int32_t> shapes[] = {{65536, 65536}, {46341, 46341}, {2, INT32_MAX}};
  for (std::initializer_list<int32_t> shape : shapes) {
    platform.boxes.clear();
    EXPECT_EQ(ExitCodeOf([&] { array.Redim(shape); }), 0);
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "内存不足");
    EXPECT_EQ(platform.boxes[0].caption, "error");
    EXPECT_EQ(array.Count(), 0);
  }
}

TEST(ValueArrayLayout, AppendRelaysAMultiDimensionalArrayAsOneDimension) {
  // With three or more dimensions the one-dimensional block is smaller than the old one.
  const std::initializer_list<int32_t> shapes[] = {{2, 3}, {1, 2, 3}, {3, 1, 1, 2}};
  for (std::initializer_list<int32_t> shape : shapes) {
    ValueArray<int32_t> grid;
    grid.Redim(shape);
    std::vector<int32_t> expected;
    for (int32_t i = 1; i <= grid.Count(); ++i) expected.push_back(grid.At(i) = i * 10);
    expected.push_back(7);
    grid.Append(7);
    EXPECT_EQ(grid.DimensionCount(), 1);
    EXPECT_EQ(std::vector<int32_t>(grid.begin(), grid.end()), expected) << shape.size() << " dimensions";
  }
}

}  // namespace
}  // namespace rc2e
