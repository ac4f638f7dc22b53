#pragma once

// Decodes documents held in memory with FreeImage's PSD reader, the way the
// pipeline loads files (the format is always PSD, never guessed).

#include <cstdint>
#include <vector>

#include "pipeline/bitmap.h"

namespace pictavo::test_support {

Bitmap DecodePsd(const std::vector<uint8_t>& bytes, int flags = 0);

}  // namespace pictavo::test_support
