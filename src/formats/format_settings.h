#pragma once

// The format options that come from settings: load flags of input formats,
// the depth setting of each output format key, and the save flags its
// settings produce. All read the settings at the moment of the call.

#include <cstdint>
#include <span>
#include <string_view>

#include "settings/settings.h"

namespace pictavo {

// Every output format key of the preferences (in the order of its pages)
// with its depth setting. dds, pcx and psd have a setting but no output row.
struct DepthSettingRow {
  std::string_view key;
  int32_t Settings::*depth;
};
std::span<const DepthSettingRow> DepthSettings();

// The FreeImage load flags for a file of the format key: "psd" follows
// PSD Color Mode, "raw" follows RAW Load As, any other key gets 0.
int InputLoadFlags(std::string_view format_key, const Settings& settings);

// The value of the key's depth setting (0 means automatic); 0 for a key that
// has none.
int DepthSettingOf(std::string_view key, const Settings& settings);

// The FreeImage save flags for an output format key; 0 for keys without
// options. A setting value out of its range adds nothing.
int SaveFlagsFor(std::string_view key, const Settings& settings);

}  // namespace pictavo
