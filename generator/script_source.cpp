// One read of the script through the platform seam, then the two cuts and the CR LF split.
// It decodes nothing: script_encoding runs between the read and the cuts.
#include "generator/script_source.h"

#include <cstring>

#include "generator/line_services.h"
#include "runtime/platform.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

// A ByteBuffer counts its elements in 32 bits.
constexpr int64_t kLargestScript = 0x7FFFFF00;

std::string_view BytesBefore(const ByteBuffer& bytes, bool stopAtCtrlZ) {
  const char* begin = reinterpret_cast<const char*>(bytes.begin());
  size_t size = static_cast<size_t>(bytes.Count());
  size_t length = 0;
  while (length < size && begin[length] != '\0' && !(stopAtCtrlZ && begin[length] == '\x1A')) ++length;
  return {begin, length};
}

}  // namespace

const char* DescribeScriptReadStatus(ScriptReadStatus status) {
  switch (status) {
    case ScriptReadStatus::Read: return "";
    case ScriptReadStatus::CannotOpen: return "cannot be opened";
    case ScriptReadStatus::CannotRead: return "cannot be read";
    case ScriptReadStatus::TooLarge: return "is too large";
  }
  return "";
}

ScriptBytes ReadScriptBytes(const char* path) {
  ScriptBytes result;
  if (!path || !*path || std::strstr(path, "\r\n")) return result;
  Platform& platform = CurrentPlatform();
  FileHandle file = platform.OpenPath(path, kAccessRead, kShareRead | kShareWrite, FileCreation::OpenExisting);
  if (file == kInvalidFile) return result;
  int64_t size = platform.FileSize(file);
  if (size < 0) {
    result.status = ScriptReadStatus::CannotRead;
  } else if (size > kLargestScript) {
    result.status = ScriptReadStatus::TooLarge;
  } else {
    ByteBuffer bytes(static_cast<int32_t>(size));
    uint32_t read = 0;
    bool ok = size == 0 || platform.ReadBytes(file, bytes.begin(), static_cast<uint32_t>(size), &read);
    if (ok && read < static_cast<uint64_t>(size)) bytes.Redim({static_cast<int32_t>(read)});  // shrank meanwhile
    result.status = ok ? ScriptReadStatus::Read : ScriptReadStatus::CannotRead;
    if (ok) result.bytes = std::move(bytes);
  }
  platform.CloseFile(file);
  return result;
}

ScriptSource::ScriptSource(const ByteBuffer& bytes) {
  std::string_view counted = BytesBefore(bytes, true);
  // An allocated empty text, as reading a file whose first byte stops the read gives.
  content_ = counted.empty() ? Text::AllocatedEmpty() : Text::Copy(counted);
  std::string_view text = BytesBefore(bytes, false);
  lineText_ = Text::Copy(text);
  char* block = lineText_.data();

  // The members SplitText gives at CR LF (a CR LF never starts on the second byte of a
  // double-byte character; an empty member after the last CR LF is none), as spans, so
  // that a line costs no block of its own.
  int32_t delimiters = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) delimiters += text[i] == '\r' && text[i + 1] == '\n';
  lines_.Redim({delimiters + 1});
  int32_t count = 0;
  size_t memberStart = 0;
  size_t position = 0;
  auto addMember = [&](size_t end) {
    lines_.At(++count) = {static_cast<int32_t>(memberStart), static_cast<int32_t>(end - memberStart)};
  };
  while (text.size() - position >= 2) {
    if (text[position] == '\r' && text[position + 1] == '\n') {
      addMember(position);
      block[position] = '\0';
      position += 2;
      memberStart = position;
      continue;
    }
    position += CharacterLengthAt(text, position);
  }
  if (memberStart < text.size()) addMember(text.size());
  lines_.Redim({count});

  // Without a 0x1A both views are the same text, already split once.
  lineCount_ = counted.size() == text.size() ? count : CountLines(counted);
}

std::string_view ScriptSource::Line(int32_t n) const {
  if (n < 1 || n > lines_.Count()) return {};
  const LineSpan& span = lines_.At(n);
  return {lineText_.address() + span.start, static_cast<size_t>(span.length)};
}

char* ScriptSource::LineBlock(int32_t n) {
  if (n < 1 || n > lines_.Count() || lines_.At(n).length == 0) return nullptr;
  return lineText_.data() + lines_.At(n).start;
}

}  // namespace rc2e
