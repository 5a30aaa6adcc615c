// BitmapToRegion in three stages (32-bit copy, run scan, batched region) and the WindowBase
// shape operations SetRegion, ShapeFromBitmap and SetRoundCorners. No state is kept.
#include "framework/window_shapes.h"

#include <cstring>
#include <optional>

#include "framework/window_base.h"

namespace rc2e {

// stage 3: batched region

RegionFromRuns::RegionFromRuns(CreateRegionFunction createRegion) : createRegion_(createRegion) { EmptyBatch(); }

void RegionFromRuns::EmptyBatch() {
  std::memset(&batch_.header, 0, sizeof batch_.header);
  batch_.header.dwSize = sizeof(RGNDATAHEADER);
  batch_.header.iType = RDH_RECTANGLES;
}

void RegionFromRuns::AddRun(LONG left, LONG right, LONG y) {
  RECT& bound = batch_.header.rcBound;
  batch_.rectangles[batch_.header.nCount++] = RECT{left, y, right, y + 1};
  if (left < bound.left) bound.left = left;
  if (y < bound.top) bound.top = y;
  if (right > bound.right) bound.right = right;
  if (y + 1 > bound.bottom) bound.bottom = y + 1;
  if (batch_.header.nCount == kRegionBatchRectangles) {
    Flush();
    EmptyBatch();
  }
}

void RegionFromRuns::Flush() {
  OwnedRegion part(createRegion_(nullptr, kRegionBatchBytes, reinterpret_cast<const RGNDATA*>(&batch_)));
  if (!result_) {
    result_ = std::move(part);
  } else if (part) {
    ::CombineRgn(result_.get(), result_.get(), part.get(), RGN_OR);
  }
}

OwnedRegion RegionFromRuns::Finish() {
  Flush();
  EmptyBatch();
  return std::move(result_);
}

namespace {

// stage 1: a 32-bit bottom-up copy of the bitmap

void DeleteDcHandle(HDC dc) { ::DeleteDC(dc); }
using OwnedDc = OwnedHandle<HDC, DeleteDcHandle>;  // DeleteDC

// Selects an object into a DC for its own lifetime.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { ::SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

class PixelCopy {
 public:
  // construction
  PixelCopy() = default;
  PixelCopy(const PixelCopy&) = delete;
  PixelCopy& operator=(const PixelCopy&) = delete;
  ~PixelCopy() = default;  // members go in reverse: selection, then the DIB, then the DC

  // GetObjectA, CreateCompatibleDC, CreateDIBSection, BitBlt; false when a step fails.
  bool Open(HBITMAP bitmap);

  // access
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const uint32_t* Row(int32_t y) const { return pixels_ + static_cast<size_t>(height_ - 1 - y) * width_; }

 private:
  OwnedDc dc_;
  OwnedBitmap dib_;
  std::optional<Selection> selection_;
  const uint32_t* pixels_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
};

bool PixelCopy::Open(HBITMAP bitmap) {
  BITMAP info;
  if (!::GetObjectA(bitmap, sizeof info, &info)) return false;
  width_ = info.bmWidth;
  height_ = info.bmHeight;
  dc_.Reset(::CreateCompatibleDC(nullptr));
  if (!dc_) return false;

  BITMAPINFO layout;
  std::memset(&layout, 0, sizeof layout);
  layout.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  layout.bmiHeader.biWidth = width_;
  layout.bmiHeader.biHeight = height_;  // positive: rows bottom-up
  layout.bmiHeader.biPlanes = 1;
  layout.bmiHeader.biBitCount = 32;
  layout.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_.Reset(::CreateDIBSection(dc_.get(), &layout, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib_ || !bits) return false;
  pixels_ = static_cast<const uint32_t*>(bits);
  selection_.emplace(dc_.get(), dib_.get());

  OwnedDc source(::CreateCompatibleDC(dc_.get()));
  if (!source) return false;
  {
    Selection sourceSelection(source.get(), bitmap);
    ::BitBlt(dc_.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
  }
  ::GdiFlush();
  return true;
}

// stage 2: the run scan, top row first

void ScanRuns(const PixelCopy& pixels, uint32_t colour, RegionFromRuns& region) {
  const int32_t width = pixels.Width();
  for (int32_t y = 0; y < pixels.Height(); ++y) {
    const uint32_t* row = pixels.Row(y);
    int32_t x = 0;
    while (x < width) {
      int32_t start = x;
      while (x < width && row[x] != colour) ++x;
      if (x > start) region.AddRun(start, x, y);
      ++x;
    }
  }
}

}  // namespace

OwnedRegion BitmapToRegion(HBITMAP bitmap, uint32_t colour, CreateRegionFunction createRegion) {
  PixelCopy pixels;
  if (!pixels.Open(bitmap)) return OwnedRegion();
  RegionFromRuns region(createRegion);
  ScanRuns(pixels, colour, region);
  return region.Finish();
}

// WindowBase shape operations

bool WindowBase::SetRegion(HRGN region) {
  OwnedRegion owned(region);
  if (!::SetWindowRgn(handle, region, TRUE)) return false;
  owned.Release();  // the window's now
  return true;
}

bool WindowBase::ShapeFromBitmap(HBITMAP bitmap, std::optional<uint32_t> transparentColor,
                                 std::optional<bool> redraw) {
  OwnedRegion region = BitmapToRegion(bitmap, transparentColor.value_or(kDefaultTransparentColour));
  if (!region) return false;
  bool set = ::SetWindowRgn(handle, region.get(), redraw.value_or(false)) != 0;
  if (set) region.Release();
  ::DeleteObject(bitmap);
  return set;
}

bool WindowBase::SetRoundCorners(int32_t cornerSize, std::optional<bool> redraw) {
  RECT rect{0, 0, 0, 0};
  ::GetWindowRect(handle, &rect);
  OwnedRegion region(::CreateRoundRectRgn(0, 0, rect.right - rect.left + 1, rect.bottom - rect.top + 1,
                                          cornerSize, cornerSize));
  if (!::SetWindowRgn(handle, region.get(), redraw.value_or(false))) return false;
  region.Release();
  return true;
}

}  // namespace rc2e
