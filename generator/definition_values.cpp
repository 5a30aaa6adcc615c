// Value substitution and bookkeeping names of definition lines (see the header).
// The syntax the identifier library accepts is its own; this only rewrites identifiers.
#include "generator/definition_values.h"

#include <cstdio>
#include <cstring>

#include "generator/growing_array.h"
#include "generator/script_characters.h"

namespace rc2e {

namespace {

// Where VALUE starts in a `#define NAME VALUE` line; npos for any other line.
size_t ValueStart(std::string_view line) {
  size_t i = SkipSpacesAndTabs(line, 0);
  if (i >= line.size() || line[i] != '#') return std::string_view::npos;
  i = SkipSpacesAndTabs(line, i + 1);
  constexpr std::string_view kDefine = "define";
  if (line.substr(i, kDefine.size()) != kDefine) return std::string_view::npos;
  i += kDefine.size();
  if (i >= line.size() || (line[i] != ' ' && line[i] != '\t')) return std::string_view::npos;
  i = SkipSpacesAndTabs(line, i);
  if (i >= line.size() || !IsIdentifierStartByte(line[i])) return std::string_view::npos;
  while (i < line.size() && IsIdentifierByte(line[i])) ++i;
  if (i < line.size() && line[i] == '(') return std::string_view::npos;
  return i;
}

}  // namespace

bool ValueNamesAnIdentifier(std::string_view definitionLine) {
  size_t valueStart = ValueStart(definitionLine);
  if (valueStart == std::string_view::npos) return false;
  bool found = false;
  ForEachIdentifier(definitionLine, valueStart, [&](size_t, size_t) {
    found = true;
    return false;
  });
  return found;
}

bool IsEditorBookkeepingName(std::string_view name) {
  return name.starts_with("_APS_") || name.starts_with("APSTUDIO_");
}

std::optional<Text> SubstituteKnownValues(std::string_view definitionLine, const SymbolTable& knownValues) {
  size_t valueStart = ValueStart(definitionLine);
  if (valueStart == std::string_view::npos || knownValues.Count() == 0) return std::nullopt;

  struct Replacement {
    size_t begin;
    size_t end;
    int32_t value;
  };
  GrowingArray<Replacement> replacements;
  ForEachIdentifier(definitionLine, valueStart, [&](size_t begin, size_t end) {
    if (std::optional<int32_t> value = knownValues.Find(definitionLine.substr(begin, end - begin))) {
      replacements.Append(Replacement{begin, end, *value});
    }
    return true;
  });
  if (replacements.Count() == 0) return std::nullopt;

  // At most "(-2147483648)" for each replaced identifier.
  constexpr size_t kLongestNumber = 13;
  Text result = Text::WithLength(definitionLine.size() + kLongestNumber * static_cast<size_t>(replacements.Count()));
  char* out = result.data();
  size_t copied = 0;
  for (int32_t n = 1; n <= replacements.Count(); ++n) {
    const Replacement& r = replacements.At(n);
    std::memcpy(out, definitionLine.data() + copied, r.begin - copied);
    out += r.begin - copied;
    out += std::snprintf(out, kLongestNumber + 1, r.value < 0 ? "(%ld)" : "%ld", static_cast<long>(r.value));
    copied = r.end;
  }
  std::memcpy(out, definitionLine.data() + copied, definitionLine.size() - copied);
  out += definitionLine.size() - copied;
  *out = '\0';
  return result;
}

}  // namespace rc2e
