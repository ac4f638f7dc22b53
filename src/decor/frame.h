#pragma once

#include "pipeline/bitmap.h"
#include "settings/settings.h"

namespace pictavo {

// Draws the solid frame onto an image of width x height (the size after
// resizing). Returns the image unchanged when no frame is asked for.
Bitmap ApplyFrame(Bitmap image, const Settings& settings, int width, int height);

}  // namespace pictavo
