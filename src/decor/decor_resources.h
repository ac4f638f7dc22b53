#pragma once

#include <memory>

#include "settings/settings.h"

namespace pictavo {

// The watermark font, opaque outside the decor module.
struct WatermarkFont;

// What the frame and watermark steps need that is loaded once per run rather
// than once per file.
struct DecorResources {
  std::shared_ptr<const WatermarkFont> font;  // set for text-watermark runs
};

// Loads the watermark font the settings name (family, size, style, effect)
// into `decor`. False when the family cannot be loaded.
bool LoadWatermarkFont(const Settings& settings, DecorResources& decor);

}  // namespace pictavo
