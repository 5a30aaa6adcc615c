// The POSIX host for the portable build: C heap, file descriptors, an in-process clipboard,
// message boxes on stderr, exit, dlopen. Sharing modes have no POSIX meaning and are ignored.
#include <dlfcn.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/platform.h"

extern "C" char __executable_start;
extern "C" char _end;

namespace rc2e {
namespace {

std::string& Clipboard() {
  static std::string text;
  return text;
}

int AsDescriptor(FileHandle file) { return static_cast<int>(file); }

// The folder of the running executable, with its trailing slash; empty when unknown.
std::string ExecutableFolder() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  std::string folder(path, static_cast<size_t>(n));
  size_t slash = folder.rfind('/');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool EndsWithDll(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".dll";
}

// Where a library name is looked for, in order: the name in the executable's folder, the
// name with ".dll" replaced by ".so" there, then the plain name through the loader's search.
// A name with a folder in it is taken as given (and with ".so" for ".dll").
std::vector<std::string> LibraryCandidates(const char* name) {
  std::vector<std::string> candidates;
  if (!name || !*name) return candidates;
  std::string given(name);
  bool hasFolder = given.find('/') != std::string::npos;
  std::string folder = hasFolder ? std::string() : ExecutableFolder();
  if (hasFolder || !folder.empty()) {
    candidates.push_back(folder + given);
    if (EndsWithDll(given)) candidates.push_back(folder + given.substr(0, given.size() - 4) + ".so");
  }
  if (!hasFolder) candidates.push_back(given);
  return candidates;
}

}  // namespace

std::string_view PosixClipboardForTesting() { return Clipboard(); }

void* HostPlatform::Allocate(size_t bytes) { return std::calloc(1, bytes ? bytes : 1); }

void* HostPlatform::Reallocate(void* block, size_t bytes) { return std::realloc(block, bytes ? bytes : 1); }

void HostPlatform::Release(void* block) { std::free(block); }

bool HostPlatform::IsInProgramImage(const void* address) {
  auto a = reinterpret_cast<uintptr_t>(address);
  return a >= reinterpret_cast<uintptr_t>(&__executable_start) && a < reinterpret_cast<uintptr_t>(&_end);
}

bool HostPlatform::IsReadable(const void* address, size_t bytes) {
  char probe[64];
  while (bytes > 0) {
    size_t chunk = bytes < sizeof probe ? bytes : sizeof probe;
    iovec local{probe, chunk};
    iovec remote{const_cast<void*>(address), chunk};
    if (process_vm_readv(getpid(), &local, 1, &remote, 1, 0) != static_cast<ssize_t>(chunk)) return false;
    address = static_cast<const char*>(address) + chunk;
    bytes -= chunk;
  }
  return true;
}

FileHandle HostPlatform::OpenPath(const char* path, uint32_t access, uint32_t /*share*/, FileCreation creation) {
  if (!path) return kInvalidFile;
  int flags = (access & kAccessRead) && (access & kAccessWrite) ? O_RDWR
              : (access & kAccessWrite)                          ? O_WRONLY
                                                                 : O_RDONLY;
  if (creation == FileCreation::CreateAlways) flags |= O_CREAT | O_TRUNC;
  if (creation == FileCreation::OpenAlways) flags |= O_CREAT;
  int fd = open(path, flags | O_CLOEXEC, 0666);
  if (fd < 0) return kInvalidFile;
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    close(fd);
    return kInvalidFile;
  }
  return fd;
}

bool HostPlatform::ReadBytes(FileHandle file, void* buffer, uint32_t bytes, uint32_t* bytesRead) {
  uint32_t total = 0;
  bool ok = true;
  while (total < bytes) {
    ssize_t n = read(AsDescriptor(file), static_cast<char*>(buffer) + total, bytes - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ok = false;
      break;
    }
    if (n == 0) break;
    total += static_cast<uint32_t>(n);
  }
  if (bytesRead) *bytesRead = total;
  return ok;
}

