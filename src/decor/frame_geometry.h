#pragma once

// The shape of the solid frame: four borders inside the edges of a W x H
// image that meet in mitred corners.

#include <string>

#include "settings/settings.h"

namespace pictavo {

struct FrameBorders {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// The border widths of the settings as drawn on a W x H image. Negative
// widths count as 0. When two opposite borders together exceed the image
// (left + right > W, or top + bottom > H), both are scaled down in proportion
// so that they meet exactly; the frame then covers the image across.
FrameBorders FitFrameBorders(const Settings& settings, int width, int height);

// The path texts of the four side polygons; each runs from one edge of the
// image to the inner edge of its border, mitred at the corners.
struct FrameSidePaths {
  std::string top, right, bottom, left;
};
FrameSidePaths BuildFrameSidePaths(const FrameBorders& borders, int width, int height);

}  // namespace pictavo
