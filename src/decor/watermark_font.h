#pragma once

#include "gfx/text.h"
#include "settings/settings.h"

namespace pictavo {

// The watermark font of a run: an installed family at a pixel size with its
// style and effect, ready for the text drawing of the gfx module.
struct WatermarkFont {
  gfx::FontSpec spec;
};

// Font Size in points at 96 dots per inch, rounded: 14 points are 19 pixels.
int FontPixelSize(int points);

}  // namespace pictavo
