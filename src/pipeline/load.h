#pragma once

#include <string>

#include "pipeline/bitmap.h"
#include "settings/settings.h"

namespace pictavo {

// Loads `path` as a Photoshop document, whatever its name or content, with
// the load flags of `PSD Color Mode`. A document that cannot be read gives a
// missing image and a short reason in `failure`.
Bitmap LoadDocument(const Settings& settings, const std::string& path, std::string& failure);

}  // namespace pictavo
