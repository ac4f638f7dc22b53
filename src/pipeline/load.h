#pragma once

#include <string>

#include "pipeline/bitmap.h"
#include "settings/settings.h"

namespace pictavo {

// The FreeImage flags documents are loaded with: those of `PSD Color Mode`,
// except that CMYK and Lab documents are always decoded to RGB, the only
// colour model the output format holds.
int DocumentLoadFlags(const Settings& settings);

// Loads `path` as a Photoshop document, whatever its name or content, with
// DocumentLoadFlags. A document that cannot be read gives a
// missing image and a short reason in `failure`.
Bitmap LoadDocument(const Settings& settings, const std::string& path, std::string& failure);

}  // namespace pictavo
