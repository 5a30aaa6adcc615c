// Fixtures shared by the run-time tests: scratch files, an address that cannot be read,
// saving the exit hooks around a test, and viewing split results as strings.
// Not a test itself.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

#include "runtime/fatal.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e::testing {

// A page that was mapped and given back, so reading it faults.
inline const void* UnreadableAddress() {
#ifdef _WIN32
  void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  VirtualFree(page, 0, MEM_RELEASE);
#else
  void* page = mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  munmap(page, 4096);
#endif
  return page;
}

// Keeps the four exit hooks of the process as they were before the test.
class SavedExitHooks {
 public:
  SavedExitHooks() {
    for (int i = 0; i < 4; ++i) saved_[i] = GetExitHook(static_cast<ExitHookSlot>(i));
  }
  ~SavedExitHooks() {
    for (int i = 0; i < 4; ++i) SetExitHook(static_cast<ExitHookSlot>(i), saved_[i]);
  }

 private:
  std::array<ExitHook, 4> saved_{};
};

// A folder of its own under the temporary folder, removed afterwards.
class ScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("rc2e_rt_") + info->test_suite_name() + "_" + info->name();
    for (char& c : name) {
      if (c == '/') c = '_';
    }
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  std::string WriteFile(const std::string& name, std::string_view bytes) const {
    std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};

inline constexpr const char* kNullMember = "<null>";

// Members of a split as strings, a null member shown as kNullMember.
inline std::vector<std::string> Members(const ValueArray<Text>& members) {
  std::vector<std::string> out;
  for (const Text& member : members) out.push_back(member.IsNull() ? kNullMember : std::string(member.view()));
  return out;
}

}  // namespace rc2e::testing
