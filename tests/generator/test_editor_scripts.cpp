// Scripts as a resource editor writes them: comments and #include "resource.h" at the top,
// resource.h beside (ANSI, or UTF-16 with a mark), several dialogs sharing control symbols,
// continued statements, menus and string tables naming classes. Needs Get_Information.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "generator/code_generator.h"
#include "tests/support/file_bytes.h"

namespace rc2e {
namespace {

#define RC2E_FIXTURES RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/"

using testing::FileBytes;

struct FixtureCase {
  const char* script;
  const char* dialog;  // empty: the first dialog
  const char* expected;
};

void PrintTo(const FixtureCase& c, std::ostream* out) { *out << c.script << " --dialog '" << c.dialog << "'"; }

class EditorScriptTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(EditorScriptTest, GivesTheExpectedBytes) {
  const FixtureCase& c = GetParam();
  Generation g = ComposeFromFile((std::string(RC2E_FIXTURES) + c.script).c_str(), c.dialog);
  ASSERT_EQ(g.outcome, GenerateOutcome::Done);
  std::string expected = FileBytes(std::string(RC2E_FIXTURES) + c.expected);
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(g.output.view(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, EditorScriptTest,
    ::testing::Values(FixtureCase{"editor/app.rc", "", "editor/expected_IDD_MAIN.txt"},
                      FixtureCase{"editor/app.rc", "IDD_MAIN", "editor/expected_IDD_MAIN.txt"},
                      FixtureCase{"editor/app.rc", "IDD_OPTIONS", "editor/expected_IDD_OPTIONS.txt"},
                      FixtureCase{"editor/app.rc", "IDD_ABOUTBOX", "editor/expected_IDD_ABOUTBOX.txt"},
                      FixtureCase{"utf16/app.rc", "", "utf16/expected_IDD_LOGIN.txt"},
                      FixtureCase{"utf16/app.rc", "IDD_LOGIN", "utf16/expected_IDD_LOGIN.txt"},
                      FixtureCase{"utf16/app.rc", "IDD_SETTINGS", "utf16/expected_IDD_SETTINGS.txt"}));

using Listed = std::tuple<std::string, bool, int32_t, int32_t>;

std::vector<Listed> DialogsOf(const char* script) {
  Generation g = ComposeFromFile((std::string(RC2E_FIXTURES) + script).c_str());
  std::vector<Listed> listed;
  for (const DialogEntry& d : g.dialogs) listed.emplace_back(std::string(d.symbol.view()), d.hasRecord, d.id, d.controlCount);
  return listed;
}

TEST(EditorScripts, ListTheirDialogsInFileOrderWithTheirControls) {
  EXPECT_EQ(DialogsOf("editor/app.rc"), (std::vector<Listed>{{"IDD_MAIN", true, 101, 7},
                                                            {"IDD_OPTIONS", true, 102, 7},
                                                            {"IDD_ABOUTBOX", true, 103, 4}}));
  EXPECT_EQ(DialogsOf("utf16/app.rc"),
            (std::vector<Listed>{{"IDD_LOGIN", true, 101, 8}, {"IDD_SETTINGS", true, 102, 6}}));
}

TEST(EditorScripts, ANameThatIsNoDialogGivesNoOutput) {
  for (const char* name : {"IDD_NONE", "IDC_NAME", "idd_main"}) {
    Generation g = ComposeFromFile(RC2E_FIXTURES "editor/app.rc", name);
    EXPECT_EQ(g.outcome, GenerateOutcome::NoSuchDialog) << name;
    EXPECT_TRUE(g.output.IsNull());
    EXPECT_EQ(g.dialogs.Count(), 3);
  }
}

TEST(EditorScripts, WithoutItsHeaderTheScriptHasNoRecords) {
  // The same script read from bytes alone finds no resource.h in the current folder.
  std::string script = FileBytes(RC2E_FIXTURES "editor/app.rc");
  Generation g = ComposeFromBytes({reinterpret_cast<const uint8_t*>(script.data()), script.size()});
  ASSERT_EQ(g.outcome, GenerateOutcome::Done);
  EXPECT_EQ(g.output.view().find(".程序集变量 IDD_MAIN"), std::string_view::npos);
  EXPECT_NE(g.output.view().find("\r\n\r\n.载入 (, 0, &对话框创建完毕)"), std::string_view::npos);
  // Given the script's path, the same bytes find it.
  Generation beside = ComposeFromBytes({reinterpret_cast<const uint8_t*>(script.data()), script.size()}, "",
                                       RC2E_FIXTURES "editor\\app.rc");
  EXPECT_EQ(beside.output.view(), FileBytes(RC2E_FIXTURES "editor/expected_IDD_MAIN.txt"));
}

}  // namespace
}  // namespace rc2e
