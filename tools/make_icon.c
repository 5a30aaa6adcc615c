/* Host build tool: draws the program icon and writes it as a .ico file with one
 * 128 x 128, 32-bit image (BGRA with alpha plus the AND mask). No other sizes. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kSize = 128, kSamples = 4 };

typedef struct {
  double r, g, b, a;
} Color;

/* Signed distance to a rounded rectangle centred at (cx, cy). */
static double RoundedBoxDistance(double x, double y, double cx, double cy, double halfW, double halfH,
                                 double radius) {
  double qx = fabs(x - cx) - (halfW - radius);
  double qy = fabs(y - cy) - (halfH - radius);
  double ox = qx > 0 ? qx : 0, oy = qy > 0 ? qy : 0;
  double inside = qx > qy ? qx : qy;
  return sqrt(ox * ox + oy * oy) + (inside < 0 ? inside : 0) - radius;
}

static Color Over(Color top, Color bottom) {
  Color out;
  out.a = top.a + bottom.a * (1 - top.a);
  if (out.a <= 0) return (Color){0, 0, 0, 0};
  out.r = (top.r * top.a + bottom.r * bottom.a * (1 - top.a)) / out.a;
  out.g = (top.g * top.a + bottom.g * bottom.a * (1 - top.a)) / out.a;
  out.b = (top.b * top.a + bottom.b * bottom.a * (1 - top.a)) / out.a;
  return out;
}

/* One sample of the picture: a teal tile, a white sheet with a folded corner, and
 * three coloured "code" bars with an arrow pointing into the sheet. */
static Color Sample(double x, double y) {
  Color c = {0, 0, 0, 0};
  if (RoundedBoxDistance(x, y, 64, 64, 60, 60, 22) <= 0) {
    double t = y / kSize;
    c = (Color){0.05 + 0.05 * t, 0.55 - 0.20 * t, 0.62 - 0.10 * t, 1};
  }
  int onSheet = x >= 34 && x <= 94 && y >= 22 && y <= 106 && !(x > 78 && y < 22 + (x - 78));
  if (onSheet) c = Over((Color){0.97, 0.97, 0.95, 1}, c);
  if (x > 78 && x <= 94 && y >= 22 && y <= 38 && y >= 22 + (x - 78) - 0.5 && y <= 38)
    c = Over((Color){0.78, 0.80, 0.80, 1}, c);
  static const struct { double y, length, r, g, b; } bars[] = {
      {50, 40, 0.90, 0.40, 0.15}, {64, 30, 0.10, 0.45, 0.75}, {78, 36, 0.20, 0.60, 0.25}};
  for (size_t i = 0; i < sizeof bars / sizeof bars[0]; ++i) {
    if (RoundedBoxDistance(x, y, 44 + bars[i].length / 2, bars[i].y, bars[i].length / 2, 4, 4) <= 0)
      c = Over((Color){bars[i].r, bars[i].g, bars[i].b, 1}, c);
  }
  /* Arrow: a shaft from the left edge and a head ending at the sheet. */
  if (x >= 12 && x <= 30 && fabs(y - 92) <= 4) c = Over((Color){1, 0.80, 0.10, 1}, c);
  if (x >= 28 && x <= 42 && fabs(y - 92) <= (42 - x) * 0.75) c = Over((Color){1, 0.80, 0.10, 1}, c);
  return c;
}

static void Put16(FILE* f, unsigned v) {
  fputc(v & 0xFF, f);
  fputc((v >> 8) & 0xFF, f);
}

static void Put32(FILE* f, uint32_t v) {
  Put16(f, v & 0xFFFF);
  Put16(f, v >> 16);
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  static uint8_t pixels[kSize][kSize][4]; /* rows top-down, BGRA */
  static uint8_t mask[kSize][kSize / 8];  /* 1 = transparent */
  memset(mask, 0, sizeof mask);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          Color c = Sample(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
          r += c.r * c.a;
          g += c.g * c.a;
          b += c.b * c.a;
          a += c.a;
        }
      }
      int n = kSamples * kSamples;
      /* Premultiplied sums back to straight alpha, as icons expect. */
      pixels[y][x][0] = (uint8_t)(a > 0 ? lround(255 * b / a) : 0);
      pixels[y][x][1] = (uint8_t)(a > 0 ? lround(255 * g / a) : 0);
      pixels[y][x][2] = (uint8_t)(a > 0 ? lround(255 * r / a) : 0);
      pixels[y][x][3] = (uint8_t)lround(255 * a / n);
      if (pixels[y][x][3] == 0) mask[y][x / 8] |= (uint8_t)(0x80 >> (x % 8));
    }
  }

  FILE* f = fopen(argv[1], "wb");
  if (!f) {
    perror(argv[1]);
    return 1;
  }
  const uint32_t headerBytes = 40, colorBytes = kSize * kSize * 4, maskBytes = kSize * (kSize / 8);
  const uint32_t imageBytes = headerBytes + colorBytes + maskBytes;
  /* ICONDIR and its one entry (a width byte of 0 would mean 256, so 128 is stored as is). */
  Put16(f, 0);
  Put16(f, 1);
  Put16(f, 1);
  fputc(kSize, f);
  fputc(kSize, f);
  fputc(0, f);
  fputc(0, f);
  Put16(f, 1);
  Put16(f, 32);
  Put32(f, imageBytes);
  Put32(f, 6 + 16);
  /* BITMAPINFOHEADER: the height counts the colour rows and the mask rows. */
  Put32(f, headerBytes);
  Put32(f, kSize);
  Put32(f, 2 * kSize);
  Put16(f, 1);
  Put16(f, 32);
  Put32(f, 0);
  Put32(f, colorBytes + maskBytes);
  Put32(f, 0);
  Put32(f, 0);
  Put32(f, 0);
  Put32(f, 0);
  for (int y = kSize - 1; y >= 0; --y) fwrite(pixels[y], 4, kSize, f);
  for (int y = kSize - 1; y >= 0; --y) fwrite(mask[y], 1, kSize / 8, f);
  if (fclose(f) != 0) {
    perror(argv[1]);
    return 1;
  }
  return 0;
}
