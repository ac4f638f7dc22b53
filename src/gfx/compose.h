#pragma once

// Drawing one raster onto another at (0, 0) with a constant opacity (0 to
// 255). Only the overlap of the two rasters is touched.

#include "gfx/raster.h"

namespace pictavo::gfx {

// Each source pixel's alpha is scaled by opacity / 255 and the pixel is
// combined over the target pixel by the over rule.
void DrawBlended(Raster& target, const Raster& source, int opacity);

// Changes a straight colour on its way from the source to the target.
using PixelFilter = Rgba (*)(Rgba);

// Each target pixel is replaced (all four channels) by the source pixel,
// passed through `filter` when one is given, with its alpha scaled by
// opacity / 255.
void DrawReplacing(Raster& target, const Raster& source, int opacity, PixelFilter filter = nullptr);

}  // namespace pictavo::gfx
