// Prints how the run-time text and file services scale with the size of a resource
// script: 25, 50 and 100 MB files read whole, turned into text, split and searched.
// Prints figures only; it asserts no timing.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <ctime>

#include "generator/line_services.h"
#include "runtime/file_services.h"
#include "runtime/text_services.h"

namespace {

// <chrono> cannot be compiled with the GBK execution character set; timespec_get can.
struct Clock {
  static double now() {
    timespec t;
    timespec_get(&t, TIME_UTC);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
};

double SecondsSince(double start) { return Clock::now() - start; }

std::string WriteScript(const std::filesystem::path& path, size_t bytes) {
  std::string line = "    CONTROL         \"\",1001,\"msctls_statusbar32\",0x3,0,0,100,12\r\n";
  std::string content;
  content.reserve(bytes + line.size());
  while (content.size() + line.size() <= bytes) content += line;
  content += "IDC_LAST_WORD";
  std::ofstream(path, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
  return path.string();
}

}  // namespace

int main() {
  std::printf("%8s %10s %10s %10s %10s %10s  (seconds)\n", "MB", "ReadWhole", "ToText", "Split", "Find", "ReadText");
  for (size_t megabytes : {25u, 50u, 100u}) {
    auto path = std::filesystem::temp_directory_path() / "rc2e_runtime_bench.rc";
    std::string file = WriteScript(path, megabytes << 20);

    auto start = Clock::now();
    rc2e::ByteBuffer bytes = rc2e::ReadWholeFile(file.c_str());
    double readWhole = SecondsSince(start);

    start = Clock::now();
    rc2e::Text text = rc2e::BytesToText(bytes);
    double toText = SecondsSince(start);

    start = Clock::now();
    int32_t lines = rc2e::CountLines(text);
    double split = SecondsSince(start);

    start = Clock::now();
    int32_t found = rc2e::FindInText(text, "idc_last_word", 1, true);
    double find = SecondsSince(start);

    start = Clock::now();
    rc2e::FileObject* object = rc2e::OpenFileObject(file.c_str(), 1);
    rc2e::Text read = rc2e::ReadTextFromFile(object);
    rc2e::CloseFileObject(object);
    double readText = SecondsSince(start);

    std::printf("%8zu %10.3f %10.3f %10.3f %10.3f %10.3f  lines=%d found@%d read=%zu\n", megabytes, readWhole,
                toText, split, find, readText, lines, found, read.Length());
    std::filesystem::remove(path);
  }
  return 0;
}
