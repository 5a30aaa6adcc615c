// File services against real files: the open-file list and its exit hook, the mode
// table, reading text up to NUL or Ctrl-Z, whole files (missing, empty, 100 MB).
#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "runtime/file_services.h"
#include "runtime/text_services.h"
#include "tests/runtime/runtime_test_support.h"
#include "tests/support/recording_platform.h"

namespace rc2e {
namespace {

using testing::ScratchFolder;

// Whether the file opened at path through handle (with sharing 4 on Win32) is still open.
// Win32 reuses handle values at once, so there the file itself is asked: an exclusive
// opener keeps every other open out.
bool StillOpen(const std::string& path, FileHandle handle) {
#ifdef _WIN32
  (void)handle;
  HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (other == INVALID_HANDLE_VALUE) return true;
  CloseHandle(other);
  return false;
#else
  (void)path;
  return fcntl(static_cast<int>(handle), F_GETFD) != -1;
#endif
}

// Whether a byte can be read from / written to the handle at its current position.
bool CanRead(FileHandle handle) {
  char byte;
#ifdef _WIN32
  DWORD done = 0;
  return ReadFile(reinterpret_cast<HANDLE>(handle), &byte, 1, &done, nullptr) != FALSE;
#else
  return read(static_cast<int>(handle), &byte, 1) >= 0;
#endif
}

bool CanWrite(FileHandle handle) {
  char byte = 'w';
#ifdef _WIN32
  DWORD done = 0;
  return WriteFile(reinterpret_cast<HANDLE>(handle), &byte, 1, &done, nullptr) != FALSE && done == 1;
#else
  return write(static_cast<int>(handle), &byte, 1) == 1;
#endif
}

int64_t PositionOf(FileObject* file) { return CurrentPlatform().FilePosition(file->handle); }

class FileServices : public ScratchFolder {
 protected:
  void TearDown() override {
    OpenFileList::CloseAll();
    ScratchFolder::TearDown();
  }
  testing::SavedExitHooks savedHooks;
};

TEST_F(FileServices, OpenedFilesAreListedNewestFirstUntilClosed) {
  std::string path = WriteFile("a.txt", "abc");
  OpenFileList::CloseAll();
  EXPECT_EQ(GetExitHook(ExitHookSlot::Files), nullptr);
  FileObject* first = OpenFileObject(path.c_str(), 1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->kind, kDiskFile);
  EXPECT_NE(GetExitHook(ExitHookSlot::Files), nullptr);
  FileObject* second = OpenFileObject(path.c_str(), 1);
  EXPECT_EQ(OpenFileList::Head(), second);
  EXPECT_EQ(second->next, first);

  std::string otherPath = WriteFile("x.txt", "x");
  FileObject* exclusive = OpenFileObject(otherPath.c_str(), 1, 4);
  ASSERT_NE(exclusive, nullptr);
  FileHandle handle = exclusive->handle;
  EXPECT_TRUE(StillOpen(otherPath, handle));
  EXPECT_TRUE(CloseFileObject(exclusive));
  EXPECT_FALSE(StillOpen(otherPath, handle));

  EXPECT_TRUE(CloseFileObject(first));
  EXPECT_FALSE(OpenFileList::Contains(first));
  EXPECT_FALSE(CloseFileObject(first));
  EXPECT_FALSE(CloseFileObject(nullptr));
  EXPECT_TRUE(ReadTextFromFile(first).IsNull()) << "a closed object is unknown";
  EXPECT_EQ(OpenFileList::Head(), second);
  EXPECT_EQ(second->next, nullptr);
}

TEST_F(FileServices, ExitHookClosesEveryFileStillOpen) {
  std::string pathA = WriteFile("a.txt", "abc");
  std::string pathB = WriteFile("b.txt", "abc");
  FileHandle a = OpenFileObject(pathA.c_str(), 1, 4)->handle;
  FileHandle b = OpenFileObject(pathB.c_str(), 1, 4)->handle;
  ASSERT_TRUE(StillOpen(pathA, a));
  {
    testing::RecordingPlatform platform;
    EXPECT_EQ(testing::ExitCodeOf([] { ExitProgram(0); }), 0);
  }
  EXPECT_EQ(OpenFileList::Head(), nullptr);
  EXPECT_EQ(GetExitHook(ExitHookSlot::Files), nullptr);
  EXPECT_FALSE(StillOpen(pathA, a));
  EXPECT_FALSE(StillOpen(pathB, b));

  ASSERT_NE(OpenFileObject(pathA.c_str(), 1), nullptr);
  EXPECT_NE(GetExitHook(ExitHookSlot::Files), nullptr) << "the next first file installs the hook again";
}

TEST_F(FileServices, ModesGiveTheirAccessAndCreation) {
  struct Case {
    std::optional<int32_t> mode;
    bool fileExists;
    bool opens = false, reads = false, writes = false, truncates = false;
  } cases[] = {
      {1, true, true, true, false, false},           {1, false, false},
      {2, true, true, false, true, false},           {2, false, false},
      {3, true, true, true, true, false},            {3, false, false},
      {4, true, true, false, true, true},            {4, false, true, false, true, true},
      {5, true, true, false, true, false},           {5, false, true, false, true, false},
      {6, true, true, true, true, false},            {6, false, true, true, true, false},
      {std::nullopt, true, true, true, true, false}, {std::nullopt, false, false},
      {0, true, true, true, true, false},            {99, false, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string name = "mode" + std::to_string(n++);
    std::string path = c.fileExists ? WriteFile(name, "content") : PathOf(name);
    FileObject* file = OpenFileObject(path.c_str(), c.mode);
    std::string label = "mode " + (c.mode ? std::to_string(*c.mode) : std::string("omitted")) +
                        (c.fileExists ? " on a file" : " on no file");
    ASSERT_EQ(file != nullptr, c.opens) << label;
    if (!file) {
      EXPECT_FALSE(std::filesystem::exists(path)) << label;
      continue;
    }
    EXPECT_EQ(CurrentPlatform().FileSize(file->handle), c.truncates || !c.fileExists ? 0 : 7) << label;
    EXPECT_EQ(CanRead(file->handle), c.reads) << label;
    EXPECT_EQ(CanWrite(file->handle), c.writes) << label;
    CloseFileObject(file);
  }
}

TEST_F(FileServices, ReadTextStopsAtNulOrCtrlZAndLeavesThePositionThere) {
  struct Case {
    std::string_view content;
    std::optional<int32_t> length;
    const char* expected;  // null: null text
    int64_t position;      // afterwards
  } cases[] = {
      {std::string_view("abc\0def", 7), std::nullopt, "abc", 3},
      {"ab\x1A" "cd", std::nullopt, "ab", 2},
      {std::string_view("\0abc", 4), std::nullopt, "", 0},
      {"\x1A", std::nullopt, "", 0},
      {"", std::nullopt, "", 0},
      {"hello", 2, "he", 2},
      {"hello", 100, "hello", 5},
      {"hello", 0, nullptr, 0},
      {"hello", -1, nullptr, 0},
      {"中文", std::nullopt, "中文", 4},
  };
  int n = 0;
  for (const Case& c : cases) {
    std::string path = WriteFile("r" + std::to_string(n++), c.content);
    FileObject* file = OpenFileObject(path.c_str(), 1);
    ASSERT_NE(file, nullptr);
    Text text = ReadTextFromFile(file, c.length);
    if (!c.expected) {
      EXPECT_TRUE(text.IsNull()) << c.content;
    } else {
      EXPECT_FALSE(text.IsNull()) << c.content << ": an empty read is an allocated text";
      EXPECT_EQ(text.view(), c.expected);
    }
    EXPECT_EQ(PositionOf(file), c.position) << c.content;
    CloseFileObject(file);
  }
}

TEST_F(FileServices, SuccessiveReadsContinueFromTheStoppingByte) {
  std::string path = WriteFile("s", std::string_view("hello\0world", 11));
  FileObject* file = OpenFileObject(path.c_str(), 1);
  EXPECT_EQ(ReadTextFromFile(file, 2).view(), "he");
  EXPECT_EQ(ReadTextFromFile(file).view(), "llo");
  Text atNul = ReadTextFromFile(file);
  EXPECT_FALSE(atNul.IsNull());
  EXPECT_EQ(atNul.view(), "");
  EXPECT_EQ(PositionOf(file), 5);
  CurrentPlatform().SetFilePosition(file->handle, 6);
  EXPECT_EQ(ReadTextFromFile(file).view(), "world");
  EXPECT_FALSE(ReadTextFromFile(file).IsNull()) << "at the end: allocated empty text";
}

TEST_F(FileServices, ReadTextRejectsUnknownObjects) {
  FileObject stranger{kDiskFile, kInvalidFile, nullptr};
  EXPECT_TRUE(ReadTextFromFile(nullptr).IsNull());
  EXPECT_TRUE(ReadTextFromFile(&stranger).IsNull());
  EXPECT_EQ(OpenFileObject(PathOf("missing").c_str(), 1), nullptr);
  EXPECT_EQ(OpenFileObject(nullptr), nullptr);
}

TEST_F(FileServices, ReadWholeFileGivesEveryByteOrNoBlock) {
  EXPECT_EQ(ReadWholeFile(PathOf("missing").c_str()).Block(), nullptr);
  EXPECT_EQ(ReadWholeFile(folder_.string().c_str()).Block(), nullptr) << "a folder is no file";
  EXPECT_EQ(ReadWholeFile(nullptr).Block(), nullptr);

  ByteBuffer empty = ReadWholeFile(WriteFile("empty", "").c_str());
  EXPECT_NE(empty.Block(), nullptr);
  EXPECT_EQ(empty.Count(), 0);
  EXPECT_TRUE(BytesToText(empty).IsNull());

  ByteBuffer bytes = ReadWholeFile(WriteFile("zero", std::string_view("a\0b\x1A", 4)).c_str());
  ASSERT_EQ(bytes.Count(), 4);
  EXPECT_EQ(bytes.At(2), 0);
  EXPECT_EQ(bytes.At(4), 0x1A);
  EXPECT_EQ(BytesToText(bytes).view(), "a");
  EXPECT_EQ(OpenFileList::Head(), nullptr) << "a whole-file read is not registered";
}

TEST_F(FileServices, ReadWholeFileSharesWithAWriterButNotWithAnExclusiveOpener) {
  std::string path = WriteFile("shared", "data");
  FileObject* writer = OpenFileObject(path.c_str(), 3, 1);
  EXPECT_EQ(ReadWholeFile(path.c_str()).Count(), 4);
  CloseFileObject(writer);
#ifdef _WIN32
  FileObject* exclusive = OpenFileObject(path.c_str(), 1, 4);
  EXPECT_EQ(ReadWholeFile(path.c_str()).Block(), nullptr);
  CloseFileObject(exclusive);
#endif
}

TEST_F(FileServices, HundredMegabyteFileIsReadWhole) {
  constexpr size_t kSize = 100u << 20;
  std::string line(61, 'x');
  line += "\r\n";
  std::string content;
  content.reserve(kSize);
  while (content.size() + line.size() <= kSize) content += line;
  content.resize(kSize, 'y');
  std::string path = WriteFile("big", content);
  content.clear();
  content.shrink_to_fit();

  ByteBuffer bytes = ReadWholeFile(path.c_str());
  ASSERT_EQ(bytes.Count(), static_cast<int32_t>(kSize));
  EXPECT_EQ(bytes.At(62), '\r');
  EXPECT_EQ(bytes.At(static_cast<int32_t>(kSize)), 'y');
  Text text = BytesToText(bytes);
  EXPECT_EQ(text.Length(), kSize);

  FileObject* file = OpenFileObject(path.c_str(), 1);
  Text read = ReadTextFromFile(file);
  EXPECT_EQ(read.Length(), kSize);
  EXPECT_EQ(PositionOf(file), static_cast<int64_t>(kSize));
}

#ifdef _WIN32
// Whether a second CreateFileA of the path for the given access, itself sharing
// everything, is let in beside the FileObject.
bool SecondOpenSucceeds(const std::string& path, DWORD access) {
  HANDLE second = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (second == INVALID_HANDLE_VALUE) return false;
  CloseHandle(second);
  return true;
}

TEST_F(FileServices, SharingValuesGiveTheirShareModes) {
  struct Case {
    std::optional<int32_t> sharing;
    bool othersRead, othersWrite;
  } cases[] = {
      {std::nullopt, true, true}, {1, true, true}, {2, false, true}, {3, true, false},
      {4, false, false},          {0, true, true}, {7, true, true},
  };
  std::string path = WriteFile("shared", "data");
  for (const Case& c : cases) {
    std::string label = c.sharing ? std::to_string(*c.sharing) : std::string("omitted");
    FileObject* file = OpenFileObject(path.c_str(), 3, c.sharing);
    ASSERT_NE(file, nullptr) << label;
    EXPECT_EQ(SecondOpenSucceeds(path, GENERIC_READ), c.othersRead) << label;
    EXPECT_EQ(SecondOpenSucceeds(path, GENERIC_WRITE), c.othersWrite) << label;
    CloseFileObject(file);
  }
}

TEST_F(FileServices, FilesAreCreatedWithTheArchiveAttribute) {
  std::string path = PathOf("created");
  FileObject* file = OpenFileObject(path.c_str(), 4);
  ASSERT_NE(file, nullptr);
  CloseFileObject(file);
  DWORD attributes = GetFileAttributesA(path.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
}
#endif

}  // namespace
}  // namespace rc2e
