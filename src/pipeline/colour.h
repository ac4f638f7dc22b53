#pragma once

#include <FreeImage.h>

#include "pipeline/bitmap.h"
#include "settings/settings.h"

// The colour steps, in pipeline order: adjustment, greyscale, threshold,
// dither. Each takes the current image by value and returns the image that
// replaces it; a missing image passes through. Each first widens the depths
// its FreeImage call cannot take to 24-bit RGB.
namespace pictavo {

// Brightness, contrast, gamma and invert together, in place, when
// `Do Image Color Correction` is on (1- and 4-bit and deep images are
// widened to 24 bits first).
Bitmap ApplyColorAdjustment(Bitmap image, const Settings& settings);

// 8-bit greyscale when `Do Image Greyscale` is on; alpha is dropped.
Bitmap ApplyGreyscale(Bitmap image, const Settings& settings);

// 1-bit black and white at the level `Image Threshold` (its lowest byte) when
// `Do Image Threshold` is on.
Bitmap ApplyThreshold(Bitmap image, const Settings& settings);

// 1-bit black and white by the method `Image Dither Algorithm` names when
// `Do Image Dither` is on.
Bitmap ApplyDither(Bitmap image, const Settings& settings);

// FreeImage's dither code for an `Image Dither Algorithm` value: the setting
// lists the three Bayer matrices before the three clustered dots, FreeImage
// puts Bayer 16 x 16 last. Anything else is Floyd-Steinberg.
FREE_IMAGE_DITHER DitherAlgorithm(int algorithm);

}  // namespace pictavo