int64_t HostPlatform::FileSize(FileHandle file) {
  struct stat info;
  if (fstat(AsDescriptor(file), &info) != 0) return -1;
  return info.st_size;
}

int64_t HostPlatform::FilePosition(FileHandle file) { return lseek(AsDescriptor(file), 0, SEEK_CUR); }

bool HostPlatform::SetFilePosition(FileHandle file, int64_t position) {
  return lseek(AsDescriptor(file), position, SEEK_SET) >= 0;
}

bool HostPlatform::SeekToEnd(FileHandle file) { return lseek(AsDescriptor(file), 0, SEEK_END) >= 0; }

void HostPlatform::CloseFile(FileHandle file) { close(AsDescriptor(file)); }

bool HostPlatform::PutClipboardText(const char* text, size_t length) {
  Clipboard().assign(text, length);
  return true;
}

int HostPlatform::ShowMessageBox(const char* text, const char* caption, unsigned /*flags*/) {
  std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
  return 1;
}

void HostPlatform::EndProcess(int exitCode) { std::exit(exitCode); }

LibraryHandle HostPlatform::FindLoadedLibrary(const char* name) {
  for (const std::string& candidate : LibraryCandidates(name)) {
    // Like GetModuleHandleA: no new reference is kept.
    if (void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
      dlclose(library);
      return library;
    }
  }
  return nullptr;
}

LibraryHandle HostPlatform::LoadLibraryByName(const char* name) {
  for (const std::string& candidate : LibraryCandidates(name)) {
    if (void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
  }
  return nullptr;
}

// ELF has no stdcall decoration: a name ending in "@" and digits (such as "_Z7get1_idPc@4")
// is also looked up without that ending.
void* HostPlatform::FindFunction(LibraryHandle library, const char* name) {
  if (!library || !name) return nullptr;
  if (void* function = dlsym(library, name)) return function;
  const char* at = std::strrchr(name, '@');
  if (!at || at == name || at[1] == '\0') return nullptr;
  for (const char* c = at + 1; *c; ++c) {
    if (!std::isdigit(static_cast<unsigned char>(*c))) return nullptr;
  }
  std::string undecorated(name, static_cast<size_t>(at - name));
  return dlsym(library, undecorated.c_str());
}

void* HostPlatform::FindFunctionByOrdinal(LibraryHandle, uint16_t) { return nullptr; }

void HostPlatform::UnloadLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

// Through iconv in chunks; a character that code page 936 lacks, or a broken surrogate,
// becomes '?'.
size_t HostPlatform::WideToAnsi(const char16_t* wide, size_t count, char* destination, size_t capacity) {
  if (count == 0) return 0;
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  iconv_t converter = iconv_open("CP936", "UTF-16BE");
#else
  iconv_t converter = iconv_open("CP936", "UTF-16LE");
#endif
  if (converter == reinterpret_cast<iconv_t>(-1)) return Platform::WideToAnsi(wide, count, destination, capacity);
  size_t written = 0;
  auto put = [&](const char* bytes, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      if (capacity == 0) {
        ++written;
      } else if (written < capacity) {
        destination[written++] = bytes[i];
      }
    }
  };
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(wide));
  size_t inLeft = count * sizeof(char16_t);
  char chunk[4096];
  while (inLeft > 0) {
    char* out = chunk;
    size_t outLeft = sizeof chunk;
    size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    put(chunk, sizeof chunk - outLeft);
    if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: one character, a pair when it is one, becomes '?'.
    const char16_t* unit = reinterpret_cast<const char16_t*>(in);
    size_t skip = 2;
    if (inLeft >= 4 && unit[0] >= 0xD800 && unit[0] < 0xDC00 && unit[1] >= 0xDC00 && unit[1] < 0xE000) skip = 4;
    if (skip > inLeft) skip = inLeft;
    in += skip;
    inLeft -= skip;
    put("?", 1);
  }
  iconv_close(converter);
  return written;
}

}  // namespace rc2e
