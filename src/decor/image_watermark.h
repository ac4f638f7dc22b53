#pragma once

#include "gfx/raster.h"
#include "pipeline/bitmap.h"
#include "settings/settings.h"

namespace pictavo {

// Grey of a colour with weights that sum to 256: (77 r + 150 g + 29 b) >> 8;
// the alpha is kept.
gfx::Rgba GreyPixel(gfx::Rgba color);

// The picture Watermark/Image as a 32-bit straight-alpha layer at its own
// size, its alpha scaled by Image Opacity and greyed with Image Greyscale.
// The file is read anew on every call. An empty Bitmap when the picture
// cannot be decoded.
Bitmap BuildImageLayer(const Settings& settings);

}  // namespace pictavo
