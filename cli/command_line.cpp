// Option parsing, the output conversion to UTF-8 and the run of rc2e-cli over ComposeFromFile.
// The dialog listing is written here; what a dialog is, the generator decides.
// The process entry, with its platform for fatal reports, is main.cpp.
#include "cli/command_line.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "generator/code_generator.h"
#include "runtime/clipboard.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace rc2e::cli {
namespace {

#ifdef _WIN32
constexpr bool kClipboardAvailable = true;
#else
constexpr bool kClipboardAvailable = false;
#endif

bool WriteAll(std::FILE* file, std::string_view bytes) {
  return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// One line per dialog: its symbol, its identifier ("-" when no definition names it) and
// the number of its controls.
std::string DialogListing(const ValueArray<DialogEntry>& dialogs) {
  std::string listing;
  for (const DialogEntry& dialog : dialogs) {
    listing += std::string(dialog.symbol.view()) + " " + (dialog.hasRecord ? std::to_string(dialog.id) : "-") + " " +
               std::to_string(dialog.controlCount) + "\n";
  }
  return listing;
}

std::string DialogNames(const ValueArray<DialogEntry>& dialogs) {
  std::string names;
  for (const DialogEntry& dialog : dialogs) {
    if (!dialog.hasRecord) continue;
    names += (names.empty() ? "" : ", ") + std::string(dialog.symbol.view());
  }
  return names.empty() ? "none" : names;
}

}  // namespace

const char* UsageText() {
  return "usage: rc2e-cli [--utf8] [-o OUT] [--clipboard] [--dialog NAME | --list] FILE.rc\n"
         "  writes the Easy Language source generated from FILE.rc, as the bytes the clipboard\n"
         "  would get (code page 936), to standard output or OUT\n"
         "  --dialog NAME  generate for the dialog NAME instead of the first one\n"
         "  --list       write one line per dialog instead: symbol, identifier, controls\n"
         "  --utf8       convert the text to UTF-8 for a UTF-8 terminal\n"
         "  -o OUT       write to OUT instead of standard output\n"
         "  --clipboard  also put the text on the clipboard (Windows only)\n"
         "  -h, --help   show this text\n";
}

std::optional<Options> ParseOptions(int argc, const char* const* argv, std::string& error) {
  Options options;
  bool optionsEnded = false;
  int i = 1;
  // An option's value is the next argument; an option given twice is a usage error.
  auto takeValue = [&](std::string_view option, const char* valueName, std::string& into) {
    if (i + 1 >= argc || !argv[i + 1] || !*argv[i + 1]) {
      error = std::string(option) + " needs " + valueName;
      return false;
    }
    if (!into.empty()) {
      error = std::string(option) + " given twice";
      return false;
    }
    into = argv[++i];
    return true;
  };
  for (; i < argc; ++i) {
    std::string_view arg = argv[i] ? argv[i] : "";
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--utf8") {
      options.utf8 = true;
    } else if (!optionsEnded && (arg == "-h" || arg == "--help")) {
      options.help = true;
    } else if (!optionsEnded && arg == "--clipboard") {
      if (!kClipboardAvailable) {
        error = "--clipboard is available only on Windows";
        return std::nullopt;
      }
      options.clipboard = true;
    } else if (!optionsEnded && arg == "--list") {
      options.list = true;
    } else if (!optionsEnded && arg == "--dialog") {
      if (!takeValue(arg, "a dialog name", options.dialog)) return std::nullopt;
    } else if (!optionsEnded && arg == "-o") {
      if (!takeValue(arg, "a file name", options.outputPath)) return std::nullopt;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + std::string(arg);
      return std::nullopt;
    } else if (options.scriptPath.empty() && !arg.empty()) {
      options.scriptPath = std::string(arg);
    } else {
      error = arg.empty() ? "empty file name" : "only one FILE.rc may be given";
      return std::nullopt;
    }
  }
  if (options.list && (!options.dialog.empty() || options.clipboard)) {
    error = "--list goes with neither --dialog nor --clipboard";
    return std::nullopt;
  }
  if (options.scriptPath.empty() && !options.help) {
    error = "no FILE.rc given";
    return std::nullopt;
  }
  return options;
}

std::string Utf8FromCodePage936(std::string_view bytes) {
  if (bytes.empty()) return {};
#ifdef _WIN32
  int units = MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), units);
  int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), length, nullptr, nullptr);
  return utf8;
#else
  iconv_t converter = iconv_open("UTF-8", "CP936");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
  std::string utf8;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  char chunk[4096];
  while (inLeft > 0) {
    char* out = chunk;
    size_t outLeft = sizeof chunk;
    size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    utf8.append(chunk, sizeof chunk - outLeft);
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      utf8 += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
    }
  }
  iconv_close(converter);
  return utf8;
#endif
}

int RunCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  std::string error;
  std::optional<Options> options = ParseOptions(argc, argv, error);
  if (!options) {
    std::fprintf(err, "rc2e-cli: %s\n%s", error.c_str(), UsageText());
    return kExitUsage;
  }
  if (options->help) {
    std::fputs(UsageText(), out);
    return kExitSuccess;
  }

  Generation generation = ComposeFromFile(options->scriptPath.c_str(), options->dialog);
  if (generation.outcome == GenerateOutcome::SeveralPaths) {
    std::fprintf(err, "rc2e-cli: %s: names several files\n", options->scriptPath.c_str());
    return kExitFailure;
  }
  if (generation.outcome == GenerateOutcome::NoSuchDialog) {
    std::fprintf(err, "rc2e-cli: %s: no dialog %s; its dialogs: %s\n", options->scriptPath.c_str(),
                 options->dialog.c_str(), DialogNames(generation.dialogs).c_str());
    return kExitFailure;
  }
  if (generation.outcome != GenerateOutcome::Done) {
    std::fprintf(err, "rc2e-cli: %s: %s\n", options->scriptPath.c_str(), DescribeScriptReadStatus(generation.readStatus));
    return kExitFailure;
  }

  std::string listing = options->list ? DialogListing(generation.dialogs) : std::string();
  std::string_view clipboardBytes = options->list ? std::string_view(listing) : generation.output.view();
  std::string written = options->utf8 ? Utf8FromCodePage936(clipboardBytes) : std::string(clipboardBytes);
  if (options->outputPath.empty()) {
    if (!WriteAll(out, written) || std::fflush(out) != 0) {
      std::fprintf(err, "rc2e-cli: cannot write to standard output\n");
      return kExitFailure;
    }
  } else {
    std::FILE* file = std::fopen(options->outputPath.c_str(), "wb");
    bool ok = file && WriteAll(file, written);
    if (file && std::fclose(file) != 0) ok = false;
    if (!ok) {
      std::fprintf(err, "rc2e-cli: %s: cannot be written\n", options->outputPath.c_str());
      return kExitFailure;
    }
  }
  if (options->clipboard && !SetClipboardText(generation.output)) {
    std::fprintf(err, "rc2e-cli: the clipboard cannot be written\n");
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace rc2e::cli
