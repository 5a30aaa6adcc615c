// Byte-order mark detection, UTF-8 and UTF-16 decoding to UTF-16 code units, and the
// platform's conversion of those units to the ANSI code page. No guessing of unmarked text.
#include "generator/script_encoding.h"

#include <cstring>

#include "runtime/platform.h"

namespace rc2e {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::span<const uint8_t> BytesOf(const ByteBuffer& buffer) {
  return {buffer.begin(), static_cast<size_t>(buffer.Count())};
}

// UTF-16 units of the bytes after a two-byte mark; an odd last byte is one replacement.
ValueArray<char16_t> DecodeUtf16(std::span<const uint8_t> bytes, bool bigEndian) {
  size_t units = bytes.size() / 2 + bytes.size() % 2;
  ValueArray<char16_t> wide(static_cast<int32_t>(units));
  char16_t* out = wide.begin();
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    *out++ = bigEndian ? static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1])
                       : static_cast<char16_t>(bytes[i + 1] << 8 | bytes[i]);
  }
  if (bytes.size() % 2) *out = kReplacement;
  return wide;
}

// UTF-16 units of UTF-8 bytes; every byte that does not start or continue a well-formed
// sequence (overlong forms and surrogates included) is one replacement.
ValueArray<char16_t> DecodeUtf8(std::span<const uint8_t> bytes, int32_t& unitCount) {
  ValueArray<char16_t> wide(static_cast<int32_t>(bytes.size()));  // never more units than bytes
  char16_t* out = wide.begin();
  size_t i = 0;
  while (i < bytes.size()) {
    uint8_t lead = bytes[i];
    if (lead < 0x80) {
      *out++ = lead;
      ++i;
      continue;
    }
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (lead > 0xF4) length = 0;
    uint32_t codePoint = length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
    size_t taken = 1;
    while (length && taken < length && i + taken < bytes.size() && (bytes[i + taken] & 0xC0) == 0x80) {
      codePoint = codePoint << 6 | (bytes[i + taken] & 0x3Fu);
      ++taken;
    }
    bool wellFormed = length && taken == length && !(length == 3 && codePoint < 0x800) &&
                      !(length == 4 && (codePoint < 0x10000 || codePoint > 0x10FFFF)) &&
                      !(codePoint >= 0xD800 && codePoint < 0xE000);
    if (!wellFormed) {
      *out++ = kReplacement;
      ++i;
      continue;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      *out++ = static_cast<char16_t>(0xD800 + (codePoint >> 10));
      *out++ = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    } else {
      *out++ = static_cast<char16_t>(codePoint);
    }
    i += length;
  }
  unitCount = static_cast<int32_t>(out - wide.begin());
  return wide;
}

ByteBuffer WideToAnsiBuffer(const char16_t* wide, size_t count) {
  Platform& platform = CurrentPlatform();
  size_t needed = count ? platform.WideToAnsi(wide, count, nullptr, 0) : 0;
  ByteBuffer ansi(static_cast<int32_t>(needed));
  if (needed) {
    size_t written = platform.WideToAnsi(wide, count, reinterpret_cast<char*>(ansi.begin()), needed);
    if (written < needed) ansi.Redim({static_cast<int32_t>(written)});
  }
  return ansi;
}

}  // namespace

ScriptEncoding DetectScriptEncoding(std::span<const uint8_t> bytes) {
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return ScriptEncoding::Utf8;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return ScriptEncoding::Utf16LittleEndian;
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return ScriptEncoding::Utf16BigEndian;
  return ScriptEncoding::Ansi;
}

ByteBuffer ToAnsiCodePage(ByteBuffer bytes) {
  std::span<const uint8_t> all = BytesOf(bytes);
  ScriptEncoding encoding = DetectScriptEncoding(all);
  switch (encoding) {
    case ScriptEncoding::Ansi:
      return bytes;
    case ScriptEncoding::Utf8: {
      int32_t units = 0;
      ValueArray<char16_t> wide = DecodeUtf8(all.subspan(3), units);
      return WideToAnsiBuffer(wide.begin(), static_cast<size_t>(units));
    }
    case ScriptEncoding::Utf16LittleEndian:
    case ScriptEncoding::Utf16BigEndian: {
      ValueArray<char16_t> wide = DecodeUtf16(all.subspan(2), encoding == ScriptEncoding::Utf16BigEndian);
      return WideToAnsiBuffer(wide.begin(), static_cast<size_t>(wide.Count()));
    }
  }
  return bytes;
}

}  // namespace rc2e
