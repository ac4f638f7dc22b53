#include "gfx/layer_transfer.h"

namespace pictavo::gfx {

Bitmap LayerToBitmap(const Raster& layer) {
  if (!layer) return {};
  const int width = layer.Width();
  const int height = layer.Height();
  Bitmap bitmap(FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                                   FI_RGBA_BLUE_MASK));
  if (!bitmap) return bitmap;
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = layer.Row(y);
    BYTE* to = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
    for (int x = 0; x < width; ++x, to += 4) {
      Rgba pixel = Unpremultiply(from[x]);
      to[FI_RGBA_RED] = pixel.r;
      to[FI_RGBA_GREEN] = pixel.g;
      to[FI_RGBA_BLUE] = pixel.b;
      to[FI_RGBA_ALPHA] = pixel.a;
    }
  }
  return bitmap;
}

Raster RasterFromBitmap32(FIBITMAP* dib) {
  if (dib == nullptr || FreeImage_GetImageType(dib) != FIT_BITMAP || FreeImage_GetBPP(dib) != 32)
    return {};
  const int width = static_cast<int>(FreeImage_GetWidth(dib));
  const int height = static_cast<int>(FreeImage_GetHeight(dib));
  Raster raster = Raster::Create(width, height);
  if (!raster) return raster;
  for (int y = 0; y < height; ++y) {
    const BYTE* from = FreeImage_GetScanLine(dib, height - 1 - y);
    uint32_t* to = raster.Row(y);
    for (int x = 0; x < width; ++x, from += 4)
      to[x] = Premultiply(
          Rgba{from[FI_RGBA_RED], from[FI_RGBA_GREEN], from[FI_RGBA_BLUE], from[FI_RGBA_ALPHA]});
  }
  raster.MarkDirty();
  return raster;
}

}  // namespace pictavo::gfx
