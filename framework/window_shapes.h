// Window shapes: a bitmap's outline as a region, built from horizontal pixel runs handed
// to ExtCreateRegion 1000 rectangles at a time. The WindowBase shape slots use it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/owned_handle.h"

namespace rc2e {

// The shape of ExtCreateRegion, so a caller can watch the batches.
using CreateRegionFunction = HRGN(WINAPI*)(const XFORM*, DWORD, const RGNDATA*);

inline constexpr int kRegionBatchRectangles = 1000;
inline constexpr DWORD kRegionBatchBytes = sizeof(RGNDATAHEADER) + kRegionBatchRectangles * sizeof(RECT);
inline constexpr uint32_t kDefaultTransparentColour = 0xFFFFFF;

// Collects one-row rectangles; every full batch, and the last one even when empty, becomes
// a region that is ORed into the result.
class RegionFromRuns {
 public:
  // construction
  explicit RegionFromRuns(CreateRegionFunction createRegion = ::ExtCreateRegion);
  RegionFromRuns(const RegionFromRuns&) = delete;
  RegionFromRuns& operator=(const RegionFromRuns&) = delete;

  // operations
  void AddRun(LONG left, LONG right, LONG y);
  OwnedRegion Finish();  // null only when no batch could be made into a region

 private:
  void Flush();
  void EmptyBatch();

  struct Batch {
    RGNDATAHEADER header;
    RECT rectangles[kRegionBatchRectangles];
  };
  static_assert(sizeof(Batch) == kRegionBatchBytes && kRegionBatchBytes == 16032);

  CreateRegionFunction createRegion_;
  OwnedRegion result_;
  Batch batch_;
};

// The region of every pixel of the bitmap whose 32-bit value (blue in the low byte) differs
// from colour, compared as given. Null when the bitmap cannot be read or copied.
OwnedRegion BitmapToRegion(HBITMAP bitmap, uint32_t colour, CreateRegionFunction createRegion = ::ExtCreateRegion);

}  // namespace rc2e
