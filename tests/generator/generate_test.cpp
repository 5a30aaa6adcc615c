// Generate as the drop handler calls it: the fragment on the clipboard only after a composed
// run, the clipboard kept otherwise, the outcome of each case and the state kept between runs.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "generator/code_generator.h"
#include "generator/generator_state.h"
#include "runtime/clipboard.h"
#include "runtime/platform.h"
#include "tests/generator/expected_output.h"
#include "tests/support/clipboard_text.h"
#include "tests/support/file_bytes.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rc2e {
namespace {

using testing::ClipboardText;
using testing::ScriptFile;

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

// The dialog question: what it was shown, and what it answers.
struct Question {
  static inline std::vector<std::pair<std::string, int32_t>> shown;
  static inline int calls = 0;
  static inline std::optional<std::string> answer;

  static std::optional<Text> Ask(const ValueArray<DialogSummary>& dialogs) {
    ++calls;
    shown.clear();
    for (const DialogSummary& d : dialogs) shown.emplace_back(std::string(d.symbol), d.controlCount);
    if (!answer) return std::nullopt;
    return Text::Copy(*answer);
  }
};

class DialogQuestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SetClipboardText("before"), 1);
    Question::calls = 0;
  }
  void TearDown() override { FreeGeneratorState(); }
  static std::string Fixture(const char* name) {
    return testing::FileBytes(std::string(RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/") + name);
  }
  const char* script_ = RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/editor/app.rc";
};

TEST_F(DialogQuestionTest, IsAskedWithEveryDialogAndItsAnswerIsGenerated) {
  Question::answer = "IDD_OPTIONS";
  EXPECT_EQ(Generate(script_, Question::Ask), GenerateOutcome::Done);
  EXPECT_EQ(Question::calls, 1);
  EXPECT_EQ(Question::shown, (std::vector<std::pair<std::string, int32_t>>{
                                 {"IDD_MAIN", 7}, {"IDD_OPTIONS", 7}, {"IDD_ABOUTBOX", 4}}));
  EXPECT_EQ(ClipboardText(), Fixture("editor/expected_IDD_OPTIONS.txt"));
}

TEST_F(DialogQuestionTest, AnEmptyAnswerTakesTheFirstDialog) {
  Question::answer = "";
  EXPECT_EQ(Generate(script_, Question::Ask), GenerateOutcome::Done);
  EXPECT_EQ(ClipboardText(), Fixture("editor/expected_IDD_MAIN.txt"));
}

TEST_F(DialogQuestionTest, ACancelKeepsTheClipboard) {
  Question::answer.reset();
  EXPECT_EQ(Generate(script_, Question::Ask), GenerateOutcome::Cancelled);
  EXPECT_EQ(ClipboardText(), "before");
  EXPECT_TRUE(CurrentGeneratorState().output.IsNull());
}

TEST_F(DialogQuestionTest, IsNotAskedWhenTheFileCannotBeRead) {
  Question::answer = "IDD_MAIN";
  EXPECT_EQ(Generate("no_such_script.rc", Question::Ask), GenerateOutcome::FileUnreadable);
  EXPECT_EQ(Question::calls, 0);
}

}  // namespace
}  // namespace rc2e
