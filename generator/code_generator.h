// Generate: turns a dropped resource script into the source fragment and puts it on the
// clipboard. The stages are script_source, script_encoding, header_block, script_body, dialog_choice, composition.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "generator/dialog_choice.h"
#include "generator/script_source.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

enum class GenerateOutcome { Done, FileUnreadable, SeveralPaths, ClipboardFailed, Cancelled, NoSuchDialog };

// One dialog of the script, in file order, for listing and choosing.
struct DialogEntry {
  Text symbol;
  bool hasRecord;        // a definition line names it
  int32_t id;            // its record's identifier when it has one
  int32_t controlCount;  // declarations in its block
};

struct Generation {
  GenerateOutcome outcome = GenerateOutcome::FileUnreadable;
  Text output;                                         // the fragment when outcome is Done
  ScriptReadStatus readStatus = ScriptReadStatus::CannotOpen;  // why the file could not be read
  Text content;                                        // the counted content of the file
  int32_t headerLineCount = 0;
  ValueArray<DialogEntry> dialogs;                     // every dialog of a script that was read
};

// Asks which dialog to generate for: the chosen symbol, an empty text for the first dialog,
// or nullopt to cancel. The summaries live only during the call.
using DialogQuestion = std::optional<Text> (*)(const ValueArray<DialogSummary>& dialogs);

// The fragment for the script at path, without touching the clipboard or the state: for the
// named dialog, or with an empty name for the first one. Done, FileUnreadable, SeveralPaths
// for a path text holding CR LF, or NoSuchDialog.
Generation ComposeFromFile(const char* path, std::string_view dialog = {});
// The same for a script's bytes as they would be on disk; includes are found beside
// scriptPath (the current folder when it is empty).
Generation ComposeFromBytes(std::span<const uint8_t> bytes, std::string_view dialog = {},
                            std::string_view scriptPath = {});

// One run for the path text a file drop delivers: the fragment goes on the clipboard only
// when it was composed; a file that cannot be read, several paths at once, or a question
// answered with a cancel leave the clipboard as it was. The question, when given, is asked
// once the script is read. The run's path, content and output stay in the GeneratorState.
GenerateOutcome Generate(const char* pathAddress, DialogQuestion ask = nullptr);

}  // namespace rc2e
