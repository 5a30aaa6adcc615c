// StatusBar: one "msctls_statusbar32" control: creating or binding it, its parts and their
// edges, texts, tips, icons, colour and simple mode. Widths, texts and tips live in the control.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "framework/window_base.h"
#include "runtime/text.h"
#include "runtime/value_array.h"

namespace rc2e {

inline constexpr const char* kStatusBarClass = "msctls_statusbar32";
// SBARS_SIZEGRIP | CCS_BOTTOM | SBARS_TOOLTIPS
inline constexpr DWORD kStatusBarDefaultStyle = 0x903;
inline constexpr int32_t kDefaultPartWidth = 100;
// The right edge of a part that reaches the right border of the bar.
inline constexpr int32_t kPartToBorder = -1;

class StatusBar : public WindowBase {
 public:
  // construction
  // Registers the common-control bar classes (InitCommonControlsEx, ICC_BAR_CLASSES).
  StatusBar();

  // lifetime (WindowBase slot replaced here)
  // slot 1: a StatusBar holding a copy of the base record.
  std::unique_ptr<WindowBase> Clone() const override;
  // Slots 0, 4, 12, 17 and 26 keep WindowBase's bodies, which are this class's too:
  // Destroy detaches, DialogMessage and HookEraseBackground return 0 (the control erases
  // itself), HookLeftButtonDown and HookDestroyed do nothing.

  // obtaining the control
  // slot 97: CreateEx of a child bar with the next control id; style 0x903 when omitted.
  virtual bool Create(HWND parent, std::optional<DWORD> style = std::nullopt,
                      std::optional<DWORD> exStyle = std::nullopt);
  // slot 98: BindDialogItem; the default GUI font unless defaultFont is false.
  virtual bool Bind(HWND dialog, int32_t controlId, std::optional<bool> defaultFont = std::nullopt);
  // slot 99: AttachHandle.
  virtual bool AttachWindow(HWND window);

  // parts
  // slot 100: SB_SETPARTS with one part of right edge 0.
  virtual bool ClearParts();
  // slot 101: appends a part width wide (100 when omitted, -1 to the border); its index or -1.
  virtual int32_t AddPart(const char* text = nullptr, std::optional<int32_t> width = std::nullopt,
                          const char* tip = nullptr, HICON icon = nullptr);
  // slot 102: removes one part; the others keep their right edges.
  virtual void RemovePart(int32_t index);
  // slot 103: widths to right edges, SB_SETPARTS.
  virtual bool SetPartWidths(const ValueArray<int32_t>& widths);
  // slot 104: SB_GETPARTS, right edges back to widths.
  virtual void GetPartWidths(ValueArray<int32_t>& widths);
  // slot 105: SB_GETPARTS(0, 0).
  virtual int32_t GetPartCount();
  // slot 106: SB_GETRECT; all 0 when refused.
  virtual RECT GetPartRect(int32_t index);

  // texts, colour, icons, tips, mode
  // slot 107: SB_SETTEXTA with the index alone as wParam.
  virtual bool SetText(int32_t index, const char* text = nullptr);
  // slot 108: SB_GETTEXTLENGTHA, SB_GETTEXTA into a new Text; part 0 when omitted.
  virtual Text GetText(std::optional<int32_t> index = std::nullopt);
  // slot 109: SB_SETBKCOLOR; the previous colour.
  virtual COLORREF SetBackColor(COLORREF color = 0);
  // slot 110: SB_SETICON.
  virtual bool SetPartIcon(int32_t index, HICON icon);
  // slot 111: SB_GETICON.
  virtual HICON GetPartIcon(int32_t index);
  // slot 112: SB_SETTIPTEXTA.
  virtual void SetPartTip(int32_t index, const char* text = nullptr);
  // slot 113: SB_GETTIPTEXTA into 256 bytes, leading and trailing blanks removed.
  virtual Text GetPartTip(int32_t index);
  // slot 114: SB_SIMPLE.
  virtual bool SetSimple(bool on);
  // slot 115: WM_SIZE (0, 0): the bar fits itself to its parent again.
  virtual void Resize();

 private:
  struct CloneTag {};

 public:
  // For Clone only (the tag is private).
  StatusBar(CloneTag, const StatusBar& other);
};

}  // namespace rc2e
