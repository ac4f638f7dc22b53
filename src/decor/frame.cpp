#include "decor/frame.h"

namespace pictavo {

Bitmap ApplyFrame(Bitmap image, const Settings&, int, int) { return image; }

}  // namespace pictavo
