#include "batch/output_naming.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <optional>

#include "batch/text_case.h"

namespace pictavo {
namespace {

// The macros of the file-name mask, in the order in which they are expanded.
constexpr std::array<std::string_view, 18> kMacros = {
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%", "%ext%", "%ext[u]%",
    "%ext[t]%",   "%yyyy%",        "%mm%",          "%dd%",          "%hh%",  "%ii%",
    "%ss%",       "%bpp%",         "%width%",       "%height%",      "%rnd%", "%n%",
};

constexpr std::string_view kDefaultMask = "%filename%.%ext%";

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string ReplaceIgnoringCase(std::string_view text, std::string_view macro,
                                std::string_view value) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (i + macro.size() <= text.size() &&
        SameIgnoringAsciiCase(text.substr(i, macro.size()), macro)) {
      out += value;
      i += macro.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

// At least five digits, padded on the left with "0"; a longer number is kept
// whole, since cutting it would give two files the same name.
std::string FiveDigits(int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%05d", static_cast<int>(value));
  return buffer;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string InputName(const FileJob& file) {
  auto slash = file.inputPath.rfind('/');
  std::string_view name = file.inputPath;
  if (slash != std::string::npos) name.remove_prefix(slash + 1);
  return StripExtension(name);
}

// The value of one macro of the list; nothing for any other text.
std::optional<std::string> MacroValue(std::string_view macro, const RunState& run,
                                      const FileJob& file) {
  if (macro == "%filename%") return InputName(file);
  if (macro == "%filename[u]%") return UpperText(InputName(file));
  if (macro == "%filename[l]%") return LowerText(InputName(file));
  if (macro == "%filename[t]%") return TitleText(InputName(file));
  if (macro == "%ext%") return run.OutputExtension;
  if (macro == "%ext[u]%") return UpperText(run.OutputExtension);
  if (macro == "%ext[t]%") return TitleText(run.OutputExtension);
  if (macro == "%yyyy%") {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", LocalNow().tm_year + 1900);
    return buffer;
  }
  if (macro == "%mm%") return TwoDigits(LocalNow().tm_mon + 1);
  if (macro == "%dd%") return TwoDigits(LocalNow().tm_mday);
  if (macro == "%hh%") return TwoDigits(LocalNow().tm_hour);
  if (macro == "%ii%") return TwoDigits(LocalNow().tm_min);
  if (macro == "%ss%") return TwoDigits(LocalNow().tm_sec);
  if (macro == "%bpp%") return std::to_string(file.outputBpp);
  if (macro == "%width%") return std::to_string(file.resultWidth);
  if (macro == "%height%") return std::to_string(file.resultHeight);
  if (macro == "%rnd%") return FiveDigits(file.randomNumber);
  if (macro == "%n%") return FiveDigits(file.fileCounter);
  return std::nullopt;
}

}  // namespace

std::string StripExtension(std::string_view name) {
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string(name);
  return std::string(name.substr(0, dot));
}

std::string ExpandMacro(std::string_view text, std::string_view macro, const RunState& run,
                        const FileJob& file) {
  // Macro names are matched in any case, so the value is looked up by the
  // lower-case name.
  std::string key(macro);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  auto value = MacroValue(key, run, file);
  if (!value) return std::string(text);
  return ReplaceIgnoringCase(text, macro, *value);
}

std::string OutputFolderFor(const Settings& settings, const RunState& run, const FileJob& file) {
  return run.OutputFolder + (settings.KeepSubfolders ? file.relativeFolder : std::string());
}

std::string BuildOutputName(const Settings& settings, const RunState& run, const FileJob& file) {
  std::string name = LowerText(settings.FilenameMask);
  if (name.empty()) name = kDefaultMask;
  for (std::string_view macro : kMacros) {
    if (name.find(macro) != std::string::npos) name = ExpandMacro(name, macro, run, file);
  }
  return name;
}

std::string BuildOutputPath(const Settings& settings, const RunState& run, const FileJob& file) {
  return OutputFolderFor(settings, run, file) + BuildOutputName(settings, run, file);
}

}  // namespace pictavo
