#pragma once

#include <memory>

#include "settings/settings.h"

namespace pictavo {

// The watermark font, opaque outside the decor module.
struct WatermarkFont;

// What the frame and watermark steps need that is loaded once per run rather
// than once per file. Read-only while files are converted, so one instance
// may serve the worker thread; the text drawing behind it takes its own
// process-wide lock. The watermark picture is not kept here: it is read anew
// for every file, so that a picture changed during a run takes effect.
struct DecorResources {
  std::shared_ptr<const WatermarkFont> font;  // set for text-watermark runs
};

// Loads the watermark font the settings name (family, size, style, effect)
// into `decor`. False, and no font, when the family cannot be loaded: it is
// neither installed nor a metric-compatible alias fontconfig declares for an
// installed family, or the size is below one pixel.
bool LoadWatermarkFont(const Settings& settings, DecorResources& decor);

}  // namespace pictavo
