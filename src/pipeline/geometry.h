#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <optional>

#include "pipeline/bitmap.h"
#include "settings/settings.h"

// The geometry steps: rotation, resizing and flipping.
//
// Every step takes the current image by value and returns the image that
// replaces it. A step with nothing to do hands back what it received; a step
// that builds a new bitmap lets the received one go (the Bitmap handle unloads
// it). A missing image passes through unchanged. When FreeImage refuses a
// conversion, the result is a missing image, which later makes the save fail.
// Rotation and resizing see the image as loaded, flipping sees it after deep
// images have been normalised.
namespace pictavo {

// Rotates by `Transform/Image Rotation` degrees (only 1 to 359 rotate) when
// `Do Image Rotation` is on. Type 0 grows the canvas and fills the uncovered
// corners with `Image Rotation Back Color`; type 1 keeps the canvas, turns
// about the centre and fills by mirroring. Depths other than 24 and 32 bits
// are rotated as 24-bit RGB.
Bitmap ApplyRotation(Bitmap image, const Settings& settings);

// Rescales to `Image Width` x `Image Height` (pixels or percent of the current
// size) when `Do Image Resize` is on. With `Keep Aspect Ratio` the longer
// side of the image takes its target and the other side follows. A result
// larger than the memory budget (`Max Memory` megabytes) is refused.
Bitmap ApplyResize(Bitmap image, const Settings& settings);

struct ResizedSize {
  int width = 0;
  int height = 0;
};

// The size ApplyResize gives an image of w x h; nothing when it leaves the
// image as it is.
std::optional<ResizedSize> ResizeOf(const Settings& settings, int w, int h);

// Bytes of the rescaled pixels of an image of `bpp` bits at `size`.
uint64_t ResizedBytes(const ResizedSize& size, unsigned bpp);

// Mirrors left to right and/or upside down, in place.
Bitmap ApplyFlip(Bitmap image, const Settings& settings);

// The target size in pixels for one side: `value` pixels (unit 0), or
// `value` percent of `current` rounded half to even (unit 1); 0 for any
// other unit, which switches resizing off.
int ResizeTarget(int value, int unit, int current);

// FreeImage's filter for an `Image Resize Algorithm` value: the setting lists
// box, bilinear, B-spline, bicubic, Catmull-Rom, Lanczos; anything else is
// bicubic.
FREE_IMAGE_FILTER ResizeFilter(int algorithm);

// Rounds to a whole number with halves away from zero, in single precision.
int RoundHalfAway(float x);

}  // namespace pictavo
