#pragma once

// Small FreeImage helpers for tests that build bitmaps and probe their
// pixels. Coordinates are top-down (y = 0 is the top row), as in the images
// a user sees; FreeImage itself stores rows bottom-up.

#include <FreeImage.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>

#include "pipeline/bitmap.h"

namespace pictavo::test {

struct Pixel {
  int r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const Pixel&, const Pixel&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << "(" << p.r << ", " << p.g << ", " << p.b << ", " << p.a << ")";
  }
};

// True when every channel differs by at most `tolerance`.
inline bool Near(const Pixel& a, const Pixel& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance && std::abs(a.a - b.a) <= tolerance;
}

// A bitmap of width x height and 24 or 32 bits filled with one colour.
inline Bitmap SolidBitmap(int width, int height, int bpp, Pixel color) {
  Bitmap bitmap(FreeImage_Allocate(width, height, bpp, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                                   FI_RGBA_BLUE_MASK));
  const int step = bpp / 8;
  for (int y = 0; y < height; ++y) {
    BYTE* row = FreeImage_GetScanLine(bitmap.get(), y);
    for (int x = 0; x < width; ++x, row += step) {
      row[FI_RGBA_RED] = static_cast<BYTE>(color.r);
      row[FI_RGBA_GREEN] = static_cast<BYTE>(color.g);
      row[FI_RGBA_BLUE] = static_cast<BYTE>(color.b);
      if (step == 4) row[FI_RGBA_ALPHA] = static_cast<BYTE>(color.a);
    }
  }
  return bitmap;
}

// Sets one pixel of a 24- or 32-bit bitmap.
inline void SetPixel(FIBITMAP* dib, int x, int y, Pixel color) {
  const int step = FreeImage_GetBPP(dib) / 8;
  BYTE* p = FreeImage_GetScanLine(dib, FreeImage_GetHeight(dib) - 1 - y) + x * step;
  p[FI_RGBA_RED] = static_cast<BYTE>(color.r);
  p[FI_RGBA_GREEN] = static_cast<BYTE>(color.g);
  p[FI_RGBA_BLUE] = static_cast<BYTE>(color.b);
  if (step == 4) p[FI_RGBA_ALPHA] = static_cast<BYTE>(color.a);
}

// The pixel of a 24- or 32-bit bitmap; alpha 255 for 24 bits.
inline Pixel PixelAt(FIBITMAP* dib, int x, int y) {
  const int step = FreeImage_GetBPP(dib) / 8;
  const BYTE* p = FreeImage_GetScanLine(dib, FreeImage_GetHeight(dib) - 1 - y) + x * step;
  return Pixel{p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE],
               step == 4 ? p[FI_RGBA_ALPHA] : 255};
}

}  // namespace pictavo::test
