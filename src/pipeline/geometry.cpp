#include "pipeline/geometry.h"

#include <algorithm>
#include <cmath>

#include "decor/color_value.h"
#include "formats/psd_validator.h"
#include "pipeline/bitmap_convert.h"

namespace pictavo {
namespace {

// FreeImage's RGBQUAD is blue, green, red, reserved; the colour value keeps
// red in its lowest byte.
RGBQUAD BackgroundOf(const Settings& settings) {
  const ColorValue color = ParseHexColor(settings.ImageRotationBackColor);
  RGBQUAD quad{};
  quad.rgbRed = RedOf(color);
  quad.rgbGreen = GreenOf(color);
  quad.rgbBlue = BlueOf(color);
  quad.rgbReserved = 0;
  return quad;
}

}  // namespace

Bitmap ApplyRotation(Bitmap image, const Settings& settings) {
  if (!image || !settings.DoImageRotation) return image;
  const int angle = settings.TransformImageRotation;
  if (angle < 1 || angle > 359) return image;

  // FreeImage rotates 24- and 32-bit images with full quality; everything
  // else goes through 24-bit RGB (an alpha channel of a 32-bit image stays).
  if (image.Bpp() <= 16 || image.Bpp() > 32) image = To24Bits(std::move(image));

  switch (settings.ImageRotationType) {
    case 0: {
      const RGBQUAD background = BackgroundOf(settings);
      return ConvertWith(std::move(image), [&](FIBITMAP* dib) {
        return FreeImage_Rotate(dib, static_cast<double>(angle), &background);
      });
    }
    case 1:
      return ConvertWith(std::move(image), [&](FIBITMAP* dib) {
        return FreeImage_RotateEx(dib, static_cast<double>(angle), 0.0, 0.0,
                                  FreeImage_GetWidth(dib) / 2.0, FreeImage_GetHeight(dib) / 2.0,
                                  FALSE);
      });
    default:
      return image;
  }
}

int ResizeTarget(int value, int unit, int current) {
  switch (unit) {
    case 0:
      return value;
    case 1: {
      // nearbyint rounds halves to the even neighbour in the default mode.
      double target = std::nearbyint(value / 100.0 * current);
      if (!(target > -2147483648.0 && target < 2147483648.0)) return 0;
      return static_cast<int>(target);
    }
    default:
      return 0;
  }
}

FREE_IMAGE_FILTER ResizeFilter(int algorithm) {
  switch (algorithm) {
    case 0:
      return FILTER_BOX;
    case 1:
      return FILTER_BILINEAR;
    case 2:
      return FILTER_BSPLINE;
    case 3:
      return FILTER_BICUBIC;
    case 4:
      return FILTER_CATMULLROM;
    case 5:
      return FILTER_LANCZOS3;
    default:
      return FILTER_BICUBIC;
  }
}

int RoundHalfAway(float x) {
  float whole = x > 0 ? std::floor(x + 0.5f) : std::ceil(x - 0.5f);
  return static_cast<int>(whole);
}

std::optional<ResizedSize> ResizeOf(const Settings& settings, int w, int h) {
  if (!settings.DoImageResize || w <= 0 || h <= 0) return std::nullopt;
  const int target_w = ResizeTarget(settings.ImageWidth, settings.ImageWidthUnit, w);
  const int target_h = ResizeTarget(settings.ImageHeight, settings.ImageHeightUnit, h);
  if (target_w <= 0 || target_h <= 0) return std::nullopt;
  if (w == target_w && h == target_h) return std::nullopt;
  if (settings.ImageResizeType == 1 && w < target_w && h < target_h) return std::nullopt;
  if (!settings.KeepAspectRatio) return ResizedSize{target_w, target_h};

  // The ratio and the quotient are single precision on purpose: 1000 x 3
  // to width 500 gives the quotient 1.5 and so the height 2.
  ResizedSize size{target_w, target_h};
  if (w >= h) {
    const float ratio = static_cast<float>(static_cast<double>(w) / h);
    size.height = RoundHalfAway(static_cast<float>(target_w / static_cast<double>(ratio)));
  } else {
    const float ratio = static_cast<float>(static_cast<double>(h) / w);
    size.width = RoundHalfAway(static_cast<float>(target_h / static_cast<double>(ratio)));
  }
  // A very flat or tall image could round its short side to nothing, which
  // FreeImage refuses; one pixel keeps the file.
  size.width = std::max(size.width, 1);
  size.height = std::max(size.height, 1);
  return size;
}

uint64_t ResizedBytes(const ResizedSize& size, unsigned bpp) {
  // FreeImage rescales 1- and 4-bit images as 8- or 24-bit ones; count the
  // larger.
  const uint64_t bytes_per_pixel = bpp < 8 ? 3 : bpp / 8;
  return static_cast<uint64_t>(size.width) * static_cast<uint64_t>(size.height) * bytes_per_pixel;
}

Bitmap ApplyResize(Bitmap image, const Settings& settings) {
  if (!image) return image;
  const std::optional<ResizedSize> size =
      ResizeOf(settings, static_cast<int>(image.Width()), static_cast<int>(image.Height()));
  if (!size) return image;
  // A target far beyond the memory budget (a typing slip in the width) would
  // not fail cleanly: the allocation may succeed and the process be killed
  // while the pixels are written.
  if (ResizedBytes(*size, image.Bpp()) > PixelBudgetBytes(settings)) return Bitmap();

  const FREE_IMAGE_FILTER filter = ResizeFilter(settings.ImageResizeAlgorithm);
  return ConvertWith(std::move(image), [&](FIBITMAP* dib) {
    return FreeImage_Rescale(dib, size->width, size->height, filter);
  });
}

Bitmap ApplyFlip(Bitmap image, const Settings& settings) {
  if (!image) return image;
  if (settings.DoImageFlipHorizontal) FreeImage_FlipHorizontal(image.get());
  if (settings.DoImageFlipVertical) FreeImage_FlipVertical(image.get());
  return image;
}

}  // namespace pictavo
