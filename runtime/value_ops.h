// Small value operations the window framework uses: blank texts and trimming, full-width
// to half-width, conversions to integers, raw writes to memory and bit arithmetic.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/text.h"
#include "runtime/text_services.h"
#include "runtime/value_array.h"

namespace rc2e {

// null for n below 1, else n spaces.
Text BlankText(int32_t n);
int32_t TextLength(std::string_view text);
// Blanks are the space and the double-byte space A1A1; null when nothing is left.
Text TrimLeadingBlanks(std::string_view text);
Text TrimBlanks(std::string_view text);
// "／" to "/", "＼" to "\", then the platform's half-width mapping; null for an empty text.
Text ToHalfWidth(std::string_view text);

// A text is made half-width and read as a decimal number (leading white space, a sign,
// digits; clamped on overflow); reals are truncated toward zero, and a real outside the
// 32-bit range gives INT32_MIN.
int32_t ToInteger(std::string_view text);
int32_t ToInteger(const char* text);
int32_t ToInteger(const Text& text);
int32_t ToInteger(bool value);
int32_t ToInteger(uint8_t value);
int32_t ToInteger(int16_t value);
int32_t ToInteger(int32_t value);
int32_t ToInteger(uint32_t value);
int32_t ToInteger(int64_t value);
int32_t ToInteger(float value);
int32_t ToInteger(double value);

// Writes the value's bytes at address: a text with its NUL (nothing when empty), the
// bytes of a buffer, otherwise the value in its natural size (bool as 4 bytes). A given
// maxBytes above 0 and below that size writes only that many. A null address writes nothing.
void WriteToMemory(std::string_view text, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(const char* text, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(const Text& text, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(const ByteBuffer& bytes, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(bool value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(uint8_t value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(int16_t value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(int32_t value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(float value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(int64_t value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(double value, void* address, std::optional<int32_t> maxBytes = std::nullopt);
void WriteToMemory(DateTime value, void* address, std::optional<int32_t> maxBytes = std::nullopt);

template <class... More>
int32_t BitAnd(int32_t first, int32_t second, More... more) {
  return ((first & second) & ... & static_cast<int32_t>(more));
}
template <class... More>
int32_t BitOr(int32_t first, int32_t second, More... more) {
  return ((first | second) | ... | static_cast<int32_t>(more));
}
inline int32_t BitNot(int32_t value) { return ~value; }
// Arithmetic shift (sign kept) by count modulo 32.
int32_t ShiftRight(int32_t value, int32_t count);
// (high AND 0xFFFF) << 16 OR (low AND 0xFFFF).
int32_t CombineWords(int32_t low, int32_t high);
double AbsoluteValue(double value);
// fmod(x, y1), then of that by each further divisor in turn.
double Remainder(double x, double divisor);
template <class... More>
double Remainder(double x, double divisor, double next, More... more) {
  return Remainder(Remainder(x, divisor), next, static_cast<double>(more)...);
}

}  // namespace rc2e
