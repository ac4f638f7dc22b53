#pragma once

#include <string>

#include "gfx/raster.h"

namespace pictavo::gfx {

// Decodes a picture file (PNG, BMP, JPEG and the other formats FreeImage
// recognises by content) into a raster, keeping its alpha channel; a picture
// without one is opaque. An empty raster when the file cannot be decoded.
Raster DecodePicture(const std::string& path);

}  // namespace pictavo::gfx
