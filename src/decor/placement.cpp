#include "decor/placement.h"

#include "decor/frame_geometry.h"

namespace pictavo {

WatermarkPlacement TextPlacement(const Settings& s) {
  return {s.TextBoundary, s.TextPosition, s.TextXOffset, s.TextYOffset, s.TextRotation};
}

WatermarkPlacement ImagePlacement(const Settings& s) {
  return {s.ImageBoundary, s.ImagePosition, s.ImageXOffset, s.ImageYOffset,
          s.WatermarkImageRotation};
}

Room WatermarkRoom(const Settings& settings, const WatermarkPlacement& placement, int width,
                   int height) {
  if (settings.DoFrame == 0 || placement.boundary != 1) return {0, 0, width, height};
  // The borders as the frame draws them, so that the room ends where the
  // frame does.
  const FrameBorders b = FitFrameBorders(settings, width, height);
  return {b.left, b.top, width - (b.left + b.right), height - (b.top + b.bottom)};
}

Bitmap RotateWatermark(Bitmap layer, int angle) {
  if (!layer || angle < 1 || angle > 359) return layer;
  return Bitmap(FreeImage_Rotate(layer.get(), angle, nullptr));
}

Bitmap FitWatermark(Bitmap layer, const Room& room, const WatermarkPlacement& placement) {
  if (!layer) return layer;
  int w = static_cast<int>(layer.Width());
  int h = static_cast<int>(layer.Height());
  bool crop = false;
  if (w + placement.x_offset > room.width) {
    w = room.width - placement.x_offset;
    crop = true;
  }
  if (h + placement.y_offset > room.height) {
    h = room.height - placement.y_offset;
    crop = true;
  }
  if (!crop) return layer;
  if (w <= 0 || h <= 0) return {};  // the offsets leave no room at all
  return Bitmap(FreeImage_Copy(layer.get(), 0, 0, w, h));
}

Point PlaceWatermark(const Room& room, const WatermarkPlacement& p, int w, int h) {
  const int left = p.x_offset;
  const int centre_x = (room.width - w) / 2;
  const int right = room.width - w - p.x_offset;
  const int top = p.y_offset;
  const int middle_y = (room.height - h) / 2;
  const int bottom = room.height - h - p.y_offset;
  Point at;
  switch (p.position) {
    case 0:
      at = {left, top};
      break;
    case 1:
      at = {centre_x, top};
      break;
    case 2:
      at = {right, top};
      break;
    case 3:
      at = {left, middle_y};
      break;
    case 4:
      at = {centre_x, middle_y};
      break;
    case 5:
      at = {right, middle_y};
      break;
    case 6:
      at = {left, bottom};
      break;
    case 7:
      at = {centre_x, bottom};
      break;
    case 8:
      at = {right, bottom};
      break;
    default:
      return {0, 0};
  }
  return {at.x + room.left, at.y + room.top};
}

Bitmap CompositeLayer(Bitmap image, const Bitmap& layer, int width, int height, Point at) {
  if (!image || !layer) return image;
  const int w = static_cast<int>(layer.Width());
  const int h = static_cast<int>(layer.Height());
  if (at.x < 0 || at.y < 0 || at.x + w > width || at.y + h > height) return image;

  Bitmap canvas(FreeImage_AllocateT(FIT_BITMAP, width, height, 32));
  if (!canvas) return image;
  // FreeImage clears new bitmaps, so the canvas is transparent. The layer is
  // copied in unchanged (an alpha above 255 means copy): pasting with 255
  // would blend it with the cleared canvas and lose one step of every
  // channel, leaving opaque pixels slightly transparent.
  if (!FreeImage_Paste(canvas.get(), layer.get(), at.x, at.y, 256)) return image;
  return Bitmap(FreeImage_Composite(canvas.get(), FALSE, nullptr, image.get()));
}

}  // namespace pictavo
