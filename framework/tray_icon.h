// The tray icon's notification block: the 488-byte NOTIFYICONDATAA layout, its owning
// holder and WriteNotifyIconFields, the one routine that writes it. No shell calls here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rc2e {

inline constexpr uint32_t kNotifyIconBlockSize = 488;
inline constexpr uint32_t kTrayCallbackMessage = 12313;  // 0x3019
inline constexpr uint32_t kTrayIconId = 1;
inline constexpr uint32_t kTrayFlagsIcon = 7;      // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr uint32_t kTrayFlagsBalloon = 31;  // ... | NIF_STATE | NIF_INFO
inline constexpr uint32_t kTrayDefaultBalloonKind = 1;  // NIIF_INFO
inline constexpr uint32_t kTrayDefaultBalloonTimeout = 10000;

// Byte offsets and text field sizes inside the block.
namespace notify_icon_layout {
inline constexpr size_t kSize = 0;
inline constexpr size_t kWindow = 4;
inline constexpr size_t kId = 8;
inline constexpr size_t kFlags = 12;
inline constexpr size_t kCallbackMessage = 16;
inline constexpr size_t kIcon = 20;
inline constexpr size_t kTip = 24;
inline constexpr size_t kTipBytes = 128;
inline constexpr size_t kState = 152;
inline constexpr size_t kStateMask = 156;
inline constexpr size_t kInfo = 160;
inline constexpr size_t kInfoBytes = 256;
inline constexpr size_t kTimeout = 416;
inline constexpr size_t kInfoTitle = 420;
inline constexpr size_t kInfoTitleBytes = 64;
inline constexpr size_t kInfoFlags = 484;
}  // namespace notify_icon_layout

// The thirteen fields in block order; an empty optional is a field that is not written.
struct NotifyIconFields {
  std::optional<uint32_t> size;
  std::optional<uint32_t> window;
  std::optional<uint32_t> id;
  std::optional<uint32_t> flags;
  std::optional<uint32_t> callbackMessage;
  std::optional<uint32_t> icon;
  std::optional<std::string_view> tip;
  std::optional<uint32_t> state;
  std::optional<uint32_t> stateMask;
  std::optional<std::string_view> info;
  std::optional<uint32_t> timeout;
  std::optional<std::string_view> infoTitle;
  std::optional<uint32_t> infoFlags;
};

// Writes the present fields into a block of kNotifyIconBlockSize bytes; numbers as 32-bit
// values, texts cut to their field size less one byte and NUL-terminated (the rest of the
// field keeps its bytes). A null block is left alone.
void WriteNotifyIconFields(void* block, const NotifyIconFields& fields);

// Owns one zero-filled 488-byte block from the process heap.
class NotifyIconBlock {
 public:
  // construction
  NotifyIconBlock() = default;  // no block
  NotifyIconBlock(NotifyIconBlock&& other) noexcept : block_(other.block_) { other.block_ = nullptr; }
  NotifyIconBlock& operator=(NotifyIconBlock&& other) noexcept;
  NotifyIconBlock(const NotifyIconBlock&) = delete;
  NotifyIconBlock& operator=(const NotifyIconBlock&) = delete;
  ~NotifyIconBlock() { Free(); }
  static NotifyIconBlock Allocate();

  // operations
  void Free();
  void Write(const NotifyIconFields& fields) { WriteNotifyIconFields(block_, fields); }

  // access
  explicit operator bool() const { return block_ != nullptr; }
  void* data() const { return block_; }
  uint32_t ReadNumber(size_t offset) const;  // 0 without a block

 private:
  void* block_ = nullptr;
};

}  // namespace rc2e
