#pragma once

#include <string>

#include "settings/settings.h"

namespace pictavo {

// Applies the group "CLI" of the profile file at `path` to `settings`, key by
// key in file order, each key written as its long option ("--JPG-QUALITY").
// False when the path is empty or the file cannot be opened.
bool ReadProfile(Settings& settings, const std::string& path);

}  // namespace pictavo
