// The generator's two entry points into Get_Information.dll, get1_id and get1_str, called
// through slots that start at binding stubs. What a definition line means is the library's affair.
#pragma once

#include <cstdint>

namespace rc2e {

inline constexpr const char* kIdentifierLibraryName = "Get_Information.dll";
inline constexpr const char* kGetIdExport = "_Z7get1_idPc@4";
inline constexpr const char* kGetNameExport = "_Z8get1_strPc@4";

// get1_id(line), guarded; the first call binds the function (or ends the process).
int32_t IdentifierOfLine(char* line);
// get1_str(line), guarded; the text belongs to the library and may change on the next call.
const char* SymbolOfLine(char* line);

}  // namespace rc2e
