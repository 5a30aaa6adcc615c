// Benchmark of composing the output (clipboard excluded) for synthetic scripts of 1,000,
// 10,000 and 100,000 controls; prints time and peak memory per size. Not a test: it checks nothing.
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "generator/code_generator.h"
#include "runtime/platform.h"

namespace {

// The host platform, counting the bytes of live heap blocks and their peak.
class CountingPlatform : public rc2e::HostPlatform {
 public:
  void* Allocate(size_t bytes) override { return Count(HostPlatform::Allocate(bytes), 0); }
  void* Reallocate(void* block, size_t bytes) override {
    size_t before = block ? malloc_usable_size(block) : 0;
    return Count(HostPlatform::Reallocate(block, bytes), before);
  }
  void Release(void* block) override {
    if (block) live_ -= malloc_usable_size(block);
    HostPlatform::Release(block);
  }
  void StartPeak() { peak_ = live_; base_ = live_; }
  size_t PeakAboveStart() const { return peak_ - base_; }

 private:
  void* Count(void* block, size_t before) {
    if (block) {
      live_ += malloc_usable_size(block) - before;
      peak_ = std::max(peak_, live_);
    }
    return block;
  }
  size_t live_ = 0;
  size_t peak_ = 0;
  size_t base_ = 0;
};

// A header block of defines, one DIALOGEX, and CONTROL lines going round all the class rows.
std::string SyntheticScript(int controls) {
  static const char* const kClasses[][2] = {
      {"RichEdit20A", "ES_MULTILINE"}, {"Edit", "ES_AUTOHSCROLL"},   {"Static", "SS_LEFT"},
      {"Static", "SS_BITMAP"},         {"Button", "BS_GROUPBOX"},    {"Button", "BS_PUSHBUTTON"},
      {"Button", "BS_AUTOCHECKBOX"},   {"Button", "BS_AUTORADIOBUTTON"}, {"ComboBoxEx32", "CBS_DROPDOWN"},
      {"ComboBox", "CBS_DROPDOWN"},    {"ListBox", "LBS_NOTIFY"},    {"ScrollBar", "SBS_HORZ"},
      {"SysTabControl32", "0x0"},      {"msctls_progress32", "0x0"}, {"SysTreeView32", "TVS_HASLINES"},
      {"SysListView32", "LVS_REPORT"}, {"msctls_trackbar32", "0x0"}, {"msctls_updown32", "0x0"},
      {"ToolbarWindow32", "0x0"},      {"msctls_statusbar32", "0x0"}, {"SysDateTimePick32", "0x0"},
      {"SysMonthCal32", "0x0"},        {"SysAnimate32", "0x0"},      {"msctls_hotkey32", "0x0"},
      {"SysHeader32", "0x0"},          {"SysLink", "0x0"},
  };
  constexpr int kClassCount = sizeof kClasses / sizeof kClasses[0];
  std::string script = "#define IDD_MAIN 100\r\n";
  for (int i = 1; i <= controls; ++i) script += "#define IDC_CONTROL" + std::to_string(i) + " " + std::to_string(1000 + i) + "\r\n";
  script += "\r\nIDD_MAIN DIALOGEX 0, 0, 400, 300\r\nSTYLE DS_SETFONT | WS_POPUP | WS_CAPTION\r\nBEGIN\r\n";
  for (int i = 1; i <= controls; ++i) {
    const char* const* c = kClasses[i % kClassCount];
    script += "    CONTROL \"\", IDC_CONTROL" + std::to_string(i) + ", \"" + c[0] + "\", " + c[1] +
              " | WS_TABSTOP, 7, 7, 50, 14\r\n";
  }
  script += "END\r\n";
  return script;
}

// The process's resident peak in kB, after resetting it where the kernel allows.
long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}
void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// <chrono> cannot be compiled with the code page 936 execution character set.
double NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

int main() {
  CountingPlatform platform;
  rc2e::ReplacePlatform(&platform);
  std::printf("%9s %12s %10s %12s %14s %10s %14s\n", "controls", "file bytes", "ms", "ms/1000 ctl", "heap peak", "x file",
              "peak RSS kB");
  for (int controls : {1000, 10000, 100000}) {
    std::string path = "bench_script_" + std::to_string(controls) + ".rc";
    std::string script = SyntheticScript(controls);
    {
      std::ofstream(path, std::ios::binary) << script;
    }
    // The first run also loads the identifier library; the best of three counts.
    double best = 1e300;
    size_t heapPeak = 0;
    size_t outputBytes = 0;
    ResetPeakResident();
    for (int run = 0; run < 3; ++run) {
      platform.StartPeak();
      double start = NowMs();
      rc2e::Generation generation = rc2e::ComposeFromFile(path.c_str());
      double elapsed = NowMs() - start;
      heapPeak = std::max(heapPeak, platform.PeakAboveStart());
      outputBytes = generation.output.Length();
      best = std::min(best, elapsed);
    }
    long rss = PeakResidentKb();
    std::printf("%9d %12zu %10.1f %12.2f %14zu %10.2f %14ld   (output %zu bytes)\n", controls, script.size(), best,
                best * 1000.0 / controls, heapPeak, static_cast<double>(heapPeak) / static_cast<double>(script.size()),
                rss, outputBytes);
    std::remove(path.c_str());
  }
  rc2e::ReplacePlatform(nullptr);
  return 0;
}
