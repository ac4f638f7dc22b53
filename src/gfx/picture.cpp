#include "gfx/picture.h"

#include <FreeImage.h>

#include "gfx/layer_transfer.h"
#include "pipeline/bitmap.h"

namespace pictavo::gfx {
namespace {

// A 32-bit BMP whose fourth bytes are all zero carries no alpha channel,
// only padding; such a picture is meant to be opaque.
void MakeOpaqueIfAlphaUnused(FIBITMAP* dib) {
  const unsigned width = FreeImage_GetWidth(dib);
  const unsigned height = FreeImage_GetHeight(dib);
  for (unsigned y = 0; y < height; ++y) {
    const BYTE* row = FreeImage_GetScanLine(dib, y);
    for (unsigned x = 0; x < width; ++x)
      if (row[x * 4 + FI_RGBA_ALPHA] != 0) return;
  }
  for (unsigned y = 0; y < height; ++y) {
    BYTE* row = FreeImage_GetScanLine(dib, y);
    for (unsigned x = 0; x < width; ++x) row[x * 4 + FI_RGBA_ALPHA] = 0xFF;
  }
}

}  // namespace

Raster DecodePicture(const std::string& path) {
  FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
  if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format)) return {};
  Bitmap loaded(FreeImage_Load(format, path.c_str(), 0));
  if (!loaded) return {};
  if (FreeImage_GetImageType(loaded.get()) != FIT_BITMAP)
    loaded = Bitmap(FreeImage_ConvertToStandardType(loaded.get(), TRUE));
  if (!loaded) return {};
  const bool had_32_bits = loaded.Bpp() == 32;
  Bitmap rgba(had_32_bits ? loaded.release() : FreeImage_ConvertTo32Bits(loaded.get()));
  if (!rgba) return {};
  if (format == FIF_BMP && had_32_bits) MakeOpaqueIfAlphaUnused(rgba.get());
  return RasterFromBitmap32(rgba.get());
}

}  // namespace pictavo::gfx
