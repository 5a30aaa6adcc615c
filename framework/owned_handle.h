// OwnedHandle: a one-word owner of a GDI or USER handle that releases it when replaced
// or destroyed, and never releases the handle it already holds when given it again.
// It does not share or count: copying is left to whoever needs a second handle.
#pragma once

#include <windows.h>

#include <utility>

namespace rc2e {

template <class Handle, void (*ReleaseHandle)(Handle)>
class OwnedHandle {
 public:
  // construction
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  ~OwnedHandle() { Reset(); }

  // access
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }

  // operations
  // Releases the held handle unless it is the new one, then holds the new one.
  void Reset(Handle handle = Handle{}) {
    if (handle_ && handle_ != handle) ReleaseHandle(handle_);
    handle_ = handle;
  }
  // Gives the handle up without releasing it.
  Handle Release() { return std::exchange(handle_, Handle{}); }

 private:
  Handle handle_{};
};

inline void DestroyCursorHandle(HCURSOR cursor) { DestroyCursor(cursor); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DeleteFontHandle(HFONT font) { DeleteObject(font); }
inline void DeleteBrushHandle(HBRUSH brush) { DeleteObject(brush); }
inline void DeleteBitmapHandle(HBITMAP bitmap) { DeleteObject(bitmap); }
inline void DeleteRegionHandle(HRGN region) { DeleteObject(region); }

using OwnedCursor = OwnedHandle<HCURSOR, DestroyCursorHandle>;  // DestroyCursor
using OwnedIcon = OwnedHandle<HICON, DestroyIconHandle>;        // DestroyIcon
using OwnedFont = OwnedHandle<HFONT, DeleteFontHandle>;         // DeleteObject
using OwnedBrush = OwnedHandle<HBRUSH, DeleteBrushHandle>;      // DeleteObject
using OwnedBitmap = OwnedHandle<HBITMAP, DeleteBitmapHandle>;   // DeleteObject
using OwnedRegion = OwnedHandle<HRGN, DeleteRegionHandle>;      // DeleteObject

static_assert(sizeof(OwnedFont) == sizeof(HFONT), "an owned handle is one word");

}  // namespace rc2e
