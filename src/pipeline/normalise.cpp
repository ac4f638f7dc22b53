#include "pipeline/normalise.h"

#include "pipeline/bitmap_convert.h"

namespace pictavo {

Bitmap NormaliseGrey(Bitmap image) {
  if (!image) return image;
  const FREE_IMAGE_COLOR_TYPE type = FreeImage_GetColorType(image.get());
  if (type != FIC_MINISWHITE && type != FIC_MINISBLACK) return image;
  // A standard greyscale bitmap would only be copied.
  if (FreeImage_GetImageType(image.get()) == FIT_BITMAP) return image;
  return ConvertWith(std::move(image),
                     [](FIBITMAP* dib) { return FreeImage_ConvertToStandardType(dib, TRUE); });
}

Bitmap ToneMapDeepColour(Bitmap image) {
  if (!image || image.Bpp() <= 32) return image;
  // Fixed constants; gamma 1.0, not FreeImage's suggested 2.2.
  return ConvertWith(std::move(image),
                     [](FIBITMAP* dib) { return FreeImage_TmoDrago03(dib, 1.0, 0.0); });
}

}  // namespace pictavo
