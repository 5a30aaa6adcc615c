// Tests of window shapes: BitmapToRegion over small bitmaps made here (the batches handed to
// ExtCreateRegion and the final region), and the three WindowBase shape operations.
#include "framework/window_shapes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/handle_map.h"
#include "framework/window_base.h"

namespace rc2e {
namespace {

// What one ExtCreateRegion call was given.
struct Batch {
  DWORD size;
  RGNDATAHEADER header;
  std::vector<RECT> rectangles;
};
std::vector<Batch> batches;
bool failNextRegion = false;

HRGN WINAPI RecordingExtCreateRegion(const XFORM* transform, DWORD size, const RGNDATA* data) {
  Batch batch{size, data->rdh, {}};
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  batch.rectangles.assign(rects, rects + data->rdh.nCount);
  batches.push_back(batch);
  if (failNextRegion) {
    failNextRegion = false;
    return nullptr;
  }
  return ExtCreateRegion(transform, size, data);
}

std::string Describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
std::string Describe(const std::vector<RECT>& rects) {
  std::string s;
  for (const RECT& r : rects) s += Describe(r);
  return s;
}

// A 32-bit top-down DIB section: pixels are given top row first, as raw 32-bit values
// (blue in the low byte).
HBITMAP MakeBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap) std::memcpy(bits, pixels.data(), pixels.size() * sizeof(uint32_t));
  return bitmap;
}

// The rectangles of a region as GDI stores them (rows with equal runs merged).
std::vector<RECT> RegionRectangles(HRGN region) {
  DWORD bytes = GetRegionData(region, 0, nullptr);
  std::vector<char> buffer(bytes);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (!bytes || !GetRegionData(region, bytes, data)) return {};
  const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
  return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

bool SameRegion(HRGN region, const std::vector<RECT>& rects) {
  HRGN expected = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : rects) {
    HRGN part = CreateRectRgnIndirect(&r);
    CombineRgn(expected, expected, part, RGN_OR);
    DeleteObject(part);
  }
  bool same = EqualRgn(region, expected) != 0;
  DeleteObject(expected);
  return same;
}

constexpr uint32_t W = 0x00FFFFFF;  // white, the default transparent colour
constexpr uint32_t K = 0x00000000;
constexpr uint32_t A = 0x00112233;  // red 0x11, blue 0x33 as a pixel
constexpr uint32_t B = 0x00332211;  // the same bytes with red and blue swapped

struct ScanCase {
  const char* name;
  int width;
  int height;
  std::vector<uint32_t> pixels;
  uint32_t colour;
  std::vector<RECT> runs;  // in scan order
};

class BitmapToRegionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    batches.clear();
    failNextRegion = false;
  }
};

TEST_F(BitmapToRegionTest, RunsOfOpaquePixelsRowByRow) {
  const std::vector<ScanCase> cases = {
      {"no transparent pixel: one rectangle per row", 3, 2, {K, K, K, K, K, K}, W, {{0, 0, 3, 1}, {0, 1, 3, 2}}},
      {"a middle transparent pixel splits the row", 3, 1, {K, W, K}, W, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
      {"top row first, transparent ends and a transparent pair",
       4,
       2,
       {W, K, K, W,
        K, W, W, K},
       W,
       {{1, 0, 3, 1}, {0, 1, 1, 2}, {3, 1, 4, 2}}},
      {"the colour is compared as given, red and blue not swapped",
       3,
       1,
       {A, B, A},
       0x00112233,
       {{1, 0, 2, 1}}},
      {"a pixel with the COLORREF's own order stays opaque", 2, 1, {B, B}, 0x00112233, {{0, 0, 2, 1}}},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE(c.name);
    batches.clear();
    HBITMAP bitmap = MakeBitmap(c.width, c.height, c.pixels);
    ASSERT_NE(bitmap, nullptr);
    OwnedRegion region = BitmapToRegion(bitmap, c.colour, RecordingExtCreateRegion);
    ASSERT_TRUE(region);
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(Describe(batches[0].rectangles), Describe(c.runs));
    EXPECT_EQ(batches[0].size, 16032u);
    EXPECT_EQ(batches[0].header.dwSize, 32u);
    EXPECT_EQ(batches[0].header.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(batches[0].header.nRgnSize, 0u);
    EXPECT_TRUE(SameRegion(region.get(), c.runs)) << Describe(RegionRectangles(region.get()));
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP)) << "the bitmap stays with the caller";
    DeleteObject(bitmap);
  }
}

