// The built rc2e.exe read as a file: a 32-bit GUI image without run-time DLLs of the compiler,
// dialog template 1000 field by field, icon group 129 with its one image, all of language 2052.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app_test_support.h"

namespace rc2e {
namespace {

constexpr WORD kLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// Reads the fields of a DLGTEMPLATEEX and its items in order.
class TemplateReader {
 public:
  explicit TemplateReader(const BYTE* data) : at_(data) {}
  WORD Word() { return Read<WORD>(); }
  DWORD Dword() { return Read<DWORD>(); }
  BYTE Byte() { return Read<BYTE>(); }
  short Short() { return Read<short>(); }
  // A sz_Or_Ord field: a UTF-16 text, or 0xFFFF and an ordinal written "#n".
  std::string NameOrOrdinal() {
    if (reinterpret_cast<const WORD*>(at_)[0] == 0xFFFF) {
      at_ += 2;
      return "#" + std::to_string(Word());
    }
    return Unicode();
  }
  // The UTF-16 text converted to the ANSI code page (936 here).
  std::string Unicode() {
    const auto* text = reinterpret_cast<const WCHAR*>(at_);
    int length = lstrlenW(text);
    at_ += 2 * (length + 1);
    char converted[512] = {};
    WideCharToMultiByte(CP_ACP, 0, text, length, converted, sizeof converted - 1, nullptr, nullptr);
    return converted;
  }
  void AlignToDword(const BYTE* base) {
    while ((at_ - base) % 4) ++at_;
  }

 private:
  template <class T>
  T Read() {
    T value;
    std::memcpy(&value, at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  const BYTE* at_;
};

class ProgramImage : public ::testing::Test {
 protected:
  void SetUp() override {
    path = testing::FolderOfThisProgram() + "rc2e.exe";
    image = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(image, nullptr) << path;
  }
  void TearDown() override { FreeLibrary(image); }

  const BYTE* Resource(LPCSTR type, int id, DWORD* size = nullptr) {
    HRSRC found = FindResourceExA(image, type, MAKEINTRESOURCEA(id), kLanguage);
    if (!found) return nullptr;
    if (size) *size = SizeofResource(image, found);
    return static_cast<const BYTE*>(LockResource(LoadResource(image, found)));
  }

  std::string path;
  HMODULE image = nullptr;
};

TEST_F(ProgramImage, IsAStatic32BitGuiProgramWithTheLibraryBesideIt) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  bytes.resize(GetFileSize(file, nullptr));
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(bytes.data() + dos->e_lfanew);
  EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  // Names of the imported DLLs, from the import directory through the section table.
  const auto* sections = IMAGE_FIRST_SECTION(nt);
  auto offsetOf = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& s = sections[i];
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
        return rva - s.VirtualAddress + s.PointerToRawData;
    }
    return 0;
  };
  std::vector<std::string> imports;
  DWORD importRva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(bytes.data() + offsetOf(importRva)); d->Name; ++d)
    imports.push_back(bytes.data() + offsetOf(d->Name));
  EXPECT_FALSE(imports.empty());
  for (std::string name : imports) {
    CharLowerA(name.data());
    for (const char* runtimeLibrary : {"libstdc++", "libgcc", "libwinpthread"})
      EXPECT_EQ(name.find(runtimeLibrary), std::string::npos) << name << ": the run-time is linked statically";
  }
  EXPECT_NE(GetFileAttributesA((testing::FolderOfThisProgram() + "Get_Information.dll").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramImage, DialogTemplate1000IsExactlyTheMainWindow) {
  const BYTE* data = Resource(RT_DIALOG, 1000);
  ASSERT_NE(data, nullptr) << "dialog 1000 of language 2052";
  TemplateReader t(data);
  EXPECT_EQ(t.Word(), 1) << "version";
  EXPECT_EQ(t.Word(), 0xFFFF) << "signature";
  EXPECT_EQ(t.Dword(), 0u) << "help id";
  EXPECT_EQ(t.Dword(), 0u) << "extended style";
  EXPECT_EQ(t.Dword(), 0x10CA0840u) << "style";
  EXPECT_EQ(t.Word(), 1) << "number of controls";
  EXPECT_EQ(t.Short(), 10) << "x";
  EXPECT_EQ(t.Short(), 10) << "y";
  EXPECT_EQ(t.Short(), 286) << "width";
  EXPECT_EQ(t.Short(), 133) << "height";
  EXPECT_EQ(t.NameOrOrdinal(), "") << "menu";
  EXPECT_EQ(t.NameOrOrdinal(), "") << "window class";
  EXPECT_EQ(t.Unicode(), testing::kMainCaption);
  EXPECT_EQ(t.Word(), 8) << "points";
  EXPECT_EQ(t.Word(), 0) << "weight";
  EXPECT_EQ(t.Byte(), 0) << "italic";
  EXPECT_EQ(t.Byte(), 0) << "character set";
  EXPECT_EQ(t.Unicode(), "MS Sans Serif");

  t.AlignToDword(data);
  EXPECT_EQ(t.Dword(), 0u) << "control help id";
  EXPECT_EQ(t.Dword(), 0u) << "control extended style";
  EXPECT_EQ(t.Dword(), 0x50000003u) << "control style";
  EXPECT_EQ(t.Short(), 0) << "control x";
  EXPECT_EQ(t.Short(), 120) << "control y";
  EXPECT_EQ(t.Short(), 261) << "control width";
  EXPECT_EQ(t.Short(), 15) << "control height";
  EXPECT_EQ(t.Dword(), 1001u) << "control id";
  EXPECT_EQ(t.NameOrOrdinal(), "msctls_statusbar32");
  EXPECT_EQ(t.NameOrOrdinal(), "请将RC拖入");
  EXPECT_EQ(t.Word(), 0) << "creation data";
}

#pragma pack(push, 2)
struct IconGroupEntry {
  BYTE width, height, colorCount, reserved;
  WORD planes, bitCount;
  DWORD bytesInRes;
  WORD id;
};
#pragma pack(pop)

TEST_F(ProgramImage, IconGroup129HoldsOne128PixelTrueColourImage) {
  const BYTE* group = Resource(RT_GROUP_ICON, 129);
  ASSERT_NE(group, nullptr) << "icon group 129 of language 2052";
  const auto* words = reinterpret_cast<const WORD*>(group);
  EXPECT_EQ(words[1], 1) << "type icon";
  ASSERT_EQ(words[2], 1) << "one image";
  IconGroupEntry entry;
  std::memcpy(&entry, group + 6, sizeof entry);
  EXPECT_EQ(entry.width, 128);
  EXPECT_EQ(entry.height, 128);
  EXPECT_EQ(entry.bitCount, 32);
  EXPECT_EQ(entry.id, 1) << "RT_ICON 1";

  DWORD size = 0;
  const BYTE* image = Resource(RT_ICON, entry.id, &size);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(size, entry.bytesInRes);
  BITMAPINFOHEADER header;
  std::memcpy(&header, image, sizeof header);
  EXPECT_EQ(header.biWidth, 128);
  EXPECT_EQ(header.biHeight, 256) << "colour rows and mask rows";
  EXPECT_EQ(header.biBitCount, 32);
  EXPECT_EQ(header.biClrUsed, 0u) << "no palette";
  EXPECT_EQ(size, sizeof header + 128u * 128u * 4u + 128u * 16u);

  HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image), size, TRUE, 0x00030000, 128, 128, 0);
  EXPECT_NE(icon, nullptr) << "the system accepts the image";
  DestroyIcon(icon);
}

}  // namespace
}  // namespace rc2e
