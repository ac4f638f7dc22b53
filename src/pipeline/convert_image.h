#pragma once

#include "batch/file_job.h"
#include "decor/decor_resources.h"
#include "pipeline/bitmap.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

// Converts one input file into one output file through the fixed order of
// steps. Run-wide values (output folder, extension, format, save flags,
// target depth) come from `run`; the file's own values come from and go to
// `file`. Prints nothing. True when the output file was written.
bool ConvertImage(const Settings& settings, const RunState& run, const DecorResources& decor,
                  FileJob& file);

// Every step of ConvertImage before the save: fills the file's values and its
// output path and returns the image to save. When the document cannot be
// loaded the output path stays empty; when a later step loses the image the
// path is set and the returned image is empty. The reason is in
// file.failure either way.
Bitmap RenderImage(const Settings& settings, const RunState& run, const DecorResources& decor,
                   FileJob& file);

}  // namespace pictavo
