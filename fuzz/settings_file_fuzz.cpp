// The settings file of the window face on arbitrary bytes: the bytes are read
// as config.ini, the settings written back, and the written text read again.
// Whatever a file held, saving the settings must keep them: the second
// reading gives the same settings, so its text is the same.

#include "fuzz_target.h"
#include "settings/defaults.h"
#include "settings/settings_file.h"

namespace pictavo::fuzz {
namespace {

// The settings before a file is read: the window's code defaults.
const Settings& StartingSettings(const FormatTables& formats) {
  static const Settings* settings = [&] {
    auto* s = new Settings;
    ApplyDefaults(*s, formats, /*command_line=*/false);
    return s;
  }();
  return *settings;
}

}  // namespace

int FuzzSettingsFile(const uint8_t* data, size_t size) {
  static const FormatTables formats;
  Settings read = StartingSettings(formats);
  ApplySettingsFile(IniFile::Parse(AsText(data, size)), read, formats);
  const std::string written = SettingsFileText(read, formats);
  FUZZ_CHECK(IsValidUtf8(written));

  Settings reread = StartingSettings(formats);
  ApplySettingsFile(IniFile::Parse(written), reread, formats);
  const std::string rewritten = SettingsFileText(reread, formats);
  if (rewritten != written) {
    // Name the first line that changed; the whole texts are long.
    size_t at = 0;
    while (at < written.size() && at < rewritten.size() && written[at] == rewritten[at]) ++at;
    const size_t line =
        written.rfind('\n', at) == std::string::npos ? 0 : written.rfind('\n', at) + 1;
    std::fprintf(stderr, "written:   %s\nrewritten: %s\n",
                 written.substr(line, written.find('\r', line) - line).c_str(),
                 rewritten.substr(line, rewritten.find('\r', line) - line).c_str());
  }
  FUZZ_CHECK(rewritten == written);
  return 0;
}

}  // namespace pictavo::fuzz

PICTAVO_FUZZ_ENTRY(pictavo::fuzz::FuzzSettingsFile)
