#pragma once

#include <string_view>

#include "pipeline/bitmap.h"

namespace pictavo {

// The depth a file is saved with in automatic mode: the first permitted depth
// of the output format that is at least the loaded depth, or the format's
// largest depth for deeper inputs. 0 for a format without a depth list.
int ChooseAutoDepth(std::string_view format_key, int loaded_bpp);

// The same choice over a permitted-depth list such as "8,24" (ascending,
// separated by ",").
int ChooseAutoDepthFrom(std::string_view depths, int loaded_bpp);

// Brings the finished image to `target_bpp` bits per pixel for the output
// format `format_key` (the key changes how 8 and 16 bits are reached). An
// image already of that many bits is handed back as it is, whatever its
// colour type; a depth the pipeline does not know yields a missing image.
Bitmap ConvertToOutputDepth(Bitmap image, std::string_view format_key, int target_bpp);

}  // namespace pictavo
