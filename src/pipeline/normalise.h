#pragma once

#include "pipeline/bitmap.h"

// The two normalisations that run between resizing and flipping, so that the
// colour steps, the frame and the watermarks see plain 8-bit-per-channel
// images. Same contract as every step: the image in, its replacement out, a
// missing image passed through.
namespace pictavo {

// Greyscale of more than 8 bits (16- and 32-bit integer, floating point)
// becomes 8-bit greyscale by linear scaling of its value range. 1- and 8-bit
// greyscale stays as it is.
Bitmap NormaliseGrey(Bitmap image);

// Colour of more than 32 bits per pixel (16 bits or floating point per
// channel) becomes 24-bit RGB through Drago's adaptive logarithmic operator
// with gamma 1.0 and exposure 0.0; alpha is dropped.
Bitmap ToneMapDeepColour(Bitmap image);

}  // namespace pictavo
