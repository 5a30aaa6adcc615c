// Run-time file services: file objects kept in the open-file list (closed by an exit hook
// at process end), reading text from them, and reading a whole file into a ByteBuffer.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/platform.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

inline constexpr int32_t kDiskFile = 1;

// One open file. Owned by OpenFileList from OpenFileObject until CloseFileObject or the
// process end; callers hold it by address.
struct FileObject {
  int32_t kind;
  FileHandle handle;
  FileObject* next;
};

// Every FileObject opened and not yet closed, newest first.
class OpenFileList {
 public:
  static FileObject* Head();
  static bool Contains(const FileObject* file);
  // Puts a new object at the head; the first one installs the Files exit hook.
  static FileObject* Register(FileHandle handle);
  // Unlinks and frees the object; false when it is not in the list.
  static bool Remove(FileObject* file);
  // The exit hook: closes every file still in the list and empties it.
  static void CloseAll();
};

// Mode 1 read, 2 write, 3 read-write (all opening an existing file), 4 write creating
// afresh, 5 write and 6 read-write opening or creating; omitted or other: as 3.
// Sharing 2 write, 3 read, 4 none; omitted or other: read and write. Null on failure.
FileObject* OpenFileObject(const char* path, std::optional<int32_t> mode = std::nullopt,
                           std::optional<int32_t> sharing = std::nullopt);
// Closes the handle and removes the object; false for null or an object not in the list.
bool CloseFileObject(FileObject* file);

// Reads length bytes (omitted: up to the end) from the current position and returns the
// bytes before the first NUL or 0x1A, leaving the position at that byte. Null for an
// unknown object, a length not above 0 or a failed read; an allocated empty text when
// nothing precedes the stopping byte.
Text ReadTextFromFile(FileObject* file, std::optional<int32_t> length = std::nullopt);

// The whole file (size taken as its low 32 bits); no block when it cannot be opened or
// is too large to be held. The file is not registered in OpenFileList.
ByteBuffer ReadWholeFile(const char* path);

}  // namespace rc2e
