#pragma once

#include <FreeImage.h>

#include "pipeline/bitmap.h"

namespace pictavo {

// Replaces `image` by what `convert` makes of it. The new bitmap is built
// before the old one is let go; a refused conversion yields a missing image.
// A missing image is not handed to FreeImage at all.
template <typename Convert>
Bitmap ConvertWith(Bitmap image, Convert convert) {
  if (!image) return image;
  return Bitmap(convert(image.get()));
}

// 24-bit RGB of any bitmap. FreeImage widens and narrows standard bitmaps and
// 16-bit-per-channel colour directly; it has no direct way for 16- and 32-bit
// greyscale or floating-point images, which therefore take the same road the
// pipeline's own normalisation takes (linear scaling of grey, tone mapping
// of floating-point colour) instead of being lost.
Bitmap To24Bits(Bitmap image);

}  // namespace pictavo
