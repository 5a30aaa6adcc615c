// The Win32 host: process heap, CreateFileA files, the clipboard, MessageBoxA, ExitProcess
// and KERNEL32 module binding. No policy here; the services above decide what to call.
#include <windows.h>

#include <cstring>

#include "runtime/platform.h"

namespace rc2e {
namespace {

HANDLE ProcessHeap() {
  static HANDLE heap = GetProcessHeap();
  return heap;
}

struct ImageRange {
  uintptr_t begin = 0;
  uintptr_t end = 0;
};

// Module base to base + SizeOfImage of the PE optional header, read once.
const ImageRange& ProgramImage() {
  static const ImageRange range = [] {
    ImageRange r;
    auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    if (!base) return r;
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    r.begin = reinterpret_cast<uintptr_t>(base);
    r.end = r.begin + nt->OptionalHeader.SizeOfImage;
    return r;
  }();
  return range;
}

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

}  // namespace

void* HostPlatform::Allocate(size_t bytes) { return HeapAlloc(ProcessHeap(), HEAP_ZERO_MEMORY, bytes); }

void* HostPlatform::Reallocate(void* block, size_t bytes) { return HeapReAlloc(ProcessHeap(), 0, block, bytes); }

void HostPlatform::Release(void* block) { HeapFree(ProcessHeap(), 0, block); }

bool HostPlatform::IsInProgramImage(const void* address) {
  const ImageRange& image = ProgramImage();
  auto a = reinterpret_cast<uintptr_t>(address);
  return a >= image.begin && a < image.end;
}

bool HostPlatform::IsReadable(const void* address, size_t bytes) { return !IsBadReadPtr(address, bytes); }

FileHandle HostPlatform::OpenPath(const char* path, uint32_t access, uint32_t share, FileCreation creation) {
  DWORD desired = 0;
  if (access & kAccessRead) desired |= GENERIC_READ;
  if (access & kAccessWrite) desired |= GENERIC_WRITE;
  DWORD shareMode = 0;
  if (share & kShareRead) shareMode |= FILE_SHARE_READ;
  if (share & kShareWrite) shareMode |= FILE_SHARE_WRITE;
  DWORD disposition = creation == FileCreation::CreateAlways ? CREATE_ALWAYS
                      : creation == FileCreation::OpenAlways ? OPEN_ALWAYS
                                                             : OPEN_EXISTING;
  HANDLE file = CreateFileA(path, desired, shareMode, nullptr, disposition, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kInvalidFile;
  return reinterpret_cast<FileHandle>(file);
}

bool HostPlatform::ReadBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* bytesRead) {
  DWORD read = 0;
  BOOL ok = ReadFile(AsHandle(file), buffer, bytes, &read, nullptr);
  if (bytesRead) *bytesRead = read;
  return ok != FALSE;
}

int64_t HostPlatform::FileSize(FileHandle file) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(AsHandle(file), &size)) return -1;
  return size.QuadPart;
}

int64_t HostPlatform::FilePosition(FileHandle file) {
  LARGE_INTEGER zero{}, position;
  if (!SetFilePointerEx(AsHandle(file), zero, &position, FILE_CURRENT)) return -1;
  return position.QuadPart;
}

bool HostPlatform::SetFilePosition(FileHandle file, int64_t position) {
  LARGE_INTEGER target;
  target.QuadPart = position;
  return SetFilePointerEx(AsHandle(file), target, nullptr, FILE_BEGIN) != FALSE;
}

bool HostPlatform::SeekToEnd(FileHandle file) {
  LARGE_INTEGER zero{};
  return SetFilePointerEx(AsHandle(file), zero, nullptr, FILE_END) != FALSE;
}

void HostPlatform::CloseFile(FileHandle file) { CloseHandle(AsHandle(file)); }

bool HostPlatform::PutClipboardText(const char* text, size_t length) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  if (!block) {
    CloseClipboard();
    return false;
  }
  if (void* bytes = GlobalLock(block)) {
    std::memcpy(bytes, text, length);
    static_cast<char*>(bytes)[length] = '\0';
    GlobalUnlock(block);
  }
  // The clipboard owns the block only when SetClipboardData accepts it.
  bool handedOver = SetClipboardData(CF_TEXT, block) != nullptr;
  if (!handedOver) GlobalFree(block);
  CloseClipboard();
  return handedOver;
}

int HostPlatform::ShowMessageBox(const char* text, const char* caption, unsigned flags) {
  return MessageBoxA(nullptr, text, caption, flags);
}

void HostPlatform::EndProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

LibraryHandle HostPlatform::FindLoadedLibrary(const char* name) { return GetModuleHandleA(name); }

LibraryHandle HostPlatform::LoadLibraryByName(const char* name) { return LoadLibraryA(name); }

void* HostPlatform::FindFunction(LibraryHandle library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* HostPlatform::FindFunctionByOrdinal(LibraryHandle library, uint16_t ordinal) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), MAKEINTRESOURCEA(ordinal)));
}

void HostPlatform::UnloadLibrary(LibraryHandle library) { FreeLibrary(static_cast<HMODULE>(library)); }

int HostPlatform::MapToHalfWidth(const char* source, int length, char* destination, int capacity) {
  if (length <= 0) return 0;
  return LCMapStringA(2052, LCMAP_HALFWIDTH, source, length, capacity > 0 ? destination : nullptr, capacity);
}

size_t HostPlatform::WideToAnsi(const char16_t* wide, size_t count, char* destination, size_t capacity) {
  if (count == 0 || count > 0x7FFFFFFF || capacity > 0x7FFFFFFF) return 0;
  int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(wide),
                                    static_cast<int>(count), capacity > 0 ? destination : nullptr,
                                    static_cast<int>(capacity), nullptr, nullptr);
  return written > 0 ? static_cast<size_t>(written) : 0;
}

}  // namespace rc2e
