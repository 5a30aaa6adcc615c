// The host platform seam: program image range, readability probe, loading a library by
// its ".dll" name beside the executable, the clipboard service, and platform replacement.
#include <gtest/gtest.h>

#include <string>

#include "runtime/clipboard.h"
#include "runtime/heap.h"
#include "runtime/platform.h"
#include "tests/runtime/runtime_test_support.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

TEST(HostPlatform, ImageRangeHoldsLiteralsButNoHeapOrStack) {
  Platform& platform = CurrentPlatform();
  static const char kConstant[] = "constant";
  int onStack = 0;
  void* block = AllocateBlock(16);
  EXPECT_TRUE(platform.IsInProgramImage("literal"));
  EXPECT_TRUE(platform.IsInProgramImage(kConstant));
  EXPECT_FALSE(platform.IsInProgramImage(block));
  EXPECT_FALSE(platform.IsInProgramImage(&onStack));
  EXPECT_FALSE(platform.IsInProgramImage(nullptr));
  EXPECT_TRUE(platform.IsReadable(block, 8));
  EXPECT_TRUE(platform.IsReadable(kConstant, 8));
  EXPECT_FALSE(platform.IsReadable(testing::UnreadableAddress(), 8));
  FreeBlock(block);
}

TEST(HostPlatform, LoadsALibraryByItsDllNameBesideTheExecutable) {
  Platform& platform = CurrentPlatform();
  LibraryHandle library = platform.LoadLibraryByName("rt_probe.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(platform.FindLoadedLibrary("rt_probe.dll"), library);
  auto answer = reinterpret_cast<int (*)()>(platform.FindFunction(library, "rt_probe_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(platform.FindFunction(library, "no_such_function"), nullptr);
  platform.UnloadLibrary(library);

  EXPECT_EQ(platform.LoadLibraryByName("rt_no_such_library.dll"), nullptr);
  EXPECT_EQ(platform.FindLoadedLibrary("rt_no_such_library.dll"), nullptr);
}

TEST(HostPlatform, ReplacementIsSeenUntilRestored) {
  Platform& host = CurrentPlatform();
  {
    testing::RecordingPlatform recording;
    EXPECT_EQ(&CurrentPlatform(), &recording);
    {
      testing::RecordingPlatform nested;
      EXPECT_EQ(&CurrentPlatform(), &nested);
    }
    EXPECT_EQ(&CurrentPlatform(), &recording);
  }
  EXPECT_EQ(&CurrentPlatform(), &host);
}

#ifndef _WIN32
TEST(SetClipboardText, PutsTheTextOrReportsANullText) {
  EXPECT_EQ(SetClipboardText("first"), 1);
  EXPECT_EQ(PosixClipboardForTesting(), "first");
  EXPECT_EQ(SetClipboardText(static_cast<const char*>(nullptr)), 0);
  EXPECT_EQ(SetClipboardText(Text()), 0);
  EXPECT_EQ(PosixClipboardForTesting(), "first");
  EXPECT_EQ(SetClipboardText(Text::AllocatedEmpty()), 1);
  EXPECT_EQ(PosixClipboardForTesting(), "");
  EXPECT_EQ(SetClipboardText(Text::Copy("中文\r\n")), 1);
  EXPECT_EQ(PosixClipboardForTesting(), "中文\r\n");
}
#endif

}  // namespace
}  // namespace rc2e
