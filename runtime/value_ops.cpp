// Value operations: blank handling with double-byte stepping, the half-width mapping over
// the platform seam, integer conversions with defined results for every input, memory writes.
#include "runtime/value_ops.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "runtime/growable_buffer.h"
#include "runtime/platform.h"

namespace rc2e {
namespace {

constexpr char kWideSpaceByte = '\xA1';

bool IsWideSpaceAt(std::string_view text, size_t i) {
  return i + 1 < text.size() && text[i] == kWideSpaceByte && text[i + 1] == kWideSpaceByte;
}

// Offset of the first byte after the leading blanks.
size_t LeadingBlanksEnd(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
    } else if (IsWideSpaceAt(text, i)) {
      i += 2;
    } else {
      break;
    }
  }
  return i;
}

// End of the text without its trailing blanks, found by walking characters forward so a
// trail byte of A1 is never taken for half of a double-byte space.
size_t TrailingBlanksStart(std::string_view text) {
  size_t end = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ') {
      ++i;
    } else if (IsWideSpaceAt(text, i)) {
      i += 2;
    } else {
      i += CharacterLengthAt(text, i);
      end = i;
    }
  }
  return end;
}

int32_t DecimalPrefix(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int32_t TruncatedReal(double value) {
  // Outside the range the processor's truncation yields the "integer indefinite".
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// The bytes a write of size bytes may take: a maxBytes above 0 and below size caps it.
size_t WrittenSize(size_t size, std::optional<int32_t> maxBytes) {
  return maxBytes && *maxBytes > 0 && static_cast<size_t>(*maxBytes) < size ? static_cast<size_t>(*maxBytes) : size;
}

void WriteBytes(const void* bytes, size_t size, void* address, std::optional<int32_t> maxBytes) {
  if (!address || size == 0) return;
  std::memcpy(address, bytes, WrittenSize(size, maxBytes));
}

}  // namespace

Text BlankText(int32_t n) {
  if (n < 1) return Text();
  Text blanks = Text::WithLength(static_cast<size_t>(n));
  std::memset(blanks.data(), ' ', static_cast<size_t>(n));
  return blanks;
}

int32_t TextLength(std::string_view text) { return static_cast<int32_t>(text.size()); }

Text TrimLeadingBlanks(std::string_view text) { return Text::Copy(text.substr(LeadingBlanksEnd(text))); }

Text TrimBlanks(std::string_view text) {
  std::string_view rest = text.substr(LeadingBlanksEnd(text));
  return Text::Copy(rest.substr(0, TrailingBlanksStart(rest)));
}

Text ToHalfWidth(std::string_view text) {
  if (text.empty()) return Text();
  static constexpr std::string_view kWideSlash = "／";
  static constexpr std::string_view kWideBackslash = "＼";
  GrowableBuffer replaced;
  bool loneLeadAtEnd = false;
  for (size_t i = 0; i < text.size();) {
    std::string_view rest = text.substr(i);
    if (rest.starts_with(kWideSlash)) {
      replaced.AppendValue('/');
      i += kWideSlash.size();
    } else if (rest.starts_with(kWideBackslash)) {
      replaced.AppendValue('\\');
      i += kWideBackslash.size();
    } else {
      size_t step = CharacterLengthAt(text, i);
      loneLeadAtEnd = IsLeadByte(text[i]) && step == 1;
      replaced.Append(text.data() + i, step);
      i += step;
    }
  }
  auto* source = reinterpret_cast<const char*>(replaced.data());
  std::string_view whole(source, replaced.size());
  // A lead byte without its trail at the very end is no character to map; it is kept as it is.
  std::string_view loneLead;
  if (loneLeadAtEnd) {
    loneLead = whole.substr(whole.size() - 1);
    whole.remove_suffix(1);
  }
  Platform& platform = CurrentPlatform();
  int length = static_cast<int>(whole.size());
  int needed = length > 0 ? platform.MapToHalfWidth(whole.data(), length, nullptr, 0) : 0;
  // Should the mapping fail, the text keeps its full-width forms rather than being lost.
  if (length > 0 && needed <= 0) return Text::Copy(std::string_view(source, replaced.size()));
  Text mapped = Text::WithLength(static_cast<size_t>(needed) + loneLead.size());
  int written = needed > 0 ? platform.MapToHalfWidth(whole.data(), length, mapped.data(), needed) : 0;
  if (length > 0 && written <= 0) return Text::Copy(std::string_view(source, replaced.size()));
  if (!loneLead.empty()) std::memcpy(mapped.data() + written, loneLead.data(), loneLead.size());
  mapped.data()[static_cast<size_t>(written) + loneLead.size()] = '\0';
  if (mapped.IsEmpty()) return Text();
  return mapped;
}

int32_t ToInteger(std::string_view text) {
  if (text.empty()) return 0;
  return DecimalPrefix(ToHalfWidth(text));
}
int32_t ToInteger(const char* text) { return ToInteger(std::string_view(text ? text : "")); }
int32_t ToInteger(const Text& text) { return ToInteger(text.view()); }
int32_t ToInteger(bool value) { return value ? 1 : 0; }
int32_t ToInteger(uint8_t value) { return value; }
int32_t ToInteger(int16_t value) { return value; }
int32_t ToInteger(int32_t value) { return value; }
int32_t ToInteger(uint32_t value) { return static_cast<int32_t>(value); }
int32_t ToInteger(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }
int32_t ToInteger(float value) { return TruncatedReal(value); }
int32_t ToInteger(double value) { return TruncatedReal(value); }

void WriteToMemory(std::string_view text, void* address, std::optional<int32_t> maxBytes) {
  if (!address || text.empty()) return;
  size_t size = WrittenSize(text.size() + 1, maxBytes);
  auto* out = static_cast<char*>(address);
  size_t copied = size < text.size() ? size : text.size();
  std::memcpy(out, text.data(), copied);
  if (copied < size) out[copied] = '\0';
}
void WriteToMemory(const char* text, void* address, std::optional<int32_t> maxBytes) {
  WriteToMemory(std::string_view(text ? text : ""), address, maxBytes);
}
void WriteToMemory(const Text& text, void* address, std::optional<int32_t> maxBytes) {
  WriteToMemory(text.view(), address, maxBytes);
}
void WriteToMemory(const ByteBuffer& bytes, void* address, std::optional<int32_t> maxBytes) {
  int32_t count = bytes.Count();
  if (count > 0) WriteBytes(bytes.begin(), static_cast<size_t>(count), address, maxBytes);
}
void WriteToMemory(bool value, void* address, std::optional<int32_t> maxBytes) {
  int32_t word = value ? 1 : 0;
  WriteBytes(&word, sizeof word, address, maxBytes);
}
void WriteToMemory(uint8_t value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(int16_t value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(int32_t value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(float value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(int64_t value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(double value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value, sizeof value, address, maxBytes);
}
void WriteToMemory(DateTime value, void* address, std::optional<int32_t> maxBytes) {
  WriteBytes(&value.days, sizeof value.days, address, maxBytes);
}

int32_t ShiftRight(int32_t value, int32_t count) { return value >> (count & 31); }

int32_t CombineWords(int32_t low, int32_t high) {
  uint32_t combined = (static_cast<uint32_t>(high) & 0xFFFFu) << 16 | (static_cast<uint32_t>(low) & 0xFFFFu);
  return static_cast<int32_t>(combined);
}

double AbsoluteValue(double value) { return std::fabs(value); }

double Remainder(double x, double divisor) { return std::fmod(x, divisor); }

}  // namespace rc2e
