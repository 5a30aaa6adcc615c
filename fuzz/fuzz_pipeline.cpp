// Fuzz target for the generation pipeline without the clipboard: any bytes as a script,
// checking the output's fixed frame and that the lines read are SplitText's members.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "generator/code_generator.h"
#include "generator/line_services.h"
#include "generator/script_encoding.h"
#include "generator/script_source.h"
#include "runtime/text_services.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rc2e::Generation generation = rc2e::ComposeFromBytes({data, size});
  Check(generation.outcome == rc2e::GenerateOutcome::Done);
  std::string_view output = generation.output.view();
  constexpr std::string_view kEnd = "\r\n\r\n\r\n.子程序 设置组件属性\r\n\r\n\r\n.子程序 挂接事件";
  Check(output.size() >= kEnd.size() && output.substr(output.size() - kEnd.size()) == kEnd);
  Check(output.substr(0, 2) == "\r\n");

  // The one read gives the lines and the count that reading the file line by line gives.
  rc2e::ByteBuffer bytes(static_cast<int32_t>(size));
  if (size) std::memcpy(bytes.begin(), data, size);
  rc2e::ByteBuffer ansi = rc2e::ToAnsiCodePage(std::move(bytes));
  rc2e::ScriptSource script(ansi);
  std::string_view all(reinterpret_cast<const char*>(ansi.begin()), static_cast<size_t>(ansi.Count()));
  std::string_view beforeNul = all.substr(0, all.find('\0'));
  rc2e::ValueArray<rc2e::Text> members = rc2e::SplitText(beforeNul, "\r\n");
  Check(script.StoredLineCount() == members.Count());
  for (int32_t n = 1; n <= members.Count(); ++n) Check(script.Line(n) == members.At(n).view());
  std::string_view counted = beforeNul.substr(0, beforeNul.find('\x1A'));
  Check(script.LineCount() == rc2e::CountLines(counted));
  Check(generation.headerLineCount >= 0 && generation.headerLineCount <= script.LineCount());
  return 0;
}
