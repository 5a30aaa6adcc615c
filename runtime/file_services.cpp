// The open-file list, its exit hook and the file reading services over the platform seam.
// Only disk files exist; reading never reports anything but its result.
#include "runtime/file_services.h"

#include <cstring>

#include "runtime/fatal.h"
#include "runtime/heap.h"

namespace rc2e {
namespace {

FileObject* openFiles = nullptr;

struct ModeEntry {
  uint32_t access;
  FileCreation creation;
};

ModeEntry ModeOf(std::optional<int32_t> mode) {
  switch (mode.value_or(0)) {
    case 1: return {kAccessRead, FileCreation::OpenExisting};
    case 2: return {kAccessWrite, FileCreation::OpenExisting};
    case 4: return {kAccessWrite, FileCreation::CreateAlways};
    case 5: return {kAccessWrite, FileCreation::OpenAlways};
    case 6: return {kAccessRead | kAccessWrite, FileCreation::OpenAlways};
    default: return {kAccessRead | kAccessWrite, FileCreation::OpenExisting};
  }
}

uint32_t ShareOf(std::optional<int32_t> sharing) {
  switch (sharing.value_or(1)) {
    case 2: return kShareWrite;
    case 3: return kShareRead;
    case 4: return kShareNone;
    default: return kShareRead | kShareWrite;
  }
}

}  // namespace

FileObject* OpenFileList::Head() { return openFiles; }

bool OpenFileList::Contains(const FileObject* file) {
  if (!file) return false;
  for (FileObject* entry = openFiles; entry; entry = entry->next) {
    if (entry == file) return true;
  }
  return false;
}

FileObject* OpenFileList::Register(FileHandle handle) {
  auto* file = static_cast<FileObject*>(AllocateBlock(sizeof(FileObject)));
  file->kind = kDiskFile;
  file->handle = handle;
  file->next = openFiles;
  openFiles = file;
  if (!GetExitHook(ExitHookSlot::Files)) SetExitHook(ExitHookSlot::Files, &OpenFileList::CloseAll);
  return file;
}

bool OpenFileList::Remove(FileObject* file) {
  for (FileObject** link = &openFiles; *link; link = &(*link)->next) {
    if (*link == file) {
      *link = file->next;
      FreeBlock(file);
      return true;
    }
  }
  return false;
}

void OpenFileList::CloseAll() {
  SetExitHook(ExitHookSlot::Files, nullptr);
  FileObject* entry = openFiles;
  openFiles = nullptr;
  Platform& platform = CurrentPlatform();
  while (entry) {
    FileObject* next = entry->next;
    if (entry->kind == kDiskFile) platform.CloseFile(entry->handle);
    FreeBlock(entry);
    entry = next;
  }
}

FileObject* OpenFileObject(const char* path, std::optional<int32_t> mode, std::optional<int32_t> sharing) {
  if (!path) return nullptr;
  ModeEntry entry = ModeOf(mode);
  FileHandle handle = CurrentPlatform().OpenPath(path, entry.access, ShareOf(sharing), entry.creation);
  if (handle == kInvalidFile) return nullptr;
  return OpenFileList::Register(handle);
}

bool CloseFileObject(FileObject* file) {
  if (!OpenFileList::Contains(file)) return false;
  CurrentPlatform().CloseFile(file->handle);
  return OpenFileList::Remove(file);
}

Text ReadTextFromFile(FileObject* file, std::optional<int32_t> length) {
  if (!OpenFileList::Contains(file)) return Text();
  if (length && *length <= 0) return Text();
  Platform& platform = CurrentPlatform();
  int64_t position = platform.FilePosition(file->handle);
  int64_t size = position < 0 ? -1 : platform.FileSize(file->handle);
  if (size < 0) {
    platform.SeekToEnd(file->handle);
    return Text();
  }
  // Omitted length: the low 32 bits of the size minus the position. A given length is
  // capped at what the file still holds, so no buffer is larger than the bytes to come.
  int64_t available = size - position;
  int64_t wanted = length ? *length : static_cast<int64_t>(static_cast<uint32_t>(size)) - position;
  if (wanted > available) wanted = available;
  if (wanted < 0) wanted = 0;

  Text buffer = Text::WithLength(static_cast<size_t>(wanted));
  uint32_t read = 0;
  if (!platform.ReadBytes(file->handle, buffer.data(), static_cast<uint32_t>(wanted), &read)) {
    platform.SeekToEnd(file->handle);
    return Text();
  }
  size_t stop = 0;
  const char* bytes = buffer.data();
  while (stop < read && bytes[stop] != '\0' && bytes[stop] != '\x1A') ++stop;
  platform.SetFilePosition(file->handle, position + static_cast<int64_t>(stop));
  if (stop == 0) return Text::AllocatedEmpty();
  // The buffer is zero beyond what was read, so it already is the text when nothing stopped early.
  if (stop == static_cast<size_t>(wanted)) return buffer;
  return Text::Copy(std::string_view(bytes, stop));
}

ByteBuffer ReadWholeFile(const char* path) {
  if (!path) return ByteBuffer();
  Platform& platform = CurrentPlatform();
  FileHandle handle = platform.OpenPath(path, kAccessRead, kShareRead | kShareWrite, FileCreation::OpenExisting);
  if (handle == kInvalidFile) return ByteBuffer();
  int64_t size = platform.FileSize(handle);
  uint32_t bytes = static_cast<uint32_t>(size);
  // A count has to fit the array's 32-bit signed element count.
  if (size < 0 || bytes > 0x7FFFFF00u) {
    platform.CloseFile(handle);
    return ByteBuffer();
  }
  ByteBuffer buffer(static_cast<int32_t>(bytes));
  uint32_t read = 0;
  if (bytes > 0) platform.ReadBytes(handle, buffer.begin(), bytes, &read);
  platform.CloseFile(handle);
  return buffer;
}

}  // namespace rc2e
