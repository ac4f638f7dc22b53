#include "gfx/flood_fill.h"

#include <utility>
#include <vector>

namespace pictavo::gfx {

void FloodFill(Raster& raster, int x, int y, Rgba color) {
  if (!raster || x < 0 || y < 0 || x >= raster.Width() || y >= raster.Height()) return;
  const int width = raster.Width();
  const int height = raster.Height();
  const uint32_t old_value = raster.Row(y)[x];
  const uint32_t new_value = Premultiply(color);
  if (old_value == new_value) return;

  // Scanline fill: each popped seed fills its whole run and pushes the runs
  // above and below it, so the stack stays small on large uniform areas.
  std::vector<std::pair<int, int>> seeds{{x, y}};
  while (!seeds.empty()) {
    auto [sx, sy] = seeds.back();
    seeds.pop_back();
    uint32_t* row = raster.Row(sy);
    if (row[sx] != old_value) continue;
    int left = sx;
    while (left > 0 && row[left - 1] == old_value) --left;
    int right = sx;
    while (right + 1 < width && row[right + 1] == old_value) ++right;
    for (int i = left; i <= right; ++i) row[i] = new_value;
    for (int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= height) continue;
      const uint32_t* next = raster.Row(ny);
      bool in_run = false;
      for (int i = left; i <= right; ++i) {
        bool match = next[i] == old_value;
        if (match && !in_run) seeds.emplace_back(i, ny);
        in_run = match;
      }
    }
  }
  raster.MarkDirty();
}

}  // namespace pictavo::gfx
