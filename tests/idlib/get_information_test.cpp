// The built identifier library as the program loads it: its export table, both functions
// and the lifetime of the returned symbol. The line syntax itself is definition_line_test's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
#define IDLIB_CALL __stdcall
#else
#define IDLIB_CALL
#endif
using GetId = int(IDLIB_CALL*)(char*);
using GetStr = char*(IDLIB_CALL*)(char*);

class GetInformationTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    library_ = LoadLibraryA("Get_Information.dll");
    ASSERT_NE(library_, nullptr);
    getId_ = reinterpret_cast<GetId>(reinterpret_cast<void*>(GetProcAddress(library_, "_Z7get1_idPc@4")));
    getStr_ = reinterpret_cast<GetStr>(reinterpret_cast<void*>(GetProcAddress(library_, "_Z8get1_strPc@4")));
#else
    char self[4096] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    std::string path(self, static_cast<size_t>(n));
    path = path.substr(0, path.rfind('/') + 1) + "Get_Information.so";
    library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library_, nullptr) << dlerror();
    // ELF knows no stdcall decoration: the same functions under their undecorated names.
    getId_ = reinterpret_cast<GetId>(dlsym(library_, "_Z7get1_idPc"));
    getStr_ = reinterpret_cast<GetStr>(dlsym(library_, "_Z8get1_strPc"));
#endif
    ASSERT_NE(getId_, nullptr);
    ASSERT_NE(getStr_, nullptr);
  }
  void TearDown() override {
#ifdef _WIN32
    if (library_) FreeLibrary(library_);
#else
    if (library_) dlclose(library_);
#endif
  }

#ifdef _WIN32
  HMODULE library_ = nullptr;
#else
  void* library_ = nullptr;
#endif
  GetId getId_ = nullptr;
  GetStr getStr_ = nullptr;
};

#ifdef _WIN32
TEST_F(GetInformationTest, ExportsExactlyTheTwoDecoratedNames) {
  auto* base = reinterpret_cast<const unsigned char*>(library_);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  ASSERT_NE(entry.VirtualAddress, 0u);
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> exported;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) exported.emplace_back(reinterpret_cast<const char*>(base + names[i]));
  EXPECT_EQ(exported, (std::vector<std::string>{"_Z7get1_idPc@4", "_Z8get1_strPc@4"}));
  EXPECT_EQ(exports->NumberOfFunctions, 2u);
}
#endif

TEST_F(GetInformationTest, ReturnsIdAndNameOfADefinitionLine) {
  char line[] = "#define IDC_EDIT1 1001 // the edit box";
  EXPECT_EQ(getId_(line), 1001);
  EXPECT_STREQ(getStr_(line), "IDC_EDIT1");
  EXPECT_STREQ(line, "#define IDC_EDIT1 1001 // the edit box");
}

TEST_F(GetInformationTest, LineThatDefinesNothingGivesEmptyNameAndZero) {
  char line[] = "#include \"resource.h\"";
  EXPECT_EQ(getId_(line), 0);
  const char* name = getStr_(line);
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name, "");
  EXPECT_EQ(getId_(nullptr), 0);
  EXPECT_STREQ(getStr_(nullptr), "");
}

TEST_F(GetInformationTest, NameStaysReadableUntilTheNextCall) {
  char first[] = "#define SHORT 1";
  const char* name = getStr_(first);
  char id[] = "#define LONGER_THAN_THE_FIRST 2";
  getId_(id);  // get1_id leaves the symbol buffer alone
  EXPECT_STREQ(name, "SHORT");
  std::string longName(5000, 'N');
  std::string longLine = "#define " + longName + " 3";
  EXPECT_EQ(getStr_(longLine.data()), longName);
}

}  // namespace
