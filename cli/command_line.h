// rc2e-cli's options and its one run: the generated text for one script (or the list of its
// dialogs) to standard output or a file, optionally as UTF-8 and (on Windows) on the clipboard.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace rc2e::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // unreadable script, no such dialog, unwritable output, clipboard, fatal report
inline constexpr int kExitUsage = 2;

struct Options {
  bool utf8 = false;
  bool clipboard = false;
  bool help = false;
  bool list = false;       // the dialogs instead of the generated text
  std::string dialog;      // empty: the first dialog
  std::string outputPath;  // empty: standard output
  std::string scriptPath;
};

// The options, or nullopt with error set to a one-line description.
std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string& error);

// "usage: ..." and the options, one per line.
const char* UsageText();

// Bytes of code page 936 as UTF-8, by the system's converter (a sequence iconv cannot
// convert becomes U+FFFD on POSIX).
std::string Utf8FromCodePage936(std::string_view bytes);

// The whole command: parses, generates, writes. Messages go to err; returns the exit code.
int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace rc2e::cli
