// Test seam: the host platform with message boxes recorded instead of shown and the
// process end turned into a ProcessEnded exception that the test catches.
// Never install it around code that runs inside a window procedure.
#pragma once

#include <string>
#include <vector>

#include "runtime/fatal.h"
#include "runtime/platform.h"

namespace rc2e::testing {

struct ProcessEnded {
  int exitCode;
};

struct RecordedBox {
  std::string text;
  std::string caption;
  unsigned flags;
};

class RecordingPlatform : public HostPlatform {
 public:
  RecordingPlatform() { previous_ = ReplacePlatform(this); }
  ~RecordingPlatform() override { ReplacePlatform(previous_); }

  int ShowMessageBox(const char* text, const char* caption, unsigned flags) override {
    boxes.push_back({text ? text : "", caption ? caption : "", flags});
    return 1;
  }
  [[noreturn]] void EndProcess(int exitCode) override { throw ProcessEnded{exitCode}; }
  void* Allocate(size_t bytes) override {
    if (failAllocationsAbove && bytes > failAllocationsAbove) return nullptr;
    return HostPlatform::Allocate(bytes);
  }
  void* Reallocate(void* block, size_t bytes) override {
    if (failAllocationsAbove && bytes > failAllocationsAbove) return nullptr;
    return HostPlatform::Reallocate(block, bytes);
  }
  void Release(void* block) override {
    ++releases;
    HostPlatform::Release(block);
  }

  std::vector<RecordedBox> boxes;
  size_t failAllocationsAbove = 0;  // 0: never fail; applies to Allocate and Reallocate
  int releases = 0;                 // blocks handed back to the heap

 private:
  Platform* previous_;
};

// Runs f, which must end the process; returns the exit code it ended with, or -1000
// when it returned normally.
template <class F>
int ExitCodeOf(F&& f) {
  try {
    f();
  } catch (const ProcessEnded& ended) {
    return ended.exitCode;
  }
  return -1000;
}

}  // namespace rc2e::testing
