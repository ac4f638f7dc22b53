#include "batch/batch_driver.h"

#include <algorithm>
#include <cctype>

#include "batch/conversion_worker.h"
#include "batch/in_process_converter.h"
#include "batch/input_collection.h"
#include "batch/interrupts.h"
#include "batch/parallel_conversion.h"
#include "batch/settings_checks.h"
#include "batch/worker_process.h"
#include "decor/decor_resources.h"
#include "formats/format_settings.h"
#include "formats/format_tables.h"
#include "platform/console.h"
#include "platform/file_info.h"

namespace pictavo {
namespace {

std::string FileNamePart(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string LowerExtension(const std::string& path) {
  std::string name = FileNamePart(path);
  auto dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

// Normalises a folder text in place; prints the matching error line and
// returns false when it cannot be used.
bool UseFolder(std::string& folder, const std::string& program_folder, const char* incorrect,
               const char* invalid) {
  NormalisedFolder result = NormaliseFolder(folder, program_folder);
  if (result.problem == FolderProblem::kIncorrect) {
    PrintLine(incorrect);
    return false;
  }
  if (result.problem == FolderProblem::kMissing) {
    PrintLine(invalid);
    return false;
  }
  folder = result.path;
  return true;
}

// The folder the results of a single-file or list run go to when no output
// folder is given: the input file's own folder. A relative input names a
// file below the current folder, so its folder is made absolute here rather
// than being read as a folder below the program's.
std::string FolderOfInput(const std::string& input) {
  std::string folder = FolderPart(input);
  if (!input.empty() && input.front() == '/') return folder;
  return CurrentFolder() + folder;
}

}  // namespace

NormalisedFolder NormaliseFolder(const std::string& path, const std::string& program_folder) {
  if (path.rfind("..", 0) == 0) return {path, FolderProblem::kIncorrect};
  std::string folder = path;
  if (folder.empty() || folder.front() != '/') {
    if (folder.rfind("./", 0) == 0) folder.erase(0, 2);
    folder = program_folder + folder;
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  if (!IsFolder(folder)) return {folder, FolderProblem::kMissing};
  return {folder, FolderProblem::kNone};
}

int RunBatch(Context& context, bool quiet) {
  const Settings& settings = context.settings;
  RunState& run = context.run;
  const FormatTables& formats = context.formats;
  auto text = [&](const char* group, const char* key) { return context.messages.Text(group, key); };
  auto say = [&](const char* group, const char* key) {
    if (!quiet) PrintLine(text(group, key));
  };
  const bool debug = run.RunMode == "DEBUG";

  say("General", "Preparing");

  // Input: a file (or list file) when the text has a file-name part,
  // otherwise a folder.
  if (debug) PrintLine("Input: " + run.InputPath);
  const bool single_input = !FileNamePart(run.InputPath).empty();
  if (single_input) {
    run.CurrentInput = run.InputPath;
    run.InputPath.clear();
    auto info = StatPath(run.CurrentInput);
    if (!info || !info->isRegular || info->size <= 0) {
      PrintLine("Error: Invalid input file");
      return 0;
    }
  } else if (!UseFolder(run.InputPath, run.ProgramFolder, "Error: Incorrect input folder",
                        "Error: Invalid input folder")) {
    return 0;
  }

  // Output folder: it must exist already and is never created.
  if (run.OutputFolder.empty()) {
    run.OutputFolder = single_input ? FolderOfInput(run.CurrentInput) : run.InputPath;
  }
  if (debug) PrintLine("Output: " + run.OutputFolder);
  if (!UseFolder(run.OutputFolder, run.ProgramFolder, "Error: Incorrect output folder",
                 "Error: Invalid output folder")) {
    return 0;
  }

  if (run.InputFormat.empty() && !formats.EnabledInputFormats.empty()) {
    run.InputFormat = formats.EnabledInputFormats.front();
  }
  if (run.OutputExtension.empty() && !formats.EnabledOutputFormats.empty()) {
    run.OutputExtension = formats.EnabledOutputFormats.front();
  }
  if (debug) PrintLine("Conversion: " + run.OutputExtension);
  if (!IsEnabledOutputFormat(formats, run.OutputExtension)) {
    PrintLine("Error: Invalid conversion type");
    return 0;
  }

  // The driver owns what the decoration steps load once per run (the
  // watermark font); it is released when the run ends.
  DecorResources decor;
  if (!EchoAndCheckSettings(settings, formats, run.InputFormat, run.OutputExtension, debug,
                            decor)) {
    return 0;
  }

  // Every enabled output key has a row, so the lookup cannot miss here.
  const OutputFormatRow* row = FindOutputFormat(formats, run.OutputExtension);
  run.OutputFif = row != nullptr ? row->freeImageFormat : -1;
  run.OutputBpp = DepthSettingOf(run.OutputExtension, settings);
  run.SaveFlags = SaveFlagsFor(run.OutputExtension, settings);
  run.AutoBpp = run.OutputBpp == 0 ? 1 : 0;

  say("General", "Importing");
  int32_t found = 0;
  if (!run.InputPath.empty()) {
    StartTask(context.job, [&context] { ImportFolderTask(context); });
    found = ReadProgress(context.job).count;
  } else if (const std::string ext = LowerExtension(run.CurrentInput);
             ext == "txt" || ext == "lst") {
    StartTask(context.job, [&context] { ImportListTask(context); });
    found = ReadProgress(context.job).count;
  } else {
    found = AddInputFile(context, run.CurrentInput) ? 1 : 0;
  }
  if (!quiet) PrintLine(FillPlaceholders(text("Msg", "Import complete"), std::to_string(found)));

  if (found == 0) {
    PrintLine(text("Msg", "Conversion is not complete"));
    PrintLine(text("Msg", "Empty input files"));
    return 0;
  }

  say("General", "Converting");
  // SIGINT and SIGTERM stop the conversion cleanly and end the process once
  // the summary is out.
  InterruptWatch interrupts;
  if (!WorkerExecutable().empty()) {
    StartTask(context.job, [&] { ParallelConversionWorker(context, &interrupts, !quiet); });
  } else {
    InProcessConverter converter(settings, run, decor);
    StartTask(context.job, [&] { ConversionWorker(context, converter); });
  }
  const int32_t converted = ReadProgress(context.job).count;

  if (converted > 0) {
    say("Msg", "Conversion complete");
    if (!quiet) {
      PrintLine(FillPlaceholders(text("Msg", "Files converted"), std::to_string(converted),
                                 std::to_string(found)));
    }
  } else {
    PrintLine(text("Msg", "Conversion is not complete"));
  }
  interrupts.RaisePending();
  return 0;
}

}  // namespace pictavo
