// Evaluates the integer constant expression of a definition line's value in 32-bit two's
// complement with wrap-around. Knows no symbols, strings or characters: those are not values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace rc2e::idlib {

// Decimal, hexadecimal (0x) and octal (leading 0) literals with u/U/l/L suffixes, unary
// + - ~ !, binary * / % + - << >> & ^ | with C precedence, parentheses, and comments
// (// to the end, /* */) between the tokens. Every operation works on signed 32-bit values
// and wraps; shift counts are taken modulo 32 and >> keeps the sign. Empty text, anything
// else, a division by zero or nesting deeper than kMaxNesting gives no value.
std::optional<int32_t> EvaluateIntegerExpression(std::string_view text);

inline constexpr int kMaxNesting = 200;

}  // namespace rc2e::idlib
