// Generate: turns a dropped resource script into the source fragment and puts it on the
// clipboard. The stages are script_source, script_encoding, header_block, classification, composition.
#pragma once

#include <cstdint>
#include <span>

#include "generator/script_source.h"
#include "runtime/text.h"

namespace rc2e {

enum class GenerateOutcome { Done, FileUnreadable, SeveralPaths, ClipboardFailed };

struct Generation {
  GenerateOutcome outcome = GenerateOutcome::FileUnreadable;
  Text output;                                         // the fragment when outcome is Done
  ScriptReadStatus readStatus = ScriptReadStatus::CannotOpen;  // why the file could not be read
  Text content;                                        // the counted content of the file
  int32_t headerLineCount = 0;
};

// The fragment for the script at path, without touching the clipboard or the state. Done,
// FileUnreadable, or SeveralPaths for a path text holding CR LF.
Generation ComposeFromFile(const char* path);
// The same for a script's bytes as they would be on disk.
Generation ComposeFromBytes(std::span<const uint8_t> bytes);

// One run for the path text a file drop delivers: the fragment goes on the clipboard only
// when it was composed; a file that cannot be read, or several paths at once, leave the
// clipboard as it was. The run's path, content and output stay in the GeneratorState.
GenerateOutcome Generate(const char* pathAddress);

}  // namespace rc2e
