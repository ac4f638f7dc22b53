#include "decor/decor_resources.h"

namespace pictavo {

bool LoadWatermarkFont(const Settings&, DecorResources&) {
  return true;
}

}  // namespace pictavo
