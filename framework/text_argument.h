// TextOrEmpty: the string a Win32 call is given for a caller's text that may be null, so
// a null text reaches the system as "". Nothing is copied or owned here.
#pragma once

namespace rc2e {

inline const char* TextOrEmpty(const char* text) { return text ? text : ""; }

}  // namespace rc2e
