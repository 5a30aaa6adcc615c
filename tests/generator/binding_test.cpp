// Binding the real identifier library on first use, the exit hook that frees it, and the
// ordinal rule. Runs beside the real Get_Information library.
#include <gtest/gtest.h>

#include "generator/identifier_library.h"
#include "runtime/fatal.h"
#include "runtime/library_binder.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ExitCodeOf;
using testing::RecordingPlatform;

TEST(BindingTest, BindsOnFirstUseAndFreesThroughTheExitHook) {
  RecordingPlatform platform;
  ASSERT_EQ(LoadedLibraryCount(), 0);
  char line[] = "#define IDC_EDIT1 1001";
  EXPECT_EQ(IdentifierOfLine(line), 1001);
  EXPECT_STREQ(SymbolOfLine(line), "IDC_EDIT1");
  EXPECT_GE(LoadedLibraryCount(), 1);
  EXPECT_NE(GetExitHook(ExitHookSlot::Libraries), nullptr);
  char other[] = "#define IDC_LIST1 0x3EA";
  EXPECT_EQ(IdentifierOfLine(other), 1002);

  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
  EXPECT_EQ(LoadedLibraryCount(), 0);
  EXPECT_EQ(GetExitHook(ExitHookSlot::Libraries), nullptr);
#ifdef _WIN32
  EXPECT_EQ(platform.FindLoadedLibrary(kIdentifierLibraryName), nullptr);
#endif
  // The slots are back at their stubs: the next call binds again.
  EXPECT_EQ(IdentifierOfLine(line), 1001);
  EXPECT_STREQ(SymbolOfLine(other), "IDC_LIST1");
  EXPECT_GE(LoadedLibraryCount(), 1);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
}

TEST(BindingTest, OrdinalNamesTheExportByNumber) {
  RecordingPlatform platform;
  void* slot = nullptr;
#ifdef _WIN32
  // Ordinal 1 is the first export by name, "_Z7get1_idPc@4".
  void* byOrdinal = BindLibraryFunction(kIdentifierLibraryName, "#1", &slot);
  EXPECT_EQ(slot, byOrdinal);
  EXPECT_EQ(byOrdinal, BindLibraryFunction(kIdentifierLibraryName, kGetIdExport, nullptr));
#else
  // Shared objects have no ordinals.
  EXPECT_EQ(ExitCodeOf([&] { BindLibraryFunction(kIdentifierLibraryName, "#1", &slot); }), 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, "无法定位DLL文件:\"Get_Information.dll\"当中的\"#1\"函数.");
#endif
  EXPECT_EQ(ExitCodeOf([] { ExitProgram(0); }), 0);
}

}  // namespace
}  // namespace rc2e
