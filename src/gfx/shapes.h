#pragma once

// Filled shapes on a raster, antialiased, combined over what is there.

#include <string_view>

#include "gfx/raster.h"

namespace pictavo::gfx {

// Fills the axis-aligned rectangle (x, y, width, height) with `color`.
void FillRectangle(Raster& raster, int x, int y, int width, int height, Rgba color);

// Fills the polygon of a path text with `color`. False, and nothing drawn,
// when the path text cannot be read.
bool FillPathText(Raster& raster, std::string_view path_text, Rgba color);

// Replaces every pixel of the raster by `color` (all four channels).
void FillAll(Raster& raster, Rgba color);

}  // namespace pictavo::gfx
