#include "decor/watermark.h"

namespace pictavo {

Bitmap ApplyWatermark(Bitmap image, const Settings&, const RunState&, const FileJob&,
                      const DecorResources&, int, int) {
  return image;
}

}  // namespace pictavo
