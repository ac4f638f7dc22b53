#include "gfx/compose.h"

#include <algorithm>

namespace pictavo::gfx {

void DrawBlended(Raster& target, const Raster& source, int opacity) {
  if (!target || !source) return;
  opacity = std::clamp(opacity, 0, 255);
  cairo_t* cr = cairo_create(target.Surface());
  cairo_set_source_surface(cr, source.Surface(), 0, 0);
  cairo_paint_with_alpha(cr, opacity / 255.0);
  cairo_destroy(cr);
}

void DrawReplacing(Raster& target, const Raster& source, int opacity, PixelFilter filter) {
  if (!target || !source) return;
  const uint32_t scale = static_cast<uint32_t>(std::clamp(opacity, 0, 255));
  const int width = std::min(target.Width(), source.Width());
  const int height = std::min(target.Height(), source.Height());
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = source.Row(y);
    uint32_t* to = target.Row(y);
    for (int x = 0; x < width; ++x) {
      Rgba pixel = Unpremultiply(from[x]);
      if (filter != nullptr) pixel = filter(pixel);
      pixel.a = static_cast<uint8_t>((pixel.a * scale + 127) / 255);
      to[x] = Premultiply(pixel);
    }
  }
  target.MarkDirty();
}

}  // namespace pictavo::gfx
