// Finds the lines that declare a symbol (dialog headers, CONTROL and the standard control
// statements) and the component class each gives. Comments, strings and menus never declare.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "generator/logical_lines.h"
#include "generator/statement_arguments.h"
#include "runtime/value_array.h"

namespace rc2e {

struct DeclaredSymbol {
  std::string_view symbol;
  const char* componentClass;  // a literal, never null
  bool isDialogHeader;
};

struct Declaration {
  int32_t lineNumber;  // of the logical line
  std::string_view symbol;  // into the logical line
  const char* componentClass;  // a literal, never null
  bool isDialogHeader;
};

// "对话框类", the class a dialog header gives.
const char* DialogComponentClass();

// The symbol a logical line declares and its class; nullopt when the line declares
// nothing or gives no class. Keywords are compared without case; the view points into
// the line.
std::optional<DeclaredSymbol> ReadDeclaration(std::string_view logicalLine);

// The symbol of a dialog header: the first word, then blanks, then DIALOG or DIALOGEX in
// any case; nullopt for any other statement.
std::optional<std::string_view> DialogHeaderSymbol(const StatementArguments& statement);

// The class a CONTROL statement gives for its class argument (quoted or not, any case)
// and its style argument; null for a class outside the table.
const char* ControlComponentClass(std::string_view classArgument, std::string_view styleArgument);

// Every declaration among the logical lines, in line order; the symbols point into the
// lines' text.
ValueArray<Declaration> FindDeclarations(std::span<const LogicalLine> lines);

}  // namespace rc2e
