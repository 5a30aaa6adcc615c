// StatusBar operations: creation and binding, part-edge arithmetic, texts, tips, icons,
// colour and simple mode, each a message or two sent through WindowBase::Send.
// The control keeps all part state; this file keeps none.
#include "framework/status_bar.h"

#include <commctrl.h>

#include <vector>

#include "framework/program_module.h"
#include "framework/text_argument.h"
#include "runtime/value_ops.h"

namespace rc2e {

namespace {

// Bytes one UTF-16 unit can take in any ANSI code page. The control may report a text's
// length in characters while SB_GETTEXTA writes bytes, so the buffer allows for the most.
constexpr size_t kMaxBytesPerCharacter = 4;
constexpr int32_t kTipBufferBytes = 256;

}  // namespace

// construction

StatusBar::StatusBar() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof classes;
  classes.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&classes);
}

StatusBar::StatusBar(CloneTag, const StatusBar& other) : WindowBase(other) {}

// lifetime

std::unique_ptr<WindowBase> StatusBar::Clone() const { return std::make_unique<StatusBar>(CloneTag{}, *this); }

// obtaining the control

bool StatusBar::Create(HWND parent, std::optional<DWORD> style, std::optional<DWORD> exStyle) {
  DWORD windowStyle = WS_CHILD | WS_VISIBLE | style.value_or(kStatusBarDefaultStyle);
  int32_t controlId = ++programModule.controlIdCounter;
  HMENU childId = reinterpret_cast<HMENU>(static_cast<intptr_t>(controlId));
  return CreateEx(parent, exStyle.value_or(0), kStatusBarClass, "", windowStyle, 0, 0, 0, 0, childId, nullptr) !=
         nullptr;
}

bool StatusBar::Bind(HWND dialog, int32_t controlId, std::optional<bool> defaultFont) {
  return BindDialogItem(dialog, controlId, defaultFont.value_or(true)) != nullptr;
}

bool StatusBar::AttachWindow(HWND window) { return AttachHandle(window) != nullptr; }

// parts

bool StatusBar::ClearParts() {
  INT edge = 0;
  return Send(SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge)) != 0;
}

int32_t StatusBar::AddPart(const char* text, std::optional<int32_t> width, const char* tip, HICON icon) {
  int32_t partWidth = width.value_or(kDefaultPartWidth);
  int32_t count = GetPartCount();
  if (count <= 0) return -1;
  std::vector<INT> edges(static_cast<size_t>(count) + 1);
  if (Send(SB_GETPARTS, count, reinterpret_cast<LPARAM>(edges.data())) == 0) return -1;
  if (count == 1) edges[0] = partWidth == kPartToBorder ? kDefaultPartWidth : partWidth;
  // The last edge is taken as a plain number, also when it is -1.
  edges[count] = partWidth == kPartToBorder ? kPartToBorder : edges[count - 1] + partWidth;
  if (Send(SB_SETPARTS, count + 1, reinterpret_cast<LPARAM>(edges.data())) == 0) return -1;
  if (text) Send(SB_SETTEXTA, count, reinterpret_cast<LPARAM>(text));
  if (tip) Send(SB_SETTIPTEXTA, count, reinterpret_cast<LPARAM>(tip));
  if (icon) Send(SB_SETICON, count, reinterpret_cast<LPARAM>(icon));
  return count;
}

void StatusBar::RemovePart(int32_t index) {
  int32_t count = GetPartCount();
  if (count <= 0 || index < 0 || index >= count) return;
  std::vector<INT> edges(static_cast<size_t>(count));
  if (Send(SB_GETPARTS, count, reinterpret_cast<LPARAM>(edges.data())) == 0) return;
  edges.erase(edges.begin() + index);
  Send(SB_SETPARTS, count - 1, reinterpret_cast<LPARAM>(edges.data()));
}

bool StatusBar::SetPartWidths(const ValueArray<int32_t>& widths) {
  std::vector<INT> edges;
  edges.reserve(static_cast<size_t>(widths.Count()) + 1);
  int32_t total = 0;
  for (int32_t w : widths) {
    edges.push_back(w == kPartToBorder ? kPartToBorder : total + w);
    total += w;  // -1 counts too, as GetPartWidths does
  }
  return Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data())) != 0;
}

void StatusBar::GetPartWidths(ValueArray<int32_t>& widths) {
  int32_t count = GetPartCount();
  if (count < 0) count = 0;
  std::vector<INT> edges(static_cast<size_t>(count) + 1);
  Send(SB_GETPARTS, count, reinterpret_cast<LPARAM>(edges.data()));  // a refusal leaves zeros
  widths = ValueArray<int32_t>(count);
  int32_t total = 0;
  for (int32_t i = 0; i < count; ++i) {
    int32_t width = edges[i] == kPartToBorder ? kPartToBorder : edges[i] - total;
    total += width;
    widths.At(i + 1) = width;
  }
}

int32_t StatusBar::GetPartCount() { return static_cast<int32_t>(Send(SB_GETPARTS, 0, 0)); }

RECT StatusBar::GetPartRect(int32_t index) {
  RECT rect{};
  if (Send(SB_GETRECT, index, reinterpret_cast<LPARAM>(&rect)) == 0) rect = RECT{};
  return rect;
}

// texts, colour, icons, tips, mode

bool StatusBar::SetText(int32_t index, const char* text) {
  return Send(SB_SETTEXTA, index, reinterpret_cast<LPARAM>(TextOrEmpty(text))) != 0;
}

Text StatusBar::GetText(std::optional<int32_t> index) {
  int32_t part = index.value_or(0);
  size_t length = LOWORD(Send(SB_GETTEXTLENGTHA, part, 0));
  if (length == 0) return Text();
  Text buffer = Text::WithLength(length * kMaxBytesPerCharacter);
  Send(SB_GETTEXTA, part, reinterpret_cast<LPARAM>(buffer.data()));
  return Text::Copy(buffer.c_str());
}

COLORREF StatusBar::SetBackColor(COLORREF color) {
  return static_cast<COLORREF>(Send(SB_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}

bool StatusBar::SetPartIcon(int32_t index, HICON icon) {
  return Send(SB_SETICON, index, reinterpret_cast<LPARAM>(icon)) != 0;
}

HICON StatusBar::GetPartIcon(int32_t index) { return reinterpret_cast<HICON>(Send(SB_GETICON, index, 0)); }

void StatusBar::SetPartTip(int32_t index, const char* text) {
  Send(SB_SETTIPTEXTA, index, reinterpret_cast<LPARAM>(TextOrEmpty(text)));
}

Text StatusBar::GetPartTip(int32_t index) {
  char buffer[kTipBufferBytes + 1] = {};
  Send(SB_GETTIPTEXTA, MAKEWPARAM(index, kTipBufferBytes), reinterpret_cast<LPARAM>(buffer));
  buffer[kTipBufferBytes] = '\0';
  return TrimBlanks(buffer);
}

bool StatusBar::SetSimple(bool on) { return Send(SB_SIMPLE, on ? 1 : 0, 0) != 0; }

void StatusBar::Resize() { Send(WM_SIZE, 0, 0); }

}  // namespace rc2e
