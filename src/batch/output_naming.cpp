#include "batch/output_naming.h"

namespace pictavo {

// Placeholder until the naming rules land: the input name with the output
// extension, in the output folder.
std::string StripExtension(std::string_view name) {
  auto dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string OutputFolderFor(const Settings& settings, const RunState& run, const FileJob& file) {
  return run.OutputFolder + (settings.KeepSubfolders ? file.relativeFolder : std::string());
}

std::string BuildOutputName(const Settings&, const RunState& run, const FileJob& file) {
  auto slash = file.inputPath.rfind('/');
  std::string name = slash == std::string::npos ? file.inputPath : file.inputPath.substr(slash + 1);
  return StripExtension(name) + "." + run.OutputExtension;
}

std::string BuildOutputPath(const Settings& settings, const RunState& run, const FileJob& file) {
  return OutputFolderFor(settings, run, file) + BuildOutputName(settings, run, file);
}

std::string ExpandMacro(std::string_view text, std::string_view, const RunState&, const FileJob&) {
  return std::string(text);
}

}  // namespace pictavo
