#include "decor/image_watermark.h"

#include <algorithm>

#include "gfx/compose.h"
#include "gfx/layer_transfer.h"
#include "gfx/picture.h"

namespace pictavo {

gfx::Rgba GreyPixel(gfx::Rgba color) {
  const auto grey = static_cast<uint8_t>((77 * color.r + 150 * color.g + 29 * color.b) >> 8);
  return gfx::Rgba{grey, grey, grey, color.a};
}

Bitmap BuildImageLayer(const Settings& settings) {
  gfx::Raster picture = gfx::DecodePicture(settings.WatermarkImage);
  if (!picture) return {};
  gfx::Raster layer = gfx::Raster::Create(picture.Width(), picture.Height());
  if (!layer) return {};
  gfx::DrawReplacing(layer, picture, std::clamp(settings.ImageOpacity, 0, 255),
                     settings.ImageGreyscale ? GreyPixel : nullptr);
  return gfx::LayerToBitmap(layer);
}

}  // namespace pictavo
