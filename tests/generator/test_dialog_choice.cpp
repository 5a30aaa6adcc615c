// Dialog choice: which dialog is loaded, each record's class, variable line and bind line,
// for two dialogs sharing control symbols, one dialog, none, and a chosen dialog.
#include "generator/dialog_choice.h"
#include "generator/script_body.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rc2e {
namespace {

// The stages that feed the choice, run over a script's scanned lines.
struct ReadScript {
  explicit ReadScript(std::vector<std::string_view> scanned)
      : lines(std::move(scanned)), body(ReadScriptBody(lines, 1)), declarations(body.declarations),
        blocks(body.blocks) {}
  std::vector<std::string_view> lines;
  ScriptBody body;
  const ValueArray<Declaration>& declarations;
  const ValueArray<DialogBlock>& blocks;
};

struct Plan {
  std::string name;
  std::string componentClass;
  bool variableLine;
  bool bindLine;
  bool operator==(const Plan&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Plan& p) {
  return out << p.name << " [" << p.componentClass << "] var=" << p.variableLine << " bind=" << p.bindLine;
}

std::vector<Plan> Plans(const std::vector<RecordKey>& records, const DialogChoice& choice) {
  std::vector<Plan> plans;
  for (int32_t n = 1; n <= choice.plans.Count(); ++n) {
    const RecordPlan& p = choice.plans.At(n);
    plans.push_back({std::string(records[n - 1].name), p.componentClass ? p.componentClass : "", p.variableLine,
                     p.bindLine});
  }
  return plans;
}

const ReadScript& TwoDialogs() {
  static const ReadScript script({
      "IDD_A DIALOGEX 0, 0, 100, 50",                           // 1
      "BEGIN",                                                  // 2
      "    EDITTEXT IDC_NAME,1,2,3,4",                          // 3
      "    PUSHBUTTON \"OK\",IDOK,1,2,3,4",                     // 4
      "    CONTROL \"\",IDC_SHARED,\"Button\",",                // 5
      "        BS_AUTOCHECKBOX,1,2,3,4",                        // 6
      "    LTEXT \"same id\",IDC_SAME,1,2,3,4",                 // 7
      "END",                                                    // 8
      "IDD_B DIALOGEX 0, 0, 100, 50",                           // 9
      "BEGIN",                                                  // 10
      "    LTEXT \"x\",IDC_SHARED,1,2,3,4",                     // 11
      "    LISTBOX IDC_ONLY_B,1,2,3,4",                         // 12
      "END",                                                    // 13
      "STRINGTABLE",                                            // 14
      "BEGIN",                                                  // 15
      "    IDS_HINT \"CONTROL IDC_NAME Edit ListBox\"",         // 16
      "END",                                                    // 17
  });
  return script;
}

const std::vector<RecordKey> kTwoDialogRecords{{"IDD_A", 100},    {"IDD_B", 200},      {"IDC_NAME", 1001},
                                               {"IDOK", 1},       {"IDC_SHARED", 1002}, {"IDC_SAME", 100},
                                               {"IDC_ONLY_B", 1003}, {"IDS_HINT", 5000}};

TEST(ChooseDialog, FirstDialogTakesItsBlockAndLeavesTheOtherOut) {
  const ReadScript& script = TwoDialogs();
  DialogChoice choice = ChooseDialog(kTwoDialogRecords, script.declarations, script.blocks, "");
  EXPECT_FALSE(choice.chosenDialogMissing);
  EXPECT_EQ(choice.loadedRecord, 1);
  EXPECT_EQ(Plans(kTwoDialogRecords, choice), (std::vector<Plan>{
                                                  {"IDD_A", "对话框类", true, false},
                                                  {"IDD_B", "对话框类", false, false},
                                                  {"IDC_NAME", "编辑框类", true, true},
                                                  {"IDOK", "按钮类", true, true},
                                                  {"IDC_SHARED", "选择框类", true, true},
                                                  {"IDC_SAME", "标签类", true, false},
                                                  {"IDC_ONLY_B", "列表框类", false, false},
                                                  {"IDS_HINT", "", false, false},
                                              }));
}

TEST(ChooseDialog, ChosenDialogTakesTheSharedSymbolsFromItsOwnBlock) {
  const ReadScript& script = TwoDialogs();
  DialogChoice choice = ChooseDialog(kTwoDialogRecords, script.declarations, script.blocks, "IDD_B");
  EXPECT_EQ(choice.loadedRecord, 2);
  EXPECT_EQ(Plans(kTwoDialogRecords, choice), (std::vector<Plan>{
                                                  {"IDD_A", "对话框类", false, false},
                                                  {"IDD_B", "对话框类", true, false},
                                                  {"IDC_NAME", "编辑框类", false, false},
                                                  {"IDOK", "按钮类", false, false},
                                                  {"IDC_SHARED", "标签类", true, true},
                                                  {"IDC_SAME", "标签类", false, false},
                                                  {"IDC_ONLY_B", "列表框类", true, true},
                                                  {"IDS_HINT", "", false, false},
                                              }));
}

TEST(ChooseDialog, FirstDialogIsTheFirstInRecordOrder) {
  const ReadScript& script = TwoDialogs();
  std::vector<RecordKey> records{{"IDC_ONLY_B", 1003}, {"IDD_B", 200}, {"IDD_A", 100}};
  DialogChoice choice = ChooseDialog(records, script.declarations, script.blocks, "");
  EXPECT_EQ(choice.loadedRecord, 2);
}

TEST(ChooseDialog, ANameThatIsNoDialogRecordIsMissing) {
  const ReadScript& script = TwoDialogs();
  for (std::string_view name : {"IDD_C", "IDC_NAME"}) {
    DialogChoice choice = ChooseDialog(kTwoDialogRecords, script.declarations, script.blocks, name);
    EXPECT_TRUE(choice.chosenDialogMissing) << name;
    EXPECT_EQ(choice.loadedRecord, 0);
  }
  // A header whose symbol no record names cannot be loaded either.
  std::vector<RecordKey> withoutB{{"IDD_A", 100}};
  EXPECT_TRUE(ChooseDialog(withoutB, script.declarations, script.blocks, "IDD_B").chosenDialogMissing);
}

TEST(ChooseDialog, OneDialogGivesEveryRecordItsVariableLine) {
  ReadScript script({"IDD_A DIALOGEX 0,0,1,1", "BEGIN", "  EDITTEXT IDC_IN,1,2,3,4", "  EDITTEXT IDC_IN2,1,2,3,4", "END",
                     "// outside any block:", "LTEXT \"x\",IDC_OUT,1,2,3,4", "  EDITTEXT IDC_IN2,1,2,3,4"});
  std::vector<RecordKey> records{{"IDC_OUT", 3}, {"IDD_A", 100}, {"IDC_IN", 1}, {"IDC_IN2", 2}, {"IDR_MENU", 4}};
  DialogChoice choice = ChooseDialog(records, script.declarations, script.blocks, "");
  EXPECT_EQ(choice.loadedRecord, 2);
  EXPECT_EQ(Plans(records, choice), (std::vector<Plan>{
                                        {"IDC_OUT", "标签类", true, false},
                                        {"IDD_A", "对话框类", true, false},
                                        {"IDC_IN", "编辑框类", true, true},
                                        {"IDC_IN2", "编辑框类", true, true},
                                        {"IDR_MENU", "", true, false},
                                    }));
}

TEST(ChooseDialog, NoDialogBindsEveryClassedRecordWithANonZeroId) {
  ReadScript script({"EDITTEXT IDC_A,1,2,3,4", "LTEXT \"\",IDC_B,1,2,3,4", "LTEXT \"\",IDC_B,1,2,3,4",
                     "CONTROL \"\",IDC_C,\"Unknown\",0,1,2,3,4"});
  std::vector<RecordKey> records{{"IDC_A", 0}, {"IDC_B", 5}, {"IDC_C", 6}};
  DialogChoice choice = ChooseDialog(records, script.declarations, script.blocks, "");
  EXPECT_EQ(choice.loadedRecord, 0);
  EXPECT_EQ(Plans(records, choice), (std::vector<Plan>{
                                        {"IDC_A", "编辑框类", true, false},
                                        {"IDC_B", "标签类", true, true},
                                        {"IDC_C", "", true, false},
                                    }));
}

TEST(ChooseDialog, ALaterDialogOfTheSameSymbolUsesTheFirstBlock) {
  ReadScript script({"IDD_A DIALOGEX 0,0,1,1", "BEGIN", "  EDITTEXT IDC_X,1,2,3,4", "END", "IDD_A DIALOGEX 0,0,1,1",
                     "BEGIN", "  LISTBOX IDC_X,1,2,3,4", "  LISTBOX IDC_Y,1,2,3,4", "END"});
  std::vector<RecordKey> records{{"IDD_A", 100}, {"IDC_X", 1}, {"IDC_Y", 2}};
  DialogChoice choice = ChooseDialog(records, script.declarations, script.blocks, "");
  EXPECT_EQ(Plans(records, choice), (std::vector<Plan>{
                                        {"IDD_A", "对话框类", true, false},
                                        {"IDC_X", "编辑框类", true, true},
                                        {"IDC_Y", "列表框类", true, false},
                                    }));
}

TEST(ListDialogs, OneEntryPerSymbolInFileOrderWithItsControls) {
  ReadScript script({"IDD_B DIALOGEX 0,0,1,1", "BEGIN", "  EDITTEXT IDC_X,1,2,3,4", "  CONTROL \"\",IDC_Y,\"Nope\",0",
                     "END", "IDD_A DIALOG 0,0,1,1", "BEGIN", "  LTEXT \"\",IDC_STATIC,1,2,3,4",
                     "  LTEXT \"\",IDC_STATIC,1,2,3,4", "  LISTBOX IDC_Z,1,2,3,4", "END", "IDD_B DIALOGEX 0,0,1,1",
                     "BEGIN", "END", "IDD_NOREC DIALOGEX 0,0,1,1"});
  std::vector<RecordKey> records{{"IDD_A", 100}, {"IDD_B", 200}, {"IDD_A", 300}};
  ValueArray<DialogSummary> dialogs = ListDialogs(records, script.declarations, script.blocks);
  ASSERT_EQ(dialogs.Count(), 3);
  EXPECT_EQ(dialogs.At(1).symbol, "IDD_B");
  EXPECT_EQ(dialogs.At(1).recordIndex, 2);
  EXPECT_EQ(dialogs.At(1).controlCount, 1);
  EXPECT_EQ(dialogs.At(2).symbol, "IDD_A");
  EXPECT_EQ(dialogs.At(2).recordIndex, 1);
  EXPECT_EQ(dialogs.At(2).controlCount, 3);
  EXPECT_EQ(dialogs.At(3).symbol, "IDD_NOREC");
  EXPECT_EQ(dialogs.At(3).recordIndex, 0);
  EXPECT_EQ(dialogs.At(3).controlCount, 0);
}

}  // namespace
}  // namespace rc2e
