// The run-time text services. Every result is a new block from AllocateBlock; null stands
// for the empty text. Scans step over double-byte characters by their lead byte.
#include "runtime/text_services.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime/growable_buffer.h"

namespace rc2e {
namespace {

template <class... Args>
Text Formatted(const char* format, Args... args) {
  int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return Text();
  Text text = Text::WithLength(static_cast<size_t>(length));
  std::snprintf(text.data(), static_cast<size_t>(length) + 1, format, args...);
  return text;
}

// "1.500000" -> "1.5", "2.000000" -> "2"; a text without a point is left alone.
Text TrimmedReal(double value, const char* format) {
  Text text = Formatted(format, value);
  char* bytes = text.data();
  if (!bytes || !std::strchr(bytes, '.')) return text;
  size_t end = std::strlen(bytes);
  while (end > 0 && bytes[end - 1] == '0') --end;
  if (end > 0 && bytes[end - 1] == '.') --end;
  return Text::Copy(std::string_view(bytes, end));
}

// Days since 1970-01-01 to a Gregorian year, month and day.
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day) {
  days += 719468;
  int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  int64_t dayOfEra = days - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

bool MatchesAt(std::string_view text, size_t position, std::string_view search, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(text.data() + position, search.data(), search.size()) == 0;
  for (size_t k = 0; k < search.size(); ++k) {
    char wanted = search[k];
    char found = text[position + k];
    if (IsLeadByte(wanted)) {
      // A double-byte character is compared as it is, trail byte included.
      if (found != wanted) return false;
      if (k + 1 < search.size()) {
        ++k;
        if (text[position + k] != search[k]) return false;
      }
      continue;
    }
    if (FoldAscii(found) != FoldAscii(wanted)) return false;
  }
  return true;
}

}  // namespace

int CompareText(std::string_view a, std::string_view b) {
  size_t common = a.size() < b.size() ? a.size() : b.size();
  int order = common ? std::memcmp(a.data(), b.data(), common) : 0;
  if (order == 0) order = a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

Text ConcatTexts(std::initializer_list<std::string_view> texts) {
  return ConcatTexts(std::span<const std::string_view>(texts.begin(), texts.size()));
}

Text ConcatTexts(std::span<const std::string_view> texts) {
  size_t total = 0;
  for (std::string_view text : texts) total += text.size();
  Text joined = Text::WithLength(total);
  char* out = joined.data();
  for (std::string_view text : texts) {
    if (text.empty()) continue;
    std::memcpy(out, text.data(), text.size());
    out += text.size();
  }
  return joined;
}

Text TextFromAddress(const char* address) { return Text::Copy(address); }

Text BytesToText(const ByteBuffer& buffer) {
  int32_t count = buffer.Count();
  if (count <= 0) return Text();
  return BytesToText(std::span<const uint8_t>(buffer.begin(), static_cast<size_t>(count)));
}

Text BytesToText(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return Text();
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  size_t length = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes.data()) : bytes.size();
  return Text::Copy(std::string_view(reinterpret_cast<const char*>(bytes.data()), length));
}

Text ToText(int32_t value) { return Formatted("%d", value); }
Text ToText(uint8_t value) { return Formatted("%d", static_cast<int>(value)); }
Text ToText(int16_t value) { return Formatted("%d", static_cast<int>(value)); }
Text ToText(int64_t value) { return Formatted("%" PRId64, value); }
Text ToText(float value) { return TrimmedReal(static_cast<double>(value), "%f"); }
Text ToText(double value) { return TrimmedReal(value, "%lf"); }
Text ToText(bool value) { return Text::Copy(value ? "真" : "假"); }
Text ToText(const char* text) { return Text::Copy(text); }
Text ToText(std::string_view text) { return Text::Copy(text); }
Text ToText(const Text& text) { return text.Clone(); }
Text ToText(const ByteBuffer& buffer) { return BytesToText(buffer); }
Text ToText(DateTime value) { return FormatDateTime(value); }

template <class T>
static Text ElementBytesToText(const ValueArray<T>& values) {
  int32_t count = values.Count();
  if (count <= 0) return Text();
  return BytesToText(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(values.begin()),
                                              static_cast<size_t>(count) * sizeof(T)));
}

