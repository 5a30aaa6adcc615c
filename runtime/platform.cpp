// The current platform (host or a test's replacement) and the portable half-width mapping.
// The host implementations themselves live in platform_win32.cpp and platform_posix.cpp.
#include "runtime/platform.h"

namespace rc2e {
namespace {

Platform* replacement = nullptr;

HostPlatform& Host() {
  static HostPlatform host;
  return host;
}

}  // namespace

Platform& CurrentPlatform() { return replacement ? *replacement : Host(); }

Platform* ReplacePlatform(Platform* platform) {
  Platform* previous = replacement ? replacement : &Host();
  replacement = platform == &Host() ? nullptr : platform;
  return previous;
}

int Platform::MapToHalfWidth(const char* source, int length, char* destination, int capacity) {
  int written = 0;
  auto put = [&](char byte) {
    if (capacity > 0 && written < capacity) destination[written] = byte;
    ++written;
  };
  for (int i = 0; i < length;) {
    auto lead = static_cast<unsigned char>(source[i]);
    if (lead < 0x80 || i + 1 >= length) {
      put(source[i]);
      ++i;
      continue;
    }
    auto trail = static_cast<unsigned char>(source[i + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      put(static_cast<char>(trail - 0xA1 + 0x21));
    } else if (lead == 0xA1 && trail == 0xA1) {
      put(' ');
    } else {
      put(source[i]);
      put(source[i + 1]);
    }
    i += 2;
  }
  if (capacity > 0 && written > capacity) return capacity;
  return written;
}

size_t Platform::WideToAnsi(const char16_t* wide, size_t count, char* destination, size_t capacity) {
  size_t written = 0;
  for (size_t i = 0; i < count; ++i) {
    // A surrogate pair is one character.
    if (wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < count && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) ++i;
    char byte = wide[i] < 0x80 ? static_cast<char>(wide[i]) : '?';
    if (capacity == 0) {
      ++written;
    } else if (written < capacity) {
      destination[written++] = byte;
    }
  }
  return written;
}

}  // namespace rc2e
