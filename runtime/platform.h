// The one seam through which the run-time layer and the generator reach the operating
// system. HostPlatform is Win32 or POSIX; tests replace it to watch fatal reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rc2e {

using FileHandle = intptr_t;
inline constexpr FileHandle kInvalidFile = -1;
using LibraryHandle = void*;

enum FileAccess : uint32_t { kAccessRead = 1, kAccessWrite = 2 };
enum FileShare : uint32_t { kShareNone = 0, kShareRead = 1, kShareWrite = 2 };
enum class FileCreation { OpenExisting, CreateAlways, OpenAlways };

class Platform {
 public:
  virtual ~Platform() = default;

  // Heap: Allocate zero-fills and returns null when the heap is exhausted.
  virtual void* Allocate(size_t bytes) = 0;
  virtual void* Reallocate(void* block, size_t bytes) = 0;
  virtual void Release(void* block) = 0;
  virtual bool IsInProgramImage(const void* address) = 0;
  virtual bool IsReadable(const void* address, size_t bytes) = 0;

  // Files (CreateFileA with FILE_ATTRIBUTE_ARCHIVE on Win32).
  virtual FileHandle OpenPath(const char* path, uint32_t access, uint32_t share, FileCreation creation) = 0;
  virtual bool ReadBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* bytesRead) = 0;
  virtual int64_t FileSize(FileHandle file) = 0;  // -1 on failure
  virtual int64_t FilePosition(FileHandle file) = 0;  // -1 on failure
  virtual bool SetFilePosition(FileHandle file, int64_t position) = 0;
  virtual bool SeekToEnd(FileHandle file) = 0;
  virtual void CloseFile(FileHandle file) = 0;

  // Clipboard: puts text[0..length) and a NUL on the clipboard as CF_TEXT; false when
  // the clipboard cannot be opened or the block for it cannot be had.
  virtual bool PutClipboardText(const char* text, size_t length) = 0;

  // Reporting and ending.
  virtual int ShowMessageBox(const char* text, const char* caption, unsigned flags) = 0;
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;

  // Dynamic binding.
  virtual LibraryHandle FindLoadedLibrary(const char* name) = 0;
  virtual LibraryHandle LoadLibraryByName(const char* name) = 0;
  virtual void* FindFunction(LibraryHandle library, const char* name) = 0;
  virtual void* FindFunctionByOrdinal(LibraryHandle library, uint16_t ordinal) = 0;
  virtual void UnloadLibrary(LibraryHandle library) = 0;

  // Full-width to half-width mapping of code page 936 text (LCMapStringA, locale 2052,
  // LCMAP_HALFWIDTH on Win32). Writes at most capacity bytes, no NUL; returns the bytes
  // written, or with capacity 0 the bytes needed. The default maps the full-width forms
  // A3A1..A3FE to 0x21..0x7E and the double-byte space A1A1 to a space.
  virtual int MapToHalfWidth(const char* source, int length, char* destination, int capacity);

  // UTF-16 text in the ANSI code page (code page 936 on POSIX), a character the code page
  // lacks as '?' (WideCharToMultiByte, CP_ACP, WC_NO_BEST_FIT_CHARS on Win32). Writes at
  // most capacity bytes; returns the bytes written, or with capacity 0 the bytes needed.
  // The default keeps ASCII and writes '?' for everything else.
  virtual size_t WideToAnsi(const char16_t* wide, size_t count, char* destination, size_t capacity);
};

// Message box flag the fatal reports use (MB_ICONERROR on Win32).
inline constexpr unsigned kMessageBoxIconError = 0x10;

// The real operating system: Win32 on Windows, POSIX elsewhere.
class HostPlatform : public Platform {
 public:
  void* Allocate(size_t bytes) override;
  void* Reallocate(void* block, size_t bytes) override;
  void Release(void* block) override;
  bool IsInProgramImage(const void* address) override;
  bool IsReadable(const void* address, size_t bytes) override;
  FileHandle OpenPath(const char* path, uint32_t access, uint32_t share, FileCreation creation) override;
  bool ReadBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* bytesRead) override;
  int64_t FileSize(FileHandle file) override;
  int64_t FilePosition(FileHandle file) override;
  bool SetFilePosition(FileHandle file, int64_t position) override;
  bool SeekToEnd(FileHandle file) override;
  void CloseFile(FileHandle file) override;
  bool PutClipboardText(const char* text, size_t length) override;
  int ShowMessageBox(const char* text, const char* caption, unsigned flags) override;
  [[noreturn]] void EndProcess(int exitCode) override;
  LibraryHandle FindLoadedLibrary(const char* name) override;
  LibraryHandle LoadLibraryByName(const char* name) override;
  void* FindFunction(LibraryHandle library, const char* name) override;
  void* FindFunctionByOrdinal(LibraryHandle library, uint16_t ordinal) override;
  void UnloadLibrary(LibraryHandle library) override;
#ifdef _WIN32
  int MapToHalfWidth(const char* source, int length, char* destination, int capacity) override;
#endif
  size_t WideToAnsi(const char16_t* wide, size_t count, char* destination, size_t capacity) override;
};

Platform& CurrentPlatform();
// Installs another platform (tests); returns the one it replaces. Null restores the host.
Platform* ReplacePlatform(Platform* platform);

#ifndef _WIN32
// The POSIX host keeps its clipboard in the process; tests read it here.
std::string_view PosixClipboardForTesting();
#endif

}  // namespace rc2e
