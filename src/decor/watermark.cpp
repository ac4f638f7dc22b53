#include "decor/watermark.h"

#include "decor/image_watermark.h"
#include "decor/placement.h"
#include "decor/text_watermark.h"

namespace pictavo {

Bitmap ApplyWatermark(Bitmap image, const Settings& settings, const RunState& run,
                      const FileJob& file, const DecorResources& decor, int width, int height) {
  if (!image || settings.DoWatermark == 0) return image;
  if (image.Bpp() != 24) image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
  if (!image) return image;
  // The canvas must match the image for the composite; the bitmap's own size
  // wins should the caller's figures disagree with it.
  if (width != static_cast<int>(image.Width()) || height != static_cast<int>(image.Height())) {
    width = static_cast<int>(image.Width());
    height = static_cast<int>(image.Height());
  }

  Bitmap layer;
  WatermarkPlacement placement;
  if (settings.DoWatermark == 1) {
    layer = BuildTextLayer(settings, run, file, decor.font.get());
    placement = TextPlacement(settings);
  } else if (settings.DoWatermark == 2) {
    layer = BuildImageLayer(settings);
    placement = ImagePlacement(settings);
  }
  if (!layer) return image;

  layer = RotateWatermark(std::move(layer), placement.rotation);
  const Room room = WatermarkRoom(settings, placement, width, height);
  layer = FitWatermark(std::move(layer), room, placement);
  if (!layer) return image;
  const Point at = PlaceWatermark(room, placement, static_cast<int>(layer.Width()),
                                  static_cast<int>(layer.Height()));
  return CompositeLayer(std::move(image), layer, width, height, at);
}

}  // namespace pictavo
