#pragma once

#include "decor/color_value.h"
#include "gfx/raster.h"

namespace pictavo {

// The drawing colour of a colour value, alpha included.
inline gfx::Rgba ToRgba(ColorValue color) {
  return gfx::Rgba{RedOf(color), GreenOf(color), BlueOf(color), AlphaOf(color)};
}

}  // namespace pictavo