Text ToText(const ValueArray<int16_t>& values) { return ElementBytesToText(values); }
Text ToText(const ValueArray<int32_t>& values) { return ElementBytesToText(values); }
Text ToText(const ValueArray<int64_t>& values) { return ElementBytesToText(values); }

Text FormatDateTime(DateTime value) {
  // Far beyond any calendar in use; keeps the conversions below defined.
  constexpr double kLimitDays = 1e9;
  if (!std::isfinite(value.days) || std::fabs(value.days) > kLimitDays) return Text();
  double whole = std::trunc(value.days);
  auto dayNumber = static_cast<int64_t>(whole);
  auto seconds = static_cast<int64_t>(std::llround(std::fabs(value.days - whole) * 86400.0));
  // The fraction counts forward from the date of the integer part, for negative days too,
  // so a time that rounds up to midnight is the next calendar day.
  if (seconds >= 86400) {
    seconds -= 86400;
    dayNumber += 1;
  }
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(dayNumber - 25569, year, month, day);
  int hours = static_cast<int>(seconds / 3600);
  int minutes = static_cast<int>(seconds / 60 % 60);
  int secs = static_cast<int>(seconds % 60);
  Text date = Formatted("%d年%d月%d日", static_cast<int>(year), month, day);
  Text time;
  if (secs != 0) {
    time = Formatted("%d时%d分%d秒", hours, minutes, secs);
  } else if (minutes != 0) {
    time = Formatted("%d时%d分", hours, minutes);
  } else if (hours != 0) {
    time = Formatted("%d时", hours);
  }
  if (time.IsNull()) return date;
  return ConcatTexts({date, time});
}

ValueArray<Text> SplitText(std::string_view text, std::optional<std::string_view> delimiter,
                           std::optional<int32_t> limit) {
  std::string_view separator = delimiter.value_or(",");
  std::optional<int32_t> remaining;
  if (limit) remaining = *limit < 0 ? 0 : *limit;
  ValueArray<Text> members;
  if (text.empty() || (remaining && *remaining == 0)) {
    members.Clear();
    return members;
  }
  if (separator.empty()) {
    members.Redim({1});
    members.At(1) = Text::Copy(text);
    return members;
  }

  // Member blocks are collected by address and adopted by the array at the end.
  GrowableBuffer found;
  auto addMember = [&](size_t begin, size_t end) {
    char* block = Text::Copy(text.substr(begin, end - begin)).Release();
    found.AppendValue(block);
  };
  size_t memberStart = 0;
  size_t position = 0;
  bool limitReached = false;
  while (text.size() - position >= separator.size()) {
    if (text.compare(position, separator.size(), separator) == 0) {
      addMember(memberStart, position);
      position += separator.size();
      memberStart = position;
      if (remaining && --*remaining == 0) {
        limitReached = true;
        break;
      }
      continue;
    }
    position += CharacterLengthAt(text, position);
  }
  if (!limitReached && memberStart < text.size()) addMember(memberStart, text.size());

  size_t count = found.size() / sizeof(char*);
  members.Redim({static_cast<int32_t>(count)});
  const uint8_t* addresses = found.data();
  for (size_t i = 0; i < count; ++i) {
    char* block;
    std::memcpy(&block, addresses + i * sizeof block, sizeof block);
    members.At(static_cast<int32_t>(i + 1)) = Text::Adopt(block);
  }
  return members;
}

int32_t FindInText(std::string_view text, std::string_view search, int32_t start, bool ignoreCase) {
  if (text.empty() || search.empty() || search.size() > text.size()) return -1;
  size_t lastStart = text.size() - search.size();  // 0-based
  size_t position = start > 0 ? static_cast<size_t>(start) - 1 : 0;
  if (position > lastStart) return -1;
  while (position <= lastStart) {
    if (MatchesAt(text, position, search, ignoreCase)) return static_cast<int32_t>(position + 1);
    position += CharacterLengthAt(text, position);
  }
  return -1;
}

}  // namespace rc2e
