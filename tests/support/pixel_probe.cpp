#include "support/pixel_probe.h"

namespace pictavo::test_support {

std::vector<double> ProbePixel(FIBITMAP* dib, unsigned x, unsigned y_from_top) {
  if (dib == nullptr || x >= FreeImage_GetWidth(dib) || y_from_top >= FreeImage_GetHeight(dib))
    return {};
  const BYTE* line = FreeImage_GetScanLine(dib, FreeImage_GetHeight(dib) - 1 - y_from_top);
  const unsigned bpp = FreeImage_GetBPP(dib);
  switch (FreeImage_GetImageType(dib)) {
    case FIT_BITMAP: {
      if (bpp <= 8) {
        const RGBQUAD* palette = FreeImage_GetPalette(dib);
        unsigned index = 0;
        if (bpp == 8) index = line[x];
        if (bpp == 4) index = (line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
        if (bpp == 1) index = (line[x / 8] >> (7 - x % 8)) & 1;
        if (palette == nullptr || index >= FreeImage_GetColorsUsed(dib)) return {};
        return {double(palette[index].rgbRed), double(palette[index].rgbGreen),
                double(palette[index].rgbBlue)};
      }
      if (bpp == 24 || bpp == 32) {
        const BYTE* p = line + x * (bpp / 8);
        std::vector<double> v{double(p[FI_RGBA_RED]), double(p[FI_RGBA_GREEN]),
                              double(p[FI_RGBA_BLUE])};
        if (bpp == 32) v.push_back(p[FI_RGBA_ALPHA]);
        return v;
      }
      return {};
    }
    case FIT_UINT16:
      return {double(reinterpret_cast<const WORD*>(line)[x])};
    case FIT_FLOAT:
      return {double(reinterpret_cast<const float*>(line)[x])};
    case FIT_RGB16: {
      const FIRGB16& p = reinterpret_cast<const FIRGB16*>(line)[x];
      return {double(p.red), double(p.green), double(p.blue)};
    }
    case FIT_RGBA16: {
      const FIRGBA16& p = reinterpret_cast<const FIRGBA16*>(line)[x];
      return {double(p.red), double(p.green), double(p.blue), double(p.alpha)};
    }
    case FIT_RGBF: {
      const FIRGBF& p = reinterpret_cast<const FIRGBF*>(line)[x];
      return {double(p.red), double(p.green), double(p.blue)};
    }
    case FIT_RGBAF: {
      const FIRGBAF& p = reinterpret_cast<const FIRGBAF*>(line)[x];
      return {double(p.red), double(p.green), double(p.blue), double(p.alpha)};
    }
    default:
      return {};
  }
}

}  // namespace pictavo::test_support
