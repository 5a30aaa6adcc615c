// Include expansion of the header block (see the header).
// What a definition line defines is the identifier library's business, not this stage's.
#include "generator/header_includes.h"

#include <cstring>

#include "generator/growing_array.h"
#include "generator/script_characters.h"

namespace rc2e {

namespace {

#ifdef _WIN32
constexpr bool kHostSeparatorIsSlash = false;
constexpr bool kPathsIgnoreCase = true;
#else
constexpr bool kHostSeparatorIsSlash = true;
constexpr bool kPathsIgnoreCase = false;
#endif

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The path with separators unified and `.` and `name/..` steps removed, so that two
// spellings of one file compare equal.
Text NormalisedPath(std::string_view path) {
  GrowingArray<std::string_view> steps;
  bool rooted = !path.empty() && IsSeparator(path[0]);
  size_t i = 0;
  while (i < path.size()) {
    size_t begin = i;
    while (i < path.size() && !IsSeparator(path[i])) i += CharacterLengthAt(path, i);
    std::string_view step = path.substr(begin, i - begin);
    if (i < path.size()) ++i;
    if (step.empty() || step == ".") continue;
    if (step == ".." && steps.Count() > 0 && steps.Last() != "..") {
      steps.RemoveLast();
      continue;
    }
    steps.Append(step);
  }
  size_t length = rooted ? 1 : 0;
  for (int32_t n = 1; n <= steps.Count(); ++n) length += steps.At(n).size() + (n > 1 ? 1 : 0);
  Text normalised = Text::WithLength(length);
  char* out = normalised.data();
  if (rooted) *out++ = '/';
  for (int32_t n = 1; n <= steps.Count(); ++n) {
    if (n > 1) *out++ = '/';
    for (char c : steps.At(n)) *out++ = kPathsIgnoreCase ? FoldAscii(c) : c;
  }
  return normalised;
}

struct Expansion {
  IncludeFileReader& reader;
  GrowingArray<Text> lines;
  Text openFiles[kMaximumIncludeDepth + 1];  // normalised, the script first
  int32_t openCount = 0;

  bool IsOpen(const Text& normalised) const {
    for (int32_t n = 0; n < openCount; ++n) {
      if (openFiles[n].view() == normalised.view()) return true;
    }
    return false;
  }

  void ExpandLine(std::string_view line, std::string_view path, int32_t depth) {
    std::optional<std::string_view> fileName = IncludedFileName(line);
    if (!fileName) {
      lines.Append(Text::Copy(line));
      return;
    }
    if (depth >= kMaximumIncludeDepth || fileName->empty()) return;
    Text includedPath = ResolveIncludePath(path, *fileName);
    Text normalised = NormalisedPath(includedPath.view());
    if (IsOpen(normalised)) return;
    Text content;
    if (!reader.ReadIncludedFile(includedPath.c_str(), content)) return;
    openFiles[openCount++] = std::move(normalised);
    ExpandFile(content.view(), includedPath.view(), depth + 1);
    openFiles[--openCount].Reset();
  }

  void ExpandFile(std::string_view content, std::string_view path, int32_t depth) {
    size_t stop = content.find('\x1A');
    if (stop != std::string_view::npos) content = content.substr(0, stop);
    size_t begin = 0;
    while (begin < content.size()) {
      size_t end = content.find('\n', begin);
      if (end == std::string_view::npos) end = content.size();
      std::string_view line = content.substr(begin, end - begin);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!line.empty()) ExpandLine(line, path, depth);
      begin = end + 1;
    }
  }
};

}  // namespace

std::optional<std::string_view> IncludedFileName(std::string_view line) {
  size_t i = SkipSpacesAndTabs(line, 0);
  if (i >= line.size() || line[i] != '#') return std::nullopt;
  i = SkipSpacesAndTabs(line, i + 1);
  constexpr std::string_view kInclude = "include";
  if (line.substr(i, kInclude.size()) != kInclude) return std::nullopt;
  i = SkipSpacesAndTabs(line, i + kInclude.size());
  if (i >= line.size() || line[i] != '"') return std::nullopt;
  size_t begin = i + 1;
  size_t end = begin;
  while (end < line.size() && line[end] != '"') end += CharacterLengthAt(line, end);
  if (end >= line.size()) return std::nullopt;
  return line.substr(begin, end - begin);
}

Text ResolveIncludePath(std::string_view includingPath, std::string_view fileName) {
  bool standsAlone = (!fileName.empty() && IsSeparator(fileName[0])) ||
                     (fileName.size() >= 2 && fileName[1] == ':' &&
                      ((fileName[0] >= 'A' && fileName[0] <= 'Z') || (fileName[0] >= 'a' && fileName[0] <= 'z')));
  size_t folderLength = 0;
  if (!standsAlone) {
    for (size_t i = 0; i < includingPath.size(); i += CharacterLengthAt(includingPath, i)) {
      if (IsSeparator(includingPath[i])) folderLength = i + 1;
    }
  }
  Text path = Text::WithLength(folderLength + fileName.size());
  char* out = path.data();
  if (folderLength > 0) std::memcpy(out, includingPath.data(), folderLength);
  std::memcpy(out + folderLength, fileName.data(), fileName.size());
  if (kHostSeparatorIsSlash) {
    std::string_view written(out, folderLength + fileName.size());
    for (size_t i = 0; i < written.size(); i += CharacterLengthAt(written, i)) {
      if (out[i] == '\\') out[i] = '/';
    }
  }
  return path;
}

ValueArray<Text> ExpandHeaderIncludes(std::span<const std::string_view> headerLines, std::string_view scriptPath,
                                      IncludeFileReader& reader) {
  Expansion expansion{reader, {}, {}, 0};
  expansion.openFiles[expansion.openCount++] = NormalisedPath(scriptPath);
  for (std::string_view line : headerLines) expansion.ExpandLine(line, scriptPath, 0);
  return expansion.lines.Finish();
}

}  // namespace rc2e
