// Whole files as byte strings, for comparing with what the code under test wrote or reads.
// Reading only; a file that cannot be opened reads as no bytes.
#pragma once

#include <cstdio>
#include <string>

namespace rc2e::testing {

// Every byte of an open stream, read from its start.
inline std::string StreamBytes(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) bytes.append(chunk, n);
  return bytes;
}

// Every byte of the file at path; empty when it cannot be opened.
inline std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    bytes = StreamBytes(file);
    std::fclose(file);
  }
  return bytes;
}

}  // namespace rc2e::testing
