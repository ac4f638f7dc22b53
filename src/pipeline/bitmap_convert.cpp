#include "pipeline/bitmap_convert.h"

#include "pipeline/normalise.h"

namespace pictavo {

Bitmap To24Bits(Bitmap image) {
  if (!image) return image;
  if (FIBITMAP* direct = FreeImage_ConvertTo24Bits(image.get())) return Bitmap(direct);
  switch (FreeImage_GetImageType(image.get())) {
    case FIT_UINT16:
    case FIT_INT16:
    case FIT_UINT32:
    case FIT_INT32:
    case FIT_FLOAT:
    case FIT_DOUBLE:
      image = ConvertWith(std::move(image),
                          [](FIBITMAP* dib) { return FreeImage_ConvertToStandardType(dib, TRUE); });
      return ConvertWith(std::move(image),
                         [](FIBITMAP* dib) { return FreeImage_ConvertTo24Bits(dib); });
    case FIT_RGBF:
    case FIT_RGBAF:
      return ToneMapDeepColour(std::move(image));
    default:
      return Bitmap();
  }
}

}  // namespace pictavo
