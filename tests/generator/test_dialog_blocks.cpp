// Dialog blocks: where each dialog's block begins and ends, nested BEGIN / END, braces,
// headers without a body and unclosed blocks.
#include "generator/dialog_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace rc2e {
namespace {

using Block = std::tuple<std::string, int32_t, int32_t>;

std::vector<Block> BlocksOf(const std::vector<std::string_view>& lines) {
  LogicalLines logical = JoinLogicalLines(lines, 1);
  std::span<const LogicalLine> logicalLines(logical.lines.begin(), logical.lines.end());
  ValueArray<DialogBlock> blocks = FindDialogBlocks(logicalLines, FindDeclarations(logicalLines));
  std::vector<Block> found;
  for (const DialogBlock& b : blocks) found.emplace_back(std::string(b.symbol), b.headerLine, b.lastLine);
  return found;
}

TEST(FindDialogBlocks, RunsToTheEndClosingTheFirstBegin) {
  EXPECT_EQ(BlocksOf({
                "IDD_A DIALOGEX 0, 0, 100, 50",  // 1
                "STYLE DS_SETFONT |",            // 2
                "    WS_POPUP",                  // 3
                "CAPTION \"Begin here\"",        // 4
                "BEGIN",                         // 5
                "    LTEXT \"END\",IDC_A,1,2,3,4",  // 6
                "    begin",                     // 7
                "    end",                       // 8
                "END",                           // 9
                "IDR_MENU MENU",                 // 10
                "BEGIN",                         // 11
                "END",                           // 12
            }),
            (std::vector<Block>{{"IDD_A", 1, 9}}));
}

TEST(FindDialogBlocks, BracesCountLikeBeginAndEnd) {
  EXPECT_EQ(BlocksOf({"IDD_A DIALOG 0,0,1,1", "{", "  {", "  }", "}", "LTEXT \"x\",IDC_OUT,1,2,3,4"}),
            (std::vector<Block>{{"IDD_A", 1, 5}}));
}

TEST(FindDialogBlocks, WithoutBeginEndsBeforeTheNextHeader) {
  EXPECT_EQ(BlocksOf({"IDD_A DIALOGEX 0,0,1,1", "LTEXT \"x\",IDC_X,1,2,3,4", "", "IDD_B DIALOGEX 0,0,1,1", "BEGIN",
                      "END", "IDD_C DIALOGEX 0,0,1,1", "STYLE WS_POPUP"}),
            (std::vector<Block>{{"IDD_A", 1, 3}, {"IDD_B", 4, 6}, {"IDD_C", 7, 8}}));
}

TEST(FindDialogBlocks, AnUnclosedBlockEndsBeforeTheNextHeader) {
  EXPECT_EQ(BlocksOf({"IDD_A DIALOGEX 0,0,1,1", "BEGIN", "LTEXT \"x\",IDC_X,1,2,3,4", "IDD_B DIALOGEX 0,0,1,1",
                      "BEGIN", "LTEXT \"y\",IDC_Y,1,2,3,4"}),
            (std::vector<Block>{{"IDD_A", 1, 3}, {"IDD_B", 4, 6}}));
}

TEST(FindDialogBlocks, EndBeforeTheFirstBeginDoesNotClose) {
  EXPECT_EQ(BlocksOf({"IDD_A DIALOGEX 0,0,1,1", "END", "BEGIN", "END", "END"}),
            (std::vector<Block>{{"IDD_A", 1, 4}}));
}

TEST(FindDialogBlocks, DesignInformationMakesNoBlock) {
  EXPECT_EQ(BlocksOf({"GUIDELINES DESIGNINFO", "BEGIN", "    IDD_A, DIALOG", "    BEGIN", "        LEFTMARGIN, 7",
                      "    END", "END"}),
            std::vector<Block>{});
}

TEST(FindDialogBlocks, ContinuedLinesKeepTheirFirstNumber) {
  EXPECT_EQ(BlocksOf({"// x", "IDD_A DIALOGEX 0, 0,", "  100, 50", "BEGIN", "  CONTROL \"\",IDC_X,", "  \"Edit\",0,1,2,3,4",
                      "END", "IDD_B DIALOG 0,0,1,1"}),
            (std::vector<Block>{{"IDD_A", 2, 7}, {"IDD_B", 8, 8}}));
}

}  // namespace
}  // namespace rc2e
