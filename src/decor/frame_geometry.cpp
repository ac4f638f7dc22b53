#include "decor/frame_geometry.h"

#include <algorithm>
#include <cstdint>

#include "gfx/path_text.h"

namespace pictavo {
namespace {

// Scales a pair of opposite widths whose sum exceeds `side` so that they sum
// to it exactly, each keeping its share.
void FitPair(int& first, int& second, int side) {
  first = std::max(first, 0);
  second = std::max(second, 0);
  const int64_t sum = int64_t{first} + second;
  if (sum <= side) return;
  side = std::max(side, 0);
  first = static_cast<int>((int64_t{first} * side * 2 + sum) / (sum * 2));  // rounded
  second = side - first;
}

}  // namespace

FrameBorders FitFrameBorders(const Settings& settings, int width, int height) {
  FrameBorders borders{settings.SolidLeft, settings.SolidRight, settings.SolidTop,
                       settings.SolidBottom};
  FitPair(borders.left, borders.right, width);
  FitPair(borders.top, borders.bottom, height);
  return borders;
}

FrameSidePaths BuildFrameSidePaths(const FrameBorders& b, int w, int h) {
  const int inner_w = w - (b.left + b.right);
  const int inner_h = h - (b.top + b.bottom);
  FrameSidePaths paths;
  paths.top = gfx::PathText()
                  .MoveTo(0, 0)
                  .LineBy(w, 0)
                  .LineBy(-b.right, b.top)
                  .LineBy(-inner_w, 0)
                  .Close()
                  .Text();
  paths.right = gfx::PathText()
                    .MoveTo(w, 0)
                    .LineBy(0, h)
                    .LineBy(-b.right, -b.bottom)
                    .LineBy(0, -inner_h)
                    .Close()
                    .Text();
  paths.bottom = gfx::PathText()
                     .MoveTo(w, h)
                     .LineBy(-w, 0)
                     .LineBy(b.left, -b.bottom)
                     .LineBy(inner_w, 0)
                     .Close()
                     .Text();
  paths.left = gfx::PathText()
                   .MoveTo(0, h)
                   .LineBy(0, -h)
                   .LineBy(b.left, b.top)
                   .LineBy(0, inner_h)
                   .Close()
                   .Text();
  return paths;
}

}  // namespace pictavo
