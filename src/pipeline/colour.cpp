#include "pipeline/colour.h"

#include "pipeline/bitmap_convert.h"

namespace pictavo {
namespace {

// Widens to 24 bits when the depth lies outside [lowest, 32].
Bitmap WidenOutside(Bitmap image, unsigned lowest) {
  if (image.Bpp() < lowest || image.Bpp() > 32) return To24Bits(std::move(image));
  return image;
}

}  // namespace

Bitmap ApplyColorAdjustment(Bitmap image, const Settings& settings) {
  if (!image || !settings.DoImageColorCorrection) return image;
  image = WidenOutside(std::move(image), 8);
  if (!image) return image;
  // Works in place (on the palette of a palettised image). A refusal leaves
  // the pixels as they were, and the conversion goes on with them.
  FreeImage_AdjustColors(image.get(), static_cast<double>(settings.ImageBrightness),
                         static_cast<double>(settings.ImageContrast),
                         static_cast<double>(settings.ImageGamma),
                         settings.ImageInvert ? TRUE : FALSE);
  return image;
}

Bitmap ApplyGreyscale(Bitmap image, const Settings& settings) {
  if (!image || !settings.DoImageGreyscale) return image;
  if (image.Bpp() > 32) image = To24Bits(std::move(image));
  return ConvertWith(std::move(image),
                     [](FIBITMAP* dib) { return FreeImage_ConvertToGreyscale(dib); });
}

Bitmap ApplyThreshold(Bitmap image, const Settings& settings) {
  if (!image || !settings.DoImageThreshold) return image;
  image = WidenOutside(std::move(image), 4);
  // FreeImage takes the level as a byte: 300 acts as 44.
  const BYTE level = static_cast<BYTE>(settings.ImageThreshold & 0xFF);
  return ConvertWith(std::move(image),
                     [level](FIBITMAP* dib) { return FreeImage_Threshold(dib, level); });
}

Bitmap ApplyDither(Bitmap image, const Settings& settings) {
  if (!image || !settings.DoImageDither) return image;
  image = WidenOutside(std::move(image), 4);
  const FREE_IMAGE_DITHER method = DitherAlgorithm(settings.ImageDitherAlgorithm);
  return ConvertWith(std::move(image),
                     [method](FIBITMAP* dib) { return FreeImage_Dither(dib, method); });
}

FREE_IMAGE_DITHER DitherAlgorithm(int algorithm) {
  switch (algorithm) {
    case 0:
      return FID_FS;
    case 1:
      return FID_BAYER4x4;
    case 2:
      return FID_BAYER8x8;
    case 3:
      return FID_BAYER16x16;
    case 4:
      return FID_CLUSTER6x6;
    case 5:
      return FID_CLUSTER8x8;
    case 6:
      return FID_CLUSTER16x16;
    default:
      return FID_FS;
  }
}

}  // namespace pictavo
