// The "#define NAME VALUE" syntax of the identifier library; the value is evaluated by
// integer_expression. Lines are taken as they are: no continuation, no macro expansion.
#include "idlib/definition_line.h"

#include "idlib/integer_expression.h"

namespace rc2e::idlib {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

size_t SkipBlanks(std::string_view line, size_t position) {
  while (position < line.size() && IsBlank(line[position])) ++position;
  return position;
}

}  // namespace

Definition ParseDefinitionLine(std::string_view line) {
  size_t position = SkipBlanks(line, 0);
  if (position >= line.size() || line[position] != '#') return {};
  position = SkipBlanks(line, position + 1);
  constexpr std::string_view kDefine = "define";
  if (line.substr(position, kDefine.size()) != kDefine) return {};
  position += kDefine.size();
  size_t nameStart = SkipBlanks(line, position);
  if (nameStart == position || nameStart >= line.size() || !IsNameStart(line[nameStart])) return {};
  size_t nameEnd = nameStart;
  while (nameEnd < line.size() && IsNameChar(line[nameEnd])) ++nameEnd;
  if (nameEnd < line.size() && line[nameEnd] == '(') return {};

  Definition definition;
  definition.name = line.substr(nameStart, nameEnd - nameStart);
  definition.id = EvaluateIntegerExpression(line.substr(nameEnd)).value_or(0);
  return definition;
}

}  // namespace rc2e::idlib
