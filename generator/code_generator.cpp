// The pipeline's order of stages and the clipboard at its end; each stage lives in its own
// file pair. Reads the script once per run.
#include "generator/code_generator.h"

#include <cstring>

#include "generator/composition.h"
#include "generator/generator_state.h"
#include "generator/header_block.h"
#include "generator/script_body.h"
#include "generator/script_encoding.h"
#include "runtime/clipboard.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

// The dialog a run is for: a name given beforehand, or a question asked once the dialogs
// are known.
struct DialogSelection {
  std::string_view name;
  DialogQuestion ask = nullptr;
};

ValueArray<DialogEntry> OwnedEntries(const ValueArray<DialogSummary>& summaries,
                                     const ValueArray<ComponentRecord>& records) {
  ValueArray<DialogEntry> entries(summaries.Count());
  for (int32_t n = 1; n <= summaries.Count(); ++n) {
    const DialogSummary& summary = summaries.At(n);
    DialogEntry& entry = entries.At(n);
    entry.symbol = Text::Copy(summary.symbol);
    entry.hasRecord = summary.recordIndex > 0;
    entry.id = entry.hasRecord ? records.At(summary.recordIndex).id : 0;
    entry.controlCount = summary.controlCount;
  }
  return entries;
}

Generation ComposeFromAnsi(const ByteBuffer& bytes, std::string_view scriptPath, DialogSelection selection) {
  Generation generation;
  generation.readStatus = ScriptReadStatus::Read;
  ScriptSource script(bytes);
  DiskIncludeReader includes;
  HeaderBlock header = ReadHeaderBlock(script, scriptPath, includes);
  generation.headerLineCount = header.lineCount;
  ValueArray<ComponentRecord>& records = header.records;

  int32_t firstScanned = header.lineCount + 1;
  int32_t scannedCount = script.LineCount() >= firstScanned ? script.LineCount() - header.lineCount : 0;
  ValueArray<std::string_view> scanned(scannedCount);
  for (int32_t k = 1; k <= scannedCount; ++k) scanned.At(k) = script.Line(header.lineCount + k);
  ScriptBody body = ReadScriptBody(std::span<const std::string_view>(scanned.begin(), scanned.end()), firstScanned);

  ValueArray<RecordKey> keys(records.Count());
  for (int32_t r = 1; r <= records.Count(); ++r) keys.At(r) = {records.At(r).name.view(), records.At(r).id};
  std::span<const RecordKey> keySpan(keys.begin(), keys.end());
  ValueArray<DialogSummary> summaries = ListDialogs(keySpan, body.declarations, body.blocks);
  generation.dialogs = OwnedEntries(summaries, records);
  generation.content = script.TakeContent();

  Text answer;
  std::string_view chosen = selection.name;
  if (selection.ask) {
    std::optional<Text> asked = selection.ask(summaries);
    if (!asked) {
      generation.outcome = GenerateOutcome::Cancelled;
      return generation;
    }
    answer = std::move(*asked);
    chosen = answer.view();
  }
  DialogChoice choice = ChooseDialog(keySpan, body.declarations, body.blocks, chosen);
  if (choice.chosenDialogMissing) {
    generation.outcome = GenerateOutcome::NoSuchDialog;
    return generation;
  }
  for (int32_t r = 1; r <= records.Count(); ++r) records.At(r).componentClass = Text::Copy(choice.plans.At(r).componentClass);
  const ComponentRecord* dialog = choice.loadedRecord > 0 ? &records.At(choice.loadedRecord) : nullptr;
  generation.output = ComposeOutput(records, dialog, choice.plans);
  generation.outcome = GenerateOutcome::Done;
  return generation;
}

Generation ComposeFromPath(const char* path, DialogSelection selection) {
  if (path && std::strstr(path, "\r\n")) {
    Generation several;
    several.outcome = GenerateOutcome::SeveralPaths;
    return several;
  }
  ScriptBytes script = ReadScriptBytes(path);
  if (script.status != ScriptReadStatus::Read) {
    Generation unreadable;
    unreadable.readStatus = script.status;
    return unreadable;
  }
  return ComposeFromAnsi(ToAnsiCodePage(std::move(script.bytes)), path, selection);
}

}  // namespace

Generation ComposeFromFile(const char* path, std::string_view dialog) {
  return ComposeFromPath(path, DialogSelection{dialog, nullptr});
}

Generation ComposeFromBytes(std::span<const uint8_t> bytes, std::string_view dialog, std::string_view scriptPath) {
  ByteBuffer buffer(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.begin(), bytes.data(), bytes.size());
  return ComposeFromAnsi(ToAnsiCodePage(std::move(buffer)), scriptPath, DialogSelection{dialog, nullptr});
}

GenerateOutcome Generate(const char* pathAddress, DialogQuestion ask) {
  GeneratorState& state = CurrentGeneratorState();
  state.path = TextFromAddress(pathAddress);
  Generation generation = ComposeFromPath(state.path.address(), DialogSelection{{}, ask});
  state.content = std::move(generation.content);
  state.headerLineCount = generation.headerLineCount;
  if (generation.outcome != GenerateOutcome::Done) {
    state.output.Reset();
    return generation.outcome;
  }
  state.output = std::move(generation.output);
  return SetClipboardText(state.output) ? GenerateOutcome::Done : GenerateOutcome::ClipboardFailed;
}

}  // namespace rc2e
