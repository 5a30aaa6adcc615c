// Reads the symbol and identifier out of one line of a resource script's header block.
// Accepts only object-like "#define NAME VALUE" lines; it allocates nothing.
#pragma once

#include <cstdint>
#include <string_view>

namespace rc2e::idlib {

struct Definition {
  std::string_view name;  // within the line; empty when the line defines nothing
  int32_t id = 0;         // 0 when the value is missing or not an integer expression
};

// Blanks (space, tab) may stand before '#', between '#' and "define" and between the
// parts; NAME is [A-Za-z_][A-Za-z0-9_]*. A function-like macro, a comment and every
// other directive or line define nothing.
Definition ParseDefinitionLine(std::string_view line);

}  // namespace rc2e::idlib
