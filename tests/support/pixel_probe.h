#pragma once

// Reads one pixel of a FreeImage bitmap of any type, counting rows from the
// top of the picture (FreeImage keeps the bottom row first).

#include <FreeImage.h>

#include <vector>

namespace pictavo::test_support {

// The pixel's channels in the bitmap's own units: red, green, blue (and alpha
// when the type has one) for colour types, palette entries resolved; a single
// value for 16-bit and float greyscale. Empty when the position or type is
// out of reach.
std::vector<double> ProbePixel(FIBITMAP* dib, unsigned x, unsigned y_from_top);

}  // namespace pictavo::test_support
