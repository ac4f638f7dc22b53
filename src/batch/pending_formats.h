#pragma once

// Stand-ins for the format catalogue's output rules, covering the one output
// format of this build, until the catalogue provides them.

#include <algorithm>
#include <cstdint>
#include <string>

#include "formats/format_tables.h"
#include "settings/settings.h"

namespace pictavo::pending {

inline bool IsEnabledOutputFormat(const FormatTables& formats, const std::string& key) {
  const auto& list = formats.EnabledOutputFormats;
  return std::find(list.begin(), list.end(), key) != list.end();
}

inline bool IsPermittedDepth(const std::string& key, int32_t bpp) {
  return bpp == 0 || (key == "jpg" && (bpp == 8 || bpp == 24));
}

inline int32_t DepthSettingOf(const Settings& s, const std::string& key) {
  return key == "jpg" ? s.JPGBPP : 0;
}

inline int32_t FreeImageFormatOf(const std::string& key) {
  return key == "jpg" ? 2 : -1;
}

inline int32_t SaveFlagsFor(const Settings& s, const std::string& key) {
  if (key != "jpg") return 0;
  int32_t flags = s.JPGQuality;
  switch (s.JPGChroma) {
    case 0:
      flags |= 0x10000;
      break;
    case 1:
      flags |= 0x8000;
      break;
    case 2:
      flags |= 0x4000;
      break;
    case 3:
      flags |= 0x1000;
      break;
    default:
      break;
  }
  switch (s.JPGSaveAs) {
    case 1:
      flags |= 0x40000;
      break;
    case 2:
      flags |= 0x20000;
      break;
    case 3:
      flags |= 0x2000;
      break;
    default:
      break;
  }
  return flags;
}

}  // namespace pictavo::pending
