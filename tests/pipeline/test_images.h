#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <ostream>

#include "pipeline/bitmap.h"

namespace pictavo::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// A width x height bitmap of `bpp` bits (24 or 32), filled with one colour.
inline Bitmap SolidImage(int width, int height, Rgb color, int bpp = 24, int alpha = 255) {
  Bitmap image(FreeImage_Allocate(width, height, bpp));
  RGBQUAD quad{};
  quad.rgbRed = static_cast<BYTE>(color.r);
  quad.rgbGreen = static_cast<BYTE>(color.g);
  quad.rgbBlue = static_cast<BYTE>(color.b);
  quad.rgbReserved = static_cast<BYTE>(alpha);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) FreeImage_SetPixelColor(image.get(), x, y, &quad);
  return image;
}

// An 8-bit greyscale bitmap whose pixel at column x has the value x % 256.
inline Bitmap GreyRamp(int width, int height) {
  Bitmap image(FreeImage_Allocate(width, height, 8));
  RGBQUAD* palette = FreeImage_GetPalette(image.get());
  for (int i = 0; i < 256; ++i) {
    palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
  }
  for (int y = 0; y < height; ++y) {
    BYTE* line = FreeImage_GetScanLine(image.get(), y);
    for (int x = 0; x < width; ++x) line[x] = static_cast<BYTE>(x % 256);
  }
  return image;
}

// Sets the pixel at (x, y), counted from the top-left corner, of a 24- or
// 32-bit bitmap.
inline void SetPixel(const Bitmap& image, int x, int y, Rgb color) {
  RGBQUAD quad{};
  quad.rgbRed = static_cast<BYTE>(color.r);
  quad.rgbGreen = static_cast<BYTE>(color.g);
  quad.rgbBlue = static_cast<BYTE>(color.b);
  quad.rgbReserved = 255;
  FreeImage_SetPixelColor(image.get(), x, image.Height() - 1 - y, &quad);
}

// The colour at (x, y), counted from the top-left corner (FreeImage keeps
// its lines bottom-up), for palettised and 8-bit-per-channel bitmaps.
inline Rgb PixelAt(const Bitmap& image, int x, int y) {
  const unsigned row = image.Height() - 1 - y;
  RGBQUAD quad{};
  if (FreeImage_GetBPP(image.get()) <= 8) {
    BYTE index = 0;
    FreeImage_GetPixelIndex(image.get(), x, row, &index);
    quad = FreeImage_GetPalette(image.get())[index];
  } else {
    FreeImage_GetPixelColor(image.get(), x, row, &quad);
  }
  return {quad.rgbRed, quad.rgbGreen, quad.rgbBlue};
}

}  // namespace pictavo::testing
