// Writing and owning the tray icon's 488-byte notification block.
// The shell calls that use the block are in dialog_window_tray.cpp.
#include "framework/tray_icon.h"

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "runtime/heap.h"

namespace rc2e {

namespace layout = notify_icon_layout;

// The block is the system's NOTIFYICONDATAA up to (not including) guidItem.
static_assert(NOTIFYICONDATAA_V2_SIZE == kNotifyIconBlockSize);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == layout::kWindow);
static_assert(offsetof(NOTIFYICONDATAA, uID) == layout::kId);
static_assert(offsetof(NOTIFYICONDATAA, uFlags) == layout::kFlags);
static_assert(offsetof(NOTIFYICONDATAA, uCallbackMessage) == layout::kCallbackMessage);
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == layout::kIcon);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == layout::kTip);
static_assert(sizeof(NOTIFYICONDATAA::szTip) == layout::kTipBytes);
static_assert(offsetof(NOTIFYICONDATAA, dwState) == layout::kState);
static_assert(offsetof(NOTIFYICONDATAA, dwStateMask) == layout::kStateMask);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == layout::kInfo);
static_assert(sizeof(NOTIFYICONDATAA::szInfo) == layout::kInfoBytes);
static_assert(offsetof(NOTIFYICONDATAA, uTimeout) == layout::kTimeout);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == layout::kInfoTitle);
static_assert(sizeof(NOTIFYICONDATAA::szInfoTitle) == layout::kInfoTitleBytes);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == layout::kInfoFlags);

namespace {

void WriteNumber(char* block, size_t offset, const std::optional<uint32_t>& value) {
  if (value) std::memcpy(block + offset, &*value, sizeof(uint32_t));
}

void WriteText(char* block, size_t offset, size_t fieldBytes, const std::optional<std::string_view>& text) {
  if (!text) return;
  size_t length = text->size() < fieldBytes ? text->size() : fieldBytes - 1;
  if (length) std::memcpy(block + offset, text->data(), length);
  block[offset + length] = '\0';
}

}  // namespace

void WriteNotifyIconFields(void* block, const NotifyIconFields& fields) {
  if (!block) return;
  char* bytes = static_cast<char*>(block);
  WriteNumber(bytes, layout::kSize, fields.size);
  WriteNumber(bytes, layout::kWindow, fields.window);
  WriteNumber(bytes, layout::kId, fields.id);
  WriteNumber(bytes, layout::kFlags, fields.flags);
  WriteNumber(bytes, layout::kCallbackMessage, fields.callbackMessage);
  WriteNumber(bytes, layout::kIcon, fields.icon);
  WriteText(bytes, layout::kTip, layout::kTipBytes, fields.tip);
  WriteNumber(bytes, layout::kState, fields.state);
  WriteNumber(bytes, layout::kStateMask, fields.stateMask);
  WriteText(bytes, layout::kInfo, layout::kInfoBytes, fields.info);
  WriteNumber(bytes, layout::kTimeout, fields.timeout);
  WriteText(bytes, layout::kInfoTitle, layout::kInfoTitleBytes, fields.infoTitle);
  WriteNumber(bytes, layout::kInfoFlags, fields.infoFlags);
}

NotifyIconBlock& NotifyIconBlock::operator=(NotifyIconBlock&& other) noexcept {
  if (this != &other) {
    Free();
    block_ = other.block_;
    other.block_ = nullptr;
  }
  return *this;
}

NotifyIconBlock NotifyIconBlock::Allocate() {
  NotifyIconBlock result;
  result.block_ = AllocateBlock(kNotifyIconBlockSize);
  return result;
}

void NotifyIconBlock::Free() {
  FreeBlock(block_);
  block_ = nullptr;
}

uint32_t NotifyIconBlock::ReadNumber(size_t offset) const {
  uint32_t value = 0;
  if (block_) std::memcpy(&value, static_cast<const char*>(block_) + offset, sizeof value);
  return value;
}

}  // namespace rc2e
