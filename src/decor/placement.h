#pragma once

// The steps both watermark kinds share once their layer (a 32-bit
// straight-alpha bitmap) exists: rotation, cropping to the room, placing at
// one of nine positions, and compositing onto the image.

#include "pipeline/bitmap.h"
#include "settings/settings.h"

namespace pictavo {

// The settings of one watermark kind that place its layer.
struct WatermarkPlacement {
  int boundary = 0;  // 1: keep inside the frame
  int position = 8;  // 0 top left ... 8 bottom right
  int x_offset = 10;
  int y_offset = 10;
  int rotation = 0;  // degrees
};
WatermarkPlacement TextPlacement(const Settings& settings);
WatermarkPlacement ImagePlacement(const Settings& settings);

// Where a watermark may lie: the whole image, or the area inside the frame
// when a frame is on and the boundary asks for it.
struct Room {
  int left = 0, top = 0, width = 0, height = 0;
};
Room WatermarkRoom(const Settings& settings, const WatermarkPlacement& placement, int width,
                   int height);

// The layer turned by `angle` degrees (1 to 359; any other angle leaves it),
// grown to hold the whole turned box; the uncovered corners are transparent.
Bitmap RotateWatermark(Bitmap layer, int angle);

// The layer cropped from its top-left corner so that it fits the room
// beside its offsets. An empty Bitmap when the offsets leave no room.
Bitmap FitWatermark(Bitmap layer, const Room& room, const WatermarkPlacement& placement);

struct Point {
  int x = 0, y = 0;
};
// The top-left corner, in the image, of a layer of w x h.
Point PlaceWatermark(const Room& room, const WatermarkPlacement& placement, int w, int h);

// The image (24 bits) with the layer composited at `at`. A layer that does
// not lie wholly inside the image leaves the image as it is. An empty Bitmap
// when the composite fails.
Bitmap CompositeLayer(Bitmap image, const Bitmap& layer, int width, int height, Point at);

}  // namespace pictavo
