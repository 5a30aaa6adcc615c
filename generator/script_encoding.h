// Brings a script's bytes into the ANSI code page before any line is read: a UTF-16 (LE or
// BE) or UTF-8 byte-order mark marks converted text. Bytes without a mark are left as they are.
#pragma once

#include <span>

#include "runtime/value_array.h"

namespace rc2e {

enum class ScriptEncoding { Ansi, Utf16LittleEndian, Utf16BigEndian, Utf8 };

// From the byte-order mark at the start; Ansi when there is none.
ScriptEncoding DetectScriptEncoding(std::span<const uint8_t> bytes);

// The bytes in the ANSI code page (code page 936 on the native target), the mark dropped;
// a character the code page lacks, a broken UTF-8 sequence or an odd last byte of UTF-16
// becomes '?'. NUL characters stay NUL bytes, so the readers' stopping bytes still apply.
// Unmarked bytes are returned unchanged (the same block).
ByteBuffer ToAnsiCodePage(ByteBuffer bytes);

}  // namespace rc2e
