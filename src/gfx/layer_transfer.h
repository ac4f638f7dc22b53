#pragma once

// Moving pixels between rasters and FreeImage bitmaps. FreeImage keeps rows
// bottom-up with straight alpha; rasters keep them top-down, premultiplied.

#include <FreeImage.h>

#include "gfx/raster.h"
#include "pipeline/bitmap.h"

namespace pictavo::gfx {

// A 32-bit straight-alpha bitmap with the pixels of a finished layer, or an
// empty Bitmap when the layer is empty or the bitmap cannot be allocated.
Bitmap LayerToBitmap(const Raster& layer);

// A raster with the pixels of a 32-bit bitmap (alpha kept), or an empty
// raster for any other kind of bitmap.
Raster RasterFromBitmap32(FIBITMAP* dib);

}  // namespace pictavo::gfx
