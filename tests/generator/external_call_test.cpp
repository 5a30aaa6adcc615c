// The i686 external-call guard: a callee that leaves the stack pointer moved is run-time
// error 6, whether it is called directly or bound from a library through the stubs.
#include <gtest/gtest.h>

#include "generator/identifier_library.h"
#include "runtime/external_call.h"
#include "runtime/fatal.h"
#include "runtime/library_binder.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ExitCodeOf;
using testing::RecordingPlatform;

const char kErrorSix[] = "program internal error number is 6. \r\n调用DLL命令后发现堆栈错误，通常是DLL参数数目不正确";

int RC2E_STDCALL RemovesItsArgument(char* line) { return line ? 5 : 0; }
int __attribute__((cdecl)) LeavesItsArgument(char* line) { return line ? 6 : 0; }
int RC2E_STDCALL RemovesTwoArguments(char* line, char*) { return line ? 7 : 0; }

void ExpectErrorSix(const RecordingPlatform& platform) {
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text, kErrorSix);
  EXPECT_EQ(platform.boxes[0].caption, "error");
  EXPECT_EQ(platform.boxes[0].flags, kMessageBoxIconError);
}

TEST(ExternalCallTest, AMatchingCallReturnsTheResult) {
  char line[] = "x";
  EXPECT_EQ(CallExternal(&RemovesItsArgument, line), 5);
}

TEST(ExternalCallTest, ACalleeThatLeavesItsArgumentIsErrorSix) {
  RecordingPlatform platform;
  auto wrong = reinterpret_cast<int(RC2E_STDCALL*)(char*)>(reinterpret_cast<void*>(&LeavesItsArgument));
  char line[] = "x";
  EXPECT_EQ(ExitCodeOf([&] { CallExternal(wrong, line); }), 0);
  ExpectErrorSix(platform);
}

TEST(ExternalCallTest, ACalleeThatRemovesTooMuchIsErrorSix) {
  RecordingPlatform platform;
  auto wrong = reinterpret_cast<int(RC2E_STDCALL*)(char*)>(reinterpret_cast<void*>(&RemovesTwoArguments));
  char line[] = "x";
  EXPECT_EQ(ExitCodeOf([&] { CallExternal(wrong, line); }), 0);
  ExpectErrorSix(platform);
}

// Beside this test lies a Get_Information whose get1_id is cdecl: the first call, still
// through the binding stub, already reports it.
TEST(ExternalCallTest, ALibraryFunctionThatLeavesItsArgumentIsErrorSix) {
  RecordingPlatform platform;
  char line[] = "#define IDD_MAIN 101";
  EXPECT_EQ(ExitCodeOf([&] { IdentifierOfLine(line); }), 0);
  ExpectErrorSix(platform);
  EXPECT_EQ(LoadedLibraryCount(), 0);
}

}  // namespace
}  // namespace rc2e
