#pragma once

#include "gfx/raster.h"

namespace pictavo::gfx {

// Replaces (all four channels) the 4-connected region of pixels equal to the
// pixel at (x, y) by `color`. Nothing happens when (x, y) lies outside.
void FloodFill(Raster& raster, int x, int y, Rgba color);

}  // namespace pictavo::gfx