TEST_F(BitmapToRegionTest, AllTransparentGivesAnEmptyRegionNotNull) {
  HBITMAP bitmap = MakeBitmap(2, 2, {W, W, W, W});
  OwnedRegion region = BitmapToRegion(bitmap, W, RecordingExtCreateRegion);
  ASSERT_TRUE(region);
  RECT box;
  EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
  ASSERT_EQ(batches.size(), 1u) << "the empty last batch is still made into a region";
  EXPECT_EQ(batches[0].header.nCount, 0u);
  DeleteObject(bitmap);
}

TEST_F(BitmapToRegionTest, DefaultColourIsWhiteWithTheRealExtCreateRegion) {
  HBITMAP bitmap = MakeBitmap(2, 1, {W, K});
  OwnedRegion region = BitmapToRegion(bitmap, kDefaultTransparentColour);
  ASSERT_TRUE(region);
  EXPECT_TRUE(SameRegion(region.get(), {{1, 0, 2, 1}}));
  DeleteObject(bitmap);
}

TEST_F(BitmapToRegionTest, TwoThousandFiveHundredRunsComeInThreeBatches) {
  const int height = 1250;
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) pixels.insert(pixels.end(), {K, W, K});
  HBITMAP bitmap = MakeBitmap(3, height, pixels);
  OwnedRegion region = BitmapToRegion(bitmap, W, RecordingExtCreateRegion);
  ASSERT_TRUE(region);
  ASSERT_EQ(batches.size(), 3u);
  const DWORD counts[] = {1000, 1000, 500};
  const LONG bottoms[] = {500, 1000, 1250};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(batches[i].header.nCount, counts[i]);
    EXPECT_EQ(batches[i].size, 16032u);
    EXPECT_EQ(Describe(batches[i].header.rcBound), Describe(RECT{0, 0, 3, bottoms[i]}));
  }
  EXPECT_EQ(Describe(batches[1].rectangles.front()), Describe(RECT{0, 500, 1, 501}));
  EXPECT_EQ(Describe(batches[2].rectangles.back()), Describe(RECT{2, 1249, 3, 1250}));
  EXPECT_TRUE(SameRegion(region.get(), {{0, 0, 1, 1250}, {2, 0, 3, 1250}}));
  DeleteObject(bitmap);
}

TEST_F(BitmapToRegionTest, AFailedBatchIsMissingFromTheResult) {
  std::vector<uint32_t> pixels(1001, K);  // one column of 1001 rows: batches of 1000 and 1
  HBITMAP bitmap = MakeBitmap(1, 1001, pixels);
  failNextRegion = true;
  OwnedRegion region = BitmapToRegion(bitmap, W, RecordingExtCreateRegion);
  ASSERT_TRUE(region);
  ASSERT_EQ(batches.size(), 2u);
  EXPECT_TRUE(SameRegion(region.get(), {{0, 1000, 1, 1001}}));
  DeleteObject(bitmap);
}

TEST_F(BitmapToRegionTest, AnUnreadableBitmapGivesNoRegion) {
  for (HBITMAP bitmap : {static_cast<HBITMAP>(nullptr), reinterpret_cast<HBITMAP>(0x1234)}) {
    EXPECT_FALSE(BitmapToRegion(bitmap, W, RecordingExtCreateRegion));
  }
  EXPECT_TRUE(batches.empty());
}

TEST_F(BitmapToRegionTest, ADeviceDependentBitmapIsReadToo) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 1);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  SetPixel(dc, 0, 0, RGB(255, 255, 255));
  SetPixel(dc, 1, 0, RGB(0, 0, 0));
  SetPixel(dc, 2, 0, RGB(0, 0, 0));
  SetPixel(dc, 3, 0, RGB(255, 255, 255));
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  OwnedRegion region = BitmapToRegion(bitmap, W, RecordingExtCreateRegion);
  ASSERT_TRUE(region);
  EXPECT_TRUE(SameRegion(region.get(), {{1, 0, 3, 1}})) << Describe(RegionRectangles(region.get()));
  DeleteObject(bitmap);
}

