#pragma once

#include <string>
#include <vector>

#include "batch/file_job.h"
#include "gfx/text.h"
#include "pipeline/bitmap.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

struct WatermarkFont;

// Watermark/Text with the file-name macros it contains replaced by the
// values of `file`; "%eol%" stays as the line separator.
std::string ExpandWatermarkText(const Settings& settings, const RunState& run, const FileJob& file);

// The measured text box: its size (padding included) and the lines drawn in
// it, "%eol%" having split the text.
struct TextBox {
  int width = 0;
  int height = 0;
  std::vector<std::string> lines;  // one entry when the text has no "%eol%"
  int line_step = 0;               // from one line's top to the next one's
};
TextBox MeasureTextBox(std::string_view text, const gfx::FontSpec& font, const Settings& settings);

// The left edge of a line of width `line_width` in a box of `box_width`, by
// Text Alignment (0 left, 1 centre, 2 right, the padding kept at the sides).
int AlignLineX(int line_width, int box_width, const Settings& settings);

// The text box as a 32-bit straight-alpha layer, or an empty Bitmap when
// there is no font or the box has no pixels.
Bitmap BuildTextLayer(const Settings& settings, const RunState& run, const FileJob& file,
                      const WatermarkFont* font);

}  // namespace pictavo
