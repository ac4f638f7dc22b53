#include "app/profile.h"

#include "app/long_options.h"
#include "settings/ini_file.h"

namespace pictavo {

bool ReadProfile(Settings& settings, const std::string& path) {
  if (path.empty()) return false;
  std::optional<IniFile> file = IniFile::Load(path);
  if (!file) return false;
  // Keys are long-option names; those the profile may not hold (input,
  // output, conversion, profile and the run switches) are not profile rows of
  // the table and fall through as unknown, like any other stranger key.
  for (const IniEntry& entry : file->Entries("CLI")) {
    ApplyLongOption(settings, entry.key, TrimIniBlanks(entry.value), OptionSource::Profile);
  }
  return true;
}

}  // namespace pictavo
