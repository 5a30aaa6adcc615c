// The pipeline's order of stages and the clipboard at its end; each stage lives in its own
// file pair. Reads the file once per run.
#include "generator/code_generator.h"

#include <cstring>

#include "generator/classification.h"
#include "generator/composition.h"
#include "generator/generator_state.h"
#include "generator/header_block.h"
#include "generator/script_encoding.h"
#include "runtime/clipboard.h"
#include "runtime/text_services.h"

namespace rc2e {
namespace {

Generation ComposeFromAnsi(const ByteBuffer& bytes) {
  Generation generation;
  ScriptSource script(bytes);
  HeaderBlock header = ReadHeaderBlock(script);
  ClassifyRecords(header.records, script, header.lineCount + 1);
  generation.output = ComposeOutput(header.records, ChooseDialogRecord(header.records));
  generation.outcome = GenerateOutcome::Done;
  generation.readStatus = ScriptReadStatus::Read;
  generation.headerLineCount = header.lineCount;
  generation.content = script.TakeContent();
  return generation;
}

}  // namespace

Generation ComposeFromFile(const char* path) {
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
  return ComposeFromAnsi(ToAnsiCodePage(std::move(script.bytes)));
}

Generation ComposeFromBytes(std::span<const uint8_t> bytes) {
  ByteBuffer buffer(static_cast<int32_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(buffer.begin(), bytes.data(), bytes.size());
  return ComposeFromAnsi(ToAnsiCodePage(std::move(buffer)));
}

GenerateOutcome Generate(const char* pathAddress) {
  GeneratorState& state = CurrentGeneratorState();
  state.path = TextFromAddress(pathAddress);
  Generation generation = ComposeFromFile(state.path.address());
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
