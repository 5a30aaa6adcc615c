// The binder's failures, each ending the process through the exit hooks after its "DLL ERROR"
// message. Built once beside a Get_Information without get1_str and once with none at all.
#include <gtest/gtest.h>

#include <string>

#include "generator/code_generator.h"
#include "generator/identifier_library.h"
#include "runtime/fatal.h"
#include "runtime/library_binder.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ExitCodeOf;
using testing::RecordingPlatform;

bool programHookRan = false;

void ExpectOneDllError(const RecordingPlatform& platform, const std::string& text) {
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, text);
  EXPECT_EQ(platform.boxes[0].caption, "DLL ERROR");
  EXPECT_EQ(platform.boxes[0].flags, kMessageBoxIconError);
}

#ifdef RC2E_LIBRARY_ABSENT

TEST(LibraryAbsentTest, RunsThatCallNoFunctionCompleteNormally) {
  RecordingPlatform platform;
  const char emptyFirstLine[] = "\r\n#define IDD_MAIN 101\r\n";
  Generation g = ComposeFromBytes({reinterpret_cast<const uint8_t*>(emptyFirstLine), sizeof emptyFirstLine - 1});
  EXPECT_EQ(g.outcome, GenerateOutcome::Done);
  EXPECT_EQ(ComposeFromFile("no_such_script.rc").outcome, GenerateOutcome::FileUnreadable);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(LoadedLibraryCount(), 0);
}

TEST(LibraryAbsentTest, FirstDefinitionLineShowsTheMissingLibrary) {
  RecordingPlatform platform;
  SetExitHook(ExitHookSlot::Program, [] { programHookRan = true; });
  const char script[] = "#define IDD_MAIN 101\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n";
  EXPECT_EQ(ExitCodeOf([&] { ComposeFromBytes({reinterpret_cast<const uint8_t*>(script), sizeof script - 1}); }), 0);
  ExpectOneDllError(platform, "同目录下无法找到DLL文件:\"Get_Information.dll\".请与作者联系.");
  EXPECT_TRUE(programHookRan);
  EXPECT_EQ(LoadedLibraryCount(), 0);
}

#else

TEST(FunctionMissingTest, GetIdIsBoundAndCalledThenGetStrIsMissing) {
  RecordingPlatform platform;
  SetExitHook(ExitHookSlot::Program, [] { programHookRan = true; });
  char line[] = "#define IDD_MAIN 101";
  EXPECT_EQ(IdentifierOfLine(line), 7);
  EXPECT_EQ(LoadedLibraryCount(), 1);
  EXPECT_EQ(ExitCodeOf([&] { SymbolOfLine(line); }), 0);
  ExpectOneDllError(platform, "无法定位DLL文件:\"Get_Information.dll\"当中的\"_Z8get1_strPc@4\"函数.");
  EXPECT_TRUE(programHookRan);
  // The exit hook freed the library.
  EXPECT_EQ(LoadedLibraryCount(), 0);
}

TEST(FunctionMissingTest, ThePipelineEndsInTheMiddleOfTheHeaderBlock) {
  RecordingPlatform platform;
  const char script[] = "#define IDD_MAIN 101\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 1, 1\r\n";
  EXPECT_EQ(ExitCodeOf([&] { ComposeFromBytes({reinterpret_cast<const uint8_t*>(script), sizeof script - 1}); }), 0);
  ExpectOneDllError(platform, "无法定位DLL文件:\"Get_Information.dll\"当中的\"_Z8get1_strPc@4\"函数.");
}

struct NameCase {
  const char* name;
  bool found;
};

class FunctionNameTest : public ::testing::TestWithParam<NameCase> {};

// A name is cut at its first '@' only when a second '@' follows it directly.
TEST_P(FunctionNameTest, FollowsTheNameRules) {
  RecordingPlatform platform;
  void* slot = nullptr;
  int code = ExitCodeOf([&] { BindLibraryFunction(kIdentifierLibraryName, GetParam().name, &slot); });
  if (GetParam().found) {
    EXPECT_EQ(code, -1000);
    EXPECT_NE(slot, nullptr);
    EXPECT_TRUE(platform.boxes.empty());
  } else {
    EXPECT_EQ(code, 0);
    EXPECT_EQ(slot, nullptr);
    ExpectOneDllError(platform, std::string("无法定位DLL文件:\"Get_Information.dll\"当中的\"") + GetParam().name + "\"函数.");
  }
  ExitCodeOf([] { ExitProgram(0); });
}

const NameCase kNames[] = {
    {"probe_plain", true},
    {"probe_plain@@", true},
    {"probe_plain@@anything@else", true},
    {"probe_plain@x@@y", false},
    {"probe_plain@", false},
    {"missing_function", false},
    {"", false},
#ifdef _WIN32
    {"#2", true},  // ordinals follow the sorted names: "_Z7get1_idPc@4", then "probe_plain"
#else
    {"#2", false},
#endif
    {"#3", false},
    {"#0", false},
    {"#", false},
    {"#2x", false},
    {"#65538", false},
};

INSTANTIATE_TEST_SUITE_P(Names, FunctionNameTest, ::testing::ValuesIn(kNames));

TEST(FunctionNameTest, NameLongerThanTheBufferIsNotFoundCutShort) {
  RecordingPlatform platform;
  std::string longName = "probe_plain@@" + std::string(2000, 'x');
  EXPECT_NE(BindLibraryFunction(kIdentifierLibraryName, longName.c_str(), nullptr), nullptr);
  std::string tooLong = std::string(1100, 'p');
  EXPECT_EQ(ExitCodeOf([&] { BindLibraryFunction(kIdentifierLibraryName, tooLong.c_str(), nullptr); }), 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
}

#endif

}  // namespace
}  // namespace rc2e
