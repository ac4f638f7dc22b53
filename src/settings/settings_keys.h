#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/settings.h"

namespace pictavo {

// The field of Settings that one key of the settings file holds.
using SettingsField = std::variant<int32_t Settings::*, int8_t Settings::*, float Settings::*,
                                   std::string Settings::*>;

// When a key is written.
enum class SettingsKeyWrite {
  Always,
  // Only when Save Window Position is not 0 (the Window group).
  WindowGeometry,
  // Only when the key's format is enabled.
  FormatEnabled,
  // Read but never written.
  Never,
};

struct SettingsKey {
  std::string_view group;
  std::string_view key;
  SettingsField field;
  SettingsKeyWrite write = SettingsKeyWrite::Always;
  // For FormatEnabled keys: the input format (group Input) or output format
  // (group Output) whose options the key holds.
  std::string_view format = {};
};

// Every key of the settings file, group by group in the order they are
// written; within the Input and Output groups the keys of one format follow
// each other in their written order.
std::span<const SettingsKey> SettingsKeys();

// The groups of the settings file in the order they are written.
std::span<const std::string_view> SettingsGroups();

}  // namespace pictavo
