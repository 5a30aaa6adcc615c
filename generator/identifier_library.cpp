// The two function slots and their binding stubs. A stub binds its slot, then continues into
// the bound function with the same argument, through the same guard as every later call.
#include "generator/identifier_library.h"

#include "runtime/external_call.h"
#include "runtime/library_binder.h"

namespace rc2e {
namespace {

using GetIdFunction = int32_t(RC2E_STDCALL*)(char*);
using GetNameFunction = char*(RC2E_STDCALL*)(char*);

int32_t RC2E_STDCALL BindGetId(char* line);
char* RC2E_STDCALL BindGetName(char* line);

void* getIdSlot = reinterpret_cast<void*>(&BindGetId);
void* getNameSlot = reinterpret_cast<void*>(&BindGetName);

int32_t RC2E_STDCALL BindGetId(char* line) {
  void* function = BindLibraryFunction(kIdentifierLibraryName, kGetIdExport, &getIdSlot);
  return CallExternal(reinterpret_cast<GetIdFunction>(function), line);
}

char* RC2E_STDCALL BindGetName(char* line) {
  void* function = BindLibraryFunction(kIdentifierLibraryName, kGetNameExport, &getNameSlot);
  return CallExternal(reinterpret_cast<GetNameFunction>(function), line);
}

}  // namespace

int32_t IdentifierOfLine(char* line) { return CallExternal(reinterpret_cast<GetIdFunction>(getIdSlot), line); }

const char* SymbolOfLine(char* line) { return CallExternal(reinterpret_cast<GetNameFunction>(getNameSlot), line); }

}  // namespace rc2e