// A 200 x 100 pop-up owned by a WindowBase object.
class ShapedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindowRegistry()) CreateRegistries();
    static const ATOM kClass = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "WindowShapesTest";
      return RegisterClassA(&wc);
    }();
    (void)kClass;
    window = object.CreateEx(nullptr, 0, "WindowShapesTest", "shapes", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                             nullptr, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { DestroyWindow(window); }

  // The window's region now, or null when it has none.
  OwnedRegion CurrentRegion() {
    OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.get()) == ERROR) return OwnedRegion();
    return region;
  }

  WindowBase object;
  HWND window = nullptr;
};

TEST_F(ShapedWindow, SetRegionHandsTheRegionToTheWindow) {
  ASSERT_TRUE(object.SetRegion(CreateRectRgn(5, 5, 50, 40)));
  OwnedRegion now = CurrentRegion();
  ASSERT_TRUE(now);
  EXPECT_TRUE(SameRegion(now.get(), {{5, 5, 50, 40}}));
  EXPECT_TRUE(object.SetRegion(nullptr));
  EXPECT_FALSE(CurrentRegion()) << "0 removes the region";
}

TEST_F(ShapedWindow, RoundCornersCoverTheWholeWindowOrCutTheCorners) {
  ASSERT_TRUE(object.SetRoundCorners(0));
  OwnedRegion square = CurrentRegion();
  ASSERT_TRUE(square);
  for (POINT corner : {POINT{0, 0}, POINT{199, 0}, POINT{0, 99}, POINT{199, 99}}) {
    EXPECT_TRUE(PtInRegion(square.get(), corner.x, corner.y)) << corner.x << "," << corner.y;
  }
  ASSERT_TRUE(object.SetRoundCorners(40, true));
  OwnedRegion round = CurrentRegion();
  ASSERT_TRUE(round);
  EXPECT_FALSE(PtInRegion(round.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(round.get(), 199, 99));
  EXPECT_TRUE(PtInRegion(round.get(), 100, 50));
  EXPECT_TRUE(PtInRegion(round.get(), 100, 0));
}

TEST_F(ShapedWindow, ShapeFromBitmapTakesTheBitmapOnceTheRegionIsMade) {
  std::vector<uint32_t> pixels(4 * 3, K);
  pixels[0] = W;  // (0, 0) transparent by default
  pixels[5] = A;  // (1, 1) transparent only when asked for
  HBITMAP bitmap = MakeBitmap(4, 3, pixels);
  ASSERT_TRUE(object.ShapeFromBitmap(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  OwnedRegion now = CurrentRegion();
  ASSERT_TRUE(now);
  EXPECT_TRUE(SameRegion(now.get(), {{1, 0, 4, 1}, {0, 1, 4, 3}}));

  bitmap = MakeBitmap(4, 3, pixels);
  ASSERT_TRUE(object.ShapeFromBitmap(bitmap, A, true));
  now = CurrentRegion();
  EXPECT_TRUE(SameRegion(now.get(), {{0, 0, 4, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}, {0, 2, 4, 3}}));
}

TEST_F(ShapedWindow, ShapeFromAnUnreadableBitmapChangesNothing) {
  ASSERT_TRUE(object.SetRegion(CreateRectRgn(0, 0, 20, 20)));
  EXPECT_FALSE(object.ShapeFromBitmap(reinterpret_cast<HBITMAP>(0x1234)));
  OwnedRegion now = CurrentRegion();
  ASSERT_TRUE(now);
  EXPECT_TRUE(SameRegion(now.get(), {{0, 0, 20, 20}}));
}

TEST(WindowShapesWithoutWindow, RefusedRegionsAreDeletedAndTheBitmapIsStillTaken) {
  WindowBase object;
  HRGN region = CreateRectRgn(0, 0, 10, 10);
  EXPECT_FALSE(object.SetRegion(region));
  EXPECT_EQ(GetObjectType(region), 0u);
  EXPECT_FALSE(object.SetRoundCorners(10));

  HBITMAP bitmap = MakeBitmap(2, 1, {K, K});
  EXPECT_FALSE(object.ShapeFromBitmap(bitmap));
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

}  // namespace
}  // namespace rc2e
