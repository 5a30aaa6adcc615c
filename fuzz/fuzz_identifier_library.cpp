// Fuzz target for the identifier library: any line through both exports and the syntax,
// checking that a name is an identifier taken from the line and that parentheses keep the value.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "idlib/definition_line.h"
#include "idlib/integer_expression.h"

int get1_id(char* line);
char* get1_str(char* line);

namespace {

bool IsName(std::string_view name) {
  if (name.empty()) return false;
  auto start = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!start(name[0])) return false;
  for (char c : name) {
    if (!start(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  line = line.substr(0, line.find('\0'));

  rc2e::idlib::Definition definition = rc2e::idlib::ParseDefinitionLine(line);
  if (definition.name.empty()) {
    Check(definition.id == 0);
  } else {
    Check(IsName(definition.name));
    Check(definition.name.data() >= line.data() && definition.name.data() + definition.name.size() <= line.data() + line.size());
  }
  Check(get1_id(line.data()) == definition.id);
  Check(std::string(get1_str(line.data())) == definition.name);

  // The text itself as a value: parentheses around it change nothing, a minus negates it.
  if (line.find('/') == std::string::npos) {
    std::optional<int32_t> value = rc2e::idlib::EvaluateIntegerExpression(line);
    if (value) {
      std::optional<int32_t> wrapped = rc2e::idlib::EvaluateIntegerExpression("(" + line + ")");
      if (wrapped) Check(*wrapped == *value);
      std::optional<int32_t> negated = rc2e::idlib::EvaluateIntegerExpression("-(" + line + ")");
      if (negated) Check(static_cast<uint32_t>(*negated) == 0u - static_cast<uint32_t>(*value));
    }
  }
  return 0;
}
