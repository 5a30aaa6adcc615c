// rc2e-cli's process entry: binary standard output, and fatal reports (a library that
// cannot be bound, exhausted memory) written to standard error with exit code 1.
#include <cstdio>
#include <cstring>

#include "cli/command_line.h"
#include "runtime/platform.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// A command-line tool shows no message boxes, and a fatal report is a failure.
class CommandLinePlatform : public rc2e::HostPlatform {
 public:
  explicit CommandLinePlatform(bool utf8) : utf8_(utf8) {}
  int ShowMessageBox(const char* text, const char* caption, unsigned) override {
    std::string message = std::string(caption ? caption : "") + ": " + (text ? text : "");
    if (utf8_) message = rc2e::cli::Utf8FromCodePage936(message);
    std::fprintf(stderr, "rc2e-cli: %s\n", message.c_str());
    return 1;
  }
  [[noreturn]] void EndProcess(int) override {
    std::fflush(nullptr);
    rc2e::HostPlatform::EndProcess(rc2e::cli::kExitFailure);
  }

 private:
  bool utf8_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  bool utf8 = false;
  for (int i = 1; i < argc; ++i) utf8 = utf8 || std::strcmp(argv[i], "--utf8") == 0;
  CommandLinePlatform platform(utf8);
  rc2e::ReplacePlatform(&platform);
  int code = rc2e::cli::RunCommandLine(argc, argv, stdout, stderr);
  rc2e::ReplacePlatform(nullptr);
  return code;
}
