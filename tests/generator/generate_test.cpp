// Generate as the drop handler calls it: the fragment on the clipboard only after a composed
// run, the clipboard kept otherwise, the outcome of each case and the state kept between runs.
#include <gtest/gtest.h>

#include <string>

#include "generator/code_generator.h"
#include "generator/generator_state.h"
#include "runtime/clipboard.h"
#include "runtime/platform.h"
#include "tests/generator/expected_output.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rc2e {
namespace {

using testing::ScriptFile;

std::string ClipboardText() {
#ifdef _WIN32
  std::string text;
  if (!OpenClipboard(nullptr)) return "<clipboard busy>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
#else
  return std::string(PosixClipboardForTesting());
#endif
}

class ClipboardRefusingPlatform : public HostPlatform {
 public:
  ClipboardRefusingPlatform() { previous_ = ReplacePlatform(this); }
  ~ClipboardRefusingPlatform() override { ReplacePlatform(previous_); }
  bool PutClipboardText(const char*, size_t) override { return false; }

 private:
  Platform* previous_;
};

const char kScript[] =
    "#define IDD_MAIN 101\r\n#define IDC_NAME 1001\r\n\r\nIDD_MAIN DIALOGEX 0, 0, 100, 50\r\n"
    "CONTROL \"\", IDC_NAME, \"Edit\", WS_BORDER, 1, 1, 50, 12\r\n";

class GenerateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(SetClipboardText("before"), 1); }
  void TearDown() override { FreeGeneratorState(); }
  ScriptFile script_{"generate_script.rc", kScript};
};

TEST_F(GenerateTest, ComposedRunPutsTheFragmentOnTheClipboard) {
  EXPECT_EQ(Generate(script_.path()), GenerateOutcome::Done);
  std::string expected = testing::ExpectedOutput({{"IDD_MAIN", "对话框类"}, {"IDC_NAME", "编辑框类"}}, "IDD_MAIN", 101,
                                                 {{"IDC_NAME", 1001}});
  EXPECT_EQ(ClipboardText(), expected);
  const GeneratorState& state = CurrentGeneratorState();
  EXPECT_EQ(state.path.view(), script_.path());
  EXPECT_EQ(state.content.view(), kScript);
  EXPECT_EQ(state.output.view(), expected);
  EXPECT_EQ(state.headerLineCount, 2);
}

TEST_F(GenerateTest, UnreadableFileKeepsTheClipboard) {
  EXPECT_EQ(Generate("no_such_script.rc"), GenerateOutcome::FileUnreadable);
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_EQ(Generate(nullptr), GenerateOutcome::FileUnreadable);
  EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(GenerateTest, SeveralPathsKeepTheClipboard) {
  std::string both = std::string(script_.path()) + "\r\n" + script_.path();
  EXPECT_EQ(Generate(both.c_str()), GenerateOutcome::SeveralPaths);
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_EQ(CurrentGeneratorState().path.view(), both);
}

TEST_F(GenerateTest, RefusedClipboardIsReportedAsSuch) {
  ClipboardRefusingPlatform refusing;
  EXPECT_EQ(Generate(script_.path()), GenerateOutcome::ClipboardFailed);
  EXPECT_FALSE(CurrentGeneratorState().output.IsEmpty());
}

TEST_F(GenerateTest, EachRunReplacesTheStateAndTeardownFreesIt) {
  ASSERT_EQ(Generate(script_.path()), GenerateOutcome::Done);
  ASSERT_EQ(Generate("no_such_script.rc"), GenerateOutcome::FileUnreadable);
  EXPECT_EQ(CurrentGeneratorState().path.view(), "no_such_script.rc");
  EXPECT_TRUE(CurrentGeneratorState().content.IsEmpty());
  EXPECT_TRUE(CurrentGeneratorState().output.IsEmpty());
  ASSERT_EQ(Generate(script_.path()), GenerateOutcome::Done);
  FreeGeneratorState();
  EXPECT_TRUE(CurrentGeneratorState().path.IsNull());
  EXPECT_TRUE(CurrentGeneratorState().content.IsNull());
  EXPECT_TRUE(CurrentGeneratorState().output.IsNull());
}

}  // namespace
}  // namespace rc2e
