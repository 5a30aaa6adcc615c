// Run-time text services: compare, join, copy, convert values to text, split and search.
// Byte-oriented with double-byte stepping; files and the clipboard live elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

// A date-time: days since 30 December 1899, the fraction being the time of day.
struct DateTime {
  double days = 0;
};

// A byte of 0x80 or above leads a double-byte character.
inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Bytes of the character at position i: 2 for a lead byte that has a byte after it, else 1.
// Never steps past the end.
inline size_t CharacterLengthAt(std::string_view text, size_t i) {
  return IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

// An ASCII lower-case letter as its capital; every other byte as it is.
inline char FoldAscii(char byte) { return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte; }

// -1, 0 or 1 from the unsigned bytes; the empty text sorts before every other.
int CompareText(std::string_view a, std::string_view b);

// The texts one after the other; always a new block, even when every text is empty.
Text ConcatTexts(std::initializer_list<std::string_view> texts);
Text ConcatTexts(std::span<const std::string_view> texts);

// A copy of the NUL-terminated text at address; null for a null address or an empty text.
Text TextFromAddress(const char* address);

// The bytes before the first NUL (all of them when there is none); null when none.
Text BytesToText(const ByteBuffer& buffer);
Text BytesToText(std::span<const uint8_t> bytes);

// Values as text; a result that would be empty is null.
Text ToText(int32_t value);
Text ToText(uint8_t value);
Text ToText(int16_t value);
Text ToText(int64_t value);
Text ToText(float value);   // "%f", trailing zeros and a bare point trimmed
Text ToText(double value);  // "%lf", trimmed the same way
Text ToText(bool value);    // "真" or "假"
Text ToText(const char* text);
Text ToText(std::string_view text);
Text ToText(const Text& text);
Text ToText(const ByteBuffer& buffer);
Text ToText(DateTime value);
// Arrays of integers: their element bytes up to the first NUL, as BytesToText does.
Text ToText(const ValueArray<int16_t>& values);
Text ToText(const ValueArray<int32_t>& values);
Text ToText(const ValueArray<int64_t>& values);

// "%d年%d月%d日", then "%d时%d分%d秒", "%d时%d分" or "%d时" as far as the time is not zero.
// Null for a value that is not a finite date.
Text FormatDateTime(DateTime value);

// Members of text between delimiters (default ","); an empty member is a null element and
// an empty member after a final delimiter is dropped. A limit keeps at most that many
// members (below 0 counts as 0).
ValueArray<Text> SplitText(std::string_view text, std::optional<std::string_view> delimiter = std::nullopt,
                           std::optional<int32_t> limit = std::nullopt);

// 1-based byte position of the first match at or after start (below 1 means 1), never on
// the second byte of a double-byte character; -1 when there is none. Case of ASCII
// letters is ignored when ignoreCase is true.
int32_t FindInText(std::string_view text, std::string_view search, int32_t start = 1, bool ignoreCase = false);

}  // namespace rc2e
