#pragma once

#include <string>

#include "formats/format_tables.h"
#include "settings/ini_file.h"
#include "settings/settings.h"

namespace pictavo {

// The settings file of the window face: config.ini in Quorvane/vexlo inside
// $XDG_CONFIG_HOME (or $HOME/.config when that is unset or not absolute).
// Missing folders are created. Empty when neither variable names a folder.
std::string SettingsFilePath();

// Fills `settings` from the file at settings.SettingsPath. Every key the file
// lacks takes its file default; files of older versions are brought up to
// date. When the file cannot be opened the code defaults for the window are
// applied instead and false is returned. Fields that the file does not hold
// (the path, the layout values) are kept.
bool ReadSettingsFile(Settings& settings, const FormatTables& formats);

// The reading of ReadSettingsFile over an already parsed file.
void ApplySettingsFile(const IniFile& file, Settings& settings, const FormatTables& formats);

// Writes `settings` to the file at settings.SettingsPath, replacing the old
// file only once the new one is completely on disk. Returns false when the
// file could not be written; the old file is then unchanged.
bool WriteSettingsFile(const Settings& settings, const FormatTables& formats);

// The exact bytes WriteSettingsFile writes: UTF-8 with a byte-order mark, CR LF
// line ends, an empty first line, every group followed by a "; " line.
std::string SettingsFileText(const Settings& settings, const FormatTables& formats);

}  // namespace pictavo
