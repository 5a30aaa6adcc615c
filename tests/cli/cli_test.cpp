// rc2e-cli: its run in-process over temporary files for every exit code, and the built
// program itself for the exact bytes it writes to standard output.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "generator/code_generator.h"
#include "tests/support/file_bytes.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rc2e::cli {
namespace {

const char kExample[] = RC2E_SOURCE_DIR "/examples/worked_example.rc";

using testing::FileBytes;
using testing::StreamBytes;

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun RunWith(std::vector<const char*> args) {
  args.insert(args.begin(), "rc2e-cli");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  CliRun run;
  run.code = RunCommandLine(static_cast<int>(args.size()), args.data(), out, err);
  run.out = StreamBytes(out);
  run.err = StreamBytes(err);
  std::fclose(out);
  std::fclose(err);
  return run;
}

std::string ExampleOutput() { return std::string(ComposeFromFile(kExample).output.view()); }

TEST(CommandLineTest, WritesTheClipboardBytesToStandardOutput) {
  CliRun run = RunWith({kExample});
  EXPECT_EQ(run.code, kExitSuccess);
  EXPECT_EQ(run.out, ExampleOutput());
  EXPECT_EQ(run.err, "");
}

TEST(CommandLineTest, Utf8ConvertsFromCodePage936) {
  CliRun run = RunWith({"--utf8", kExample});
  EXPECT_EQ(run.code, kExitSuccess);
  std::string expectedStart = reinterpret_cast<const char*>(u8"\r\n.程序集变量 IDD_MAIN, 对话框类\r\n");
  EXPECT_EQ(run.out.substr(0, expectedStart.size()), expectedStart);
  std::string expectedEnd = reinterpret_cast<const char*>(u8"\r\n\r\n\r\n.子程序 挂接事件");
  ASSERT_GE(run.out.size(), expectedEnd.size());
  EXPECT_EQ(run.out.substr(run.out.size() - expectedEnd.size()), expectedEnd);
  EXPECT_EQ(Utf8FromCodePage936(ExampleOutput()), run.out);
}

TEST(CommandLineTest, OutputFileTakesTheBytesInstead) {
  const char* path = "cli_output.txt";
  CliRun run = RunWith({"-o", path, kExample});
  EXPECT_EQ(run.code, kExitSuccess);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(FileBytes(path), ExampleOutput());
  std::remove(path);
}

TEST(CommandLineTest, UnreadableScriptIsExitOneWithOneLineNamingIt) {
  CliRun run = RunWith({"missing_script.rc"});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "rc2e-cli: missing_script.rc: cannot be opened\n");
  // "--" ends the options, so a name may begin with '-'.
  run = RunWith({"--", "-missing.rc"});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_EQ(run.err, "rc2e-cli: -missing.rc: cannot be opened\n");
}

TEST(CommandLineTest, UnwritableOutputIsExitOne) {
  CliRun run = RunWith({"-o", ".", kExample});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_EQ(run.err, "rc2e-cli: .: cannot be written\n");
}

TEST(CommandLineTest, HelpGoesToStandardOutput) {
  CliRun run = RunWith({"--help"});
  EXPECT_EQ(run.code, kExitSuccess);
  EXPECT_EQ(run.out, UsageText());
}

struct UsageCase {
  std::vector<const char*> args;
  const char* message;
};

class UsageErrorTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, IsExitTwoWithMessageAndUsage) {
  CliRun run = RunWith(GetParam().args);
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, std::string("rc2e-cli: ") + GetParam().message + "\n" + UsageText());
}

const UsageCase kUsageErrors[] = {
    {{}, "no FILE.rc given"},
    {{"--utf8"}, "no FILE.rc given"},
    {{"--bogus", "a.rc"}, "unknown option --bogus"},
    {{"-o"}, "-o needs a file name"},
    {{"a.rc", "-o"}, "-o needs a file name"},
    {{"-o", "x", "-o", "y", "a.rc"}, "-o given twice"},
    {{"a.rc", "b.rc"}, "only one FILE.rc may be given"},
    {{""}, "empty file name"},
    {{"--dialog"}, "--dialog needs a dialog name"},
    {{"a.rc", "--dialog", ""}, "--dialog needs a dialog name"},
    {{"--dialog", "A", "--dialog", "B", "a.rc"}, "--dialog given twice"},
    {{"--list", "--dialog", "A", "a.rc"}, "--list goes with neither --dialog nor --clipboard"},
#ifndef _WIN32
    {{"--clipboard", "a.rc"}, "--clipboard is available only on Windows"},
#endif
};

INSTANTIATE_TEST_SUITE_P(Arguments, UsageErrorTest, ::testing::ValuesIn(kUsageErrors));

#ifdef _WIN32
const char kEditorScript[] = RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/editor/app.rc";

TEST(CommandLineTest, DialogChoosesWhichDialogIsGenerated) {
  for (const char* dialog : {"IDD_MAIN", "IDD_OPTIONS", "IDD_ABOUTBOX"}) {
    CliRun run = RunWith({"--dialog", dialog, kEditorScript});
    EXPECT_EQ(run.code, kExitSuccess) << run.err;
    EXPECT_EQ(run.out,
              FileBytes(std::string(RC2E_SOURCE_DIR "/tests/generator/fixtures/rw/editor/expected_") + dialog + ".txt"));
  }
}

TEST(CommandLineTest, UnknownDialogIsExitOneNamingTheDialogs) {
  CliRun run = RunWith({"--dialog", "IDD_NONE", kEditorScript});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err, std::string("rc2e-cli: ") + kEditorScript +
                         ": no dialog IDD_NONE; its dialogs: IDD_MAIN, IDD_OPTIONS, IDD_ABOUTBOX\n");
}

TEST(CommandLineTest, ListWritesOneLinePerDialog) {
  CliRun run = RunWith({"--list", kEditorScript});
  EXPECT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_EQ(run.out, "IDD_MAIN 101 7\nIDD_OPTIONS 102 7\nIDD_ABOUTBOX 103 4\n");
  CliRun none = RunWith({"--list", kExample});
  EXPECT_EQ(none.out, "IDD_MAIN 101 3\n");
}

TEST(CommandLineTest, ClipboardAlsoGetsTheBytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  CliRun run = RunWith({"--clipboard", kExample});
  EXPECT_EQ(run.code, kExitSuccess);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string text = data ? static_cast<const char*>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(text, ExampleOutput());
  EXPECT_EQ(run.out, ExampleOutput());
}
#endif

// The program beside this test, run as a process: its standard output is binary.
TEST(CommandLineProgramTest, StandardOutputHoldsExactlyTheBytes) {
#ifdef _WIN32
  char self[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self, n);
  folder = folder.substr(0, folder.rfind('\\') + 1);
  std::string command = "\"\"" + folder + "rc2e-cli.exe\" \"" + kExample + "\"\"";
  std::FILE* pipe = _popen(command.c_str(), "rb");
#else
  char self[4096] = {};
  ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string folder(self, n > 0 ? static_cast<size_t>(n) : 0);
  folder = folder.substr(0, folder.rfind('/') + 1);
  std::string command = "'" + folder + "rc2e-cli' '" + kExample + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
#endif
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) out.append(chunk, got);
#ifdef _WIN32
  int code = _pclose(pipe);
#else
  int status = pclose(pipe);
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, ExampleOutput());
}

}  // namespace
}  // namespace rc2e::cli
