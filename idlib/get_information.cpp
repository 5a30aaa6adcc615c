// The identifier library's two exports: the identifier and the symbol of one definition line.
// The returned symbol lives in a buffer of the library, valid until the next get1_str call.
#include <cstdlib>
#include <cstring>

#include "idlib/definition_line.h"

#ifdef _WIN32
#define RC2E_IDLIB_EXPORT __declspec(dllexport)
#define RC2E_IDLIB_CALL __stdcall
#else
#define RC2E_IDLIB_EXPORT __attribute__((visibility("default")))
#define RC2E_IDLIB_CALL
#endif

namespace {

char emptyName[1] = {'\0'};

// The last symbol get1_str returned; freed when the library is unloaded.
struct NameBuffer {
  char* text = nullptr;
  size_t capacity = 0;
  ~NameBuffer() { std::free(text); }
} nameBuffer;

rc2e::idlib::Definition Parse(const char* line) {
  if (!line) return {};
  return rc2e::idlib::ParseDefinitionLine(line);
}

}  // namespace

// C++ linkage on purpose: the exported names are these functions' mangled, decorated names
// ("_Z7get1_idPc@4", "_Z8get1_strPc@4" on i686 Windows).
RC2E_IDLIB_EXPORT int RC2E_IDLIB_CALL get1_id(char* line) { return Parse(line).id; }

RC2E_IDLIB_EXPORT char* RC2E_IDLIB_CALL get1_str(char* line) {
  std::string_view name = Parse(line).name;
  if (name.empty()) return emptyName;
  if (name.size() + 1 > nameBuffer.capacity) {
    void* grown = std::realloc(nameBuffer.text, name.size() + 1);
    if (!grown) return emptyName;
    nameBuffer.text = static_cast<char*>(grown);
    nameBuffer.capacity = name.size() + 1;
  }
  std::memcpy(nameBuffer.text, name.data(), name.size());
  nameBuffer.text[name.size()] = '\0';
  return nameBuffer.text;
}
