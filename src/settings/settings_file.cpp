#include "settings/settings_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/replace_file.h"
#include "settings/defaults.h"
#include "settings/settings_keys.h"

namespace pictavo {
namespace {

// The version this build writes; older files are migrated on reading.
constexpr int32_t kCurrentVersion = 19;

constexpr std::string_view kLineEnd = "\r\n";

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// The value of every key that a file lacks. They are the window's code
// defaults except for the version (0: a file without it is of the oldest
// kind), the window position and proportional resizing.
Settings FileDefaults(const FormatTables& formats) {
  Settings defaults;
  ApplyDefaults(defaults, formats, /*command_line=*/false);
  defaults.CFG = 0;
  defaults.X = 100;
  defaults.Y = 100;
  defaults.KeepAspectRatio = 1;
  return defaults;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string ToLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

void BringUpToDate(const IniFile& file, Settings& s) {
  const int32_t version = s.CFG;
  if (version < 11 && s.FilenameMask.find("%ext%") == std::string::npos) {
    s.FilenameMask += ".%ext%";
  }
  // Two raw load modes were inserted before the others.
  if (version < 14 && s.RAWLoadAs != 0) s.RAWLoadAs += 2;
  // The colour mode keys had another name.
  if (version < 19) {
    const int32_t psd = file.ReadInt("Input", "PSD Color Model", 0);
    const int32_t tiff = file.ReadInt("Output", "TIFF Color Model", 0);
    if (psd != 0) s.PSDColorMode = psd;
    if (tiff != 0) s.TIFFColorMode = tiff;
  }
}

// The words a hand-edited file may use for the list delimiter.
void ReadDelimiterWords(Settings& s) {
  const std::string word = ToLower(s.CsvDelimiter);
  if (word == "tab") {
    s.CsvDelimiter = "\t";
  } else if (word == "space") {
    s.CsvDelimiter = " ";
  } else if (word == "crlf") {
    s.CsvDelimiter = "\r\n";
  }
}

std::string DecimalText(float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "+Infinity";
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  return std::string(buffer, result.ptr);
}

// A value must stay on its line: a line break inside it would end the entry
// and turn the rest into keys of their own.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::string ValueText(const Settings& s, const SettingsField& field) {
  return std::visit(Overloaded{
                        [&](int32_t Settings::*f) { return std::to_string(s.*f); },
                        [&](int8_t Settings::*f) { return std::to_string(int{s.*f}); },
                        [&](float Settings::*f) { return DecimalText(s.*f); },
                        [&](std::string Settings::*f) { return OneLine(s.*f); },
                    },
                    field);
}

bool IsWritten(const SettingsKey& key, const Settings& s, std::string_view format) {
  switch (key.write) {
    case SettingsKeyWrite::Always:
      return format.empty();
    case SettingsKeyWrite::WindowGeometry:
      return format.empty() && s.SaveWindowPosition != 0;
    case SettingsKeyWrite::FormatEnabled:
      return key.format == format;
    case SettingsKeyWrite::Never:
      return false;
  }
  return false;
}

void AppendEntry(std::string& out, std::string_view key, std::string_view value) {
  out.append(key).append(" = ").append(value).append(kLineEnd);
}

}  // namespace

std::string SettingsFilePath() {
  std::string base;
  const char* config_home = std::getenv("XDG_CONFIG_HOME");
  if (config_home != nullptr && config_home[0] == '/') {
    base = config_home;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return {};
    base = std::string(home) + "/.config";
  }
  const std::string folder = base + "/Quorvane/vexlo";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder + "/config.ini";
}

void ApplySettingsFile(const IniFile& file, Settings& s, const FormatTables& formats) {
  const Settings defaults = FileDefaults(formats);
  for (const SettingsKey& key : SettingsKeys()) {
    std::visit(
        Overloaded{
            [&](int32_t Settings::*f) { s.*f = file.ReadInt(key.group, key.key, defaults.*f); },
            [&](int8_t Settings::*f) { s.*f = file.ReadInt8(key.group, key.key, defaults.*f); },
            [&](float Settings::*f) {
              s.*f = static_cast<float>(file.ReadDecimal(key.group, key.key, defaults.*f));
            },
            [&](std::string Settings::*f) {
              s.*f = file.ReadString(key.group, key.key, defaults.*f);
            },
        },
        key.field);
  }
  BringUpToDate(file, s);
  ReadDelimiterWords(s);
}

bool ReadSettingsFile(Settings& settings, const FormatTables& formats) {
  const std::optional<IniFile> file =
      settings.SettingsPath.empty() ? std::nullopt : IniFile::Load(settings.SettingsPath);
  if (!file) {
    ApplyDefaults(settings, formats, /*command_line=*/false);
    ReadDelimiterWords(settings);
    return false;
  }
  ApplySettingsFile(*file, settings, formats);
  return true;
}

std::string SettingsFileText(const Settings& s, const FormatTables& formats) {
  std::string out = "\xEF\xBB\xBF";
  out.append(kLineEnd);
  for (const std::string_view group : SettingsGroups()) {
    out.append("[").append(group).append("]").append(kLineEnd);
    const auto append_keys = [&](std::string_view format) {
      for (const SettingsKey& key : SettingsKeys()) {
        if (key.group != group || !IsWritten(key, s, format)) continue;
        // Whatever version was read, what is written now is current.
        AppendEntry(out, key.key,
                    key.key == "CFG" ? std::to_string(kCurrentVersion) : ValueText(s, key.field));
      }
    };
    append_keys({});
    // The options of each enabled format, in the order the formats are listed.
    const std::vector<std::string>* enabled = group == "Input"    ? &formats.EnabledInputFormats
                                              : group == "Output" ? &formats.EnabledOutputFormats
                                                                  : nullptr;
    if (enabled != nullptr) {
      for (auto format = enabled->begin(); format != enabled->end(); ++format) {
        if (std::find(enabled->begin(), format, *format) == format) append_keys(*format);
      }
    }
    out.append("; ").append(kLineEnd);
  }
  return out;
}

bool WriteSettingsFile(const Settings& settings, const FormatTables& formats) {
  if (settings.SettingsPath.empty()) return false;
  return ReplaceFile(settings.SettingsPath, SettingsFileText(settings, formats));
}

}  // namespace pictavo
