#pragma once

#include "batch/file_job.h"
#include "decor/decor_resources.h"
#include "pipeline/bitmap.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

// Draws the text or picture watermark onto an image of width x height (the
// size after resizing). The text's macros take the values of `file`.
// Returns the image unchanged when no watermark is asked for.
Bitmap ApplyWatermark(Bitmap image, const Settings& settings, const RunState& run,
                      const FileJob& file, const DecorResources& decor, int width, int height);

}  // namespace pictavo
