// The binder behind the binding stubs, through the platform seam (GetModuleHandleA,
// LoadLibraryA, GetProcAddress, FreeLibrary on Win32). It never retries a failed binding.
#include "runtime/library_binder.h"

#include <cstring>

#include "runtime/fatal.h"
#include "runtime/text.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

constexpr size_t kFunctionNameBuffer = 1024;
constexpr int32_t kBoundSlotCapacity = 64;

struct BoundSlot {
  void** slot;
  void* before;
};

LibraryHandle loadedLibraries[kLoadedLibraryCapacity] = {};
int32_t loadedCount = 0;
BoundSlot boundSlots[kBoundSlotCapacity] = {};
int32_t boundCount = 0;

void FreeLoadedLibraries() {
  // Slots go back to their stubs first, so nothing can call into a library already gone.
  for (int32_t i = boundCount - 1; i >= 0; --i) *boundSlots[i].slot = boundSlots[i].before;
  boundCount = 0;
  int32_t count = loadedCount;
  loadedCount = 0;
  for (int32_t i = 0; i < count; ++i) {
    LibraryHandle library = loadedLibraries[i];
    loadedLibraries[i] = nullptr;
    CurrentPlatform().UnloadLibrary(library);
  }
}

void RecordLoadedLibrary(LibraryHandle library) {
  if (loadedCount == 0) SetExitHook(ExitHookSlot::Libraries, FreeLoadedLibraries);
  // Beyond the table a library stays loaded until the process ends.
  if (loadedCount < kLoadedLibraryCapacity) loadedLibraries[loadedCount++] = library;
}

void RecordBoundSlot(void** slot) {
  for (int32_t i = 0; i < boundCount; ++i) {
    if (boundSlots[i].slot == slot) return;
  }
  if (boundCount < kBoundSlotCapacity) boundSlots[boundCount++] = {slot, *slot};
}

[[noreturn]] void ReportLibraryMissing(const char* libraryName) {
  Text message = ConcatTexts({"同目录下无法找到DLL文件:\"", libraryName, "\".请与作者联系."});
  ReportFatal(message.c_str(), "DLL ERROR");
}

[[noreturn]] void ReportFunctionMissing(const char* libraryName, const char* functionName) {
  Text message = ConcatTexts({"无法定位DLL文件:\"", libraryName, "\"当中的\"", functionName, "\"函数."});
  ReportFatal(message.c_str(), "DLL ERROR");
}

void* FindByOrdinal(LibraryHandle library, const char* digits) {
  uint32_t ordinal = 0;
  if (!*digits) return nullptr;
  for (const char* c = digits; *c; ++c) {
    if (*c < '0' || *c > '9') return nullptr;
    ordinal = ordinal * 10 + static_cast<uint32_t>(*c - '0');
    if (ordinal > 0xFFFF) return nullptr;
  }
  if (ordinal == 0) return nullptr;
  return CurrentPlatform().FindFunctionByOrdinal(library, static_cast<uint16_t>(ordinal));
}

void* FindByName(LibraryHandle library, const char* functionName) {
  size_t length = std::strlen(functionName);
  if (const char* at = std::strchr(functionName, '@'); at && at[1] == '@') length = static_cast<size_t>(at - functionName);
  // A name that does not fit the buffer is not found, rather than found cut short.
  if (length >= kFunctionNameBuffer) return nullptr;
  char name[kFunctionNameBuffer];
  std::memcpy(name, functionName, length);
  name[length] = '\0';
  return CurrentPlatform().FindFunction(library, name);
}

}  // namespace

void* BindLibraryFunction(const char* libraryName, const char* functionName, void** slot) {
  if (!libraryName) libraryName = "";
  if (!functionName) functionName = "";
  Platform& platform = CurrentPlatform();
  LibraryHandle library = platform.FindLoadedLibrary(libraryName);
  if (!library) {
    library = platform.LoadLibraryByName(libraryName);
    if (!library) ReportLibraryMissing(libraryName);
    RecordLoadedLibrary(library);
  }
  void* function = functionName[0] == '#' ? FindByOrdinal(library, functionName + 1) : FindByName(library, functionName);
  if (!function) ReportFunctionMissing(libraryName, functionName);
  if (slot) {
    RecordBoundSlot(slot);
    *slot = function;
  }
  return function;
}

int32_t LoadedLibraryCount() { return loadedCount; }

LibraryHandle LoadedLibrary(int32_t index) {
  return index >= 1 && index <= loadedCount ? loadedLibraries[index - 1] : nullptr;
}

}  // namespace rc2e
