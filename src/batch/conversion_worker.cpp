#include "batch/conversion_worker.h"

#include <algorithm>
#include <mutex>

#include "formats/file_signature.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/file_info.h"
#include "settings/defaults.h"

namespace pictavo {
namespace {

// A successful file is reported as taking at least a second, so that the
// progress dialog's estimate never runs ahead of the files.
constexpr int64_t kShortestDuration = 1000;

void PublishEntry(ConversionJob& job, int32_t number, const std::string& path, int64_t duration) {
  std::lock_guard<std::mutex> guard(job.lock);
  job.currentNumber = number;
  job.currentFile = path;
  job.lastDuration = duration;
}

}  // namespace

void RecordFileValues(RunState& run, const FileJob& file) {
  run.LoadedBpp = file.loadedBpp;
  if (file.resultWidth > 0 && file.resultHeight > 0) {
    run.ResultWidth = file.resultWidth;
    run.ResultHeight = file.resultHeight;
    if (run.AutoBpp) run.OutputBpp = file.outputBpp;
  }
  if (!file.outputPath.empty()) run.CurrentOutput = file.outputPath;
}

int ConversionWorker(Context& context, FileConverter& converter) {
  RunState& run = context.run;
  ConversionJob& job = context.job;
  const bool debug = run.CommandLineInput == 1 && run.RunMode == "DEBUG";
  int32_t number = 0;
  int32_t converted = 0;
  int64_t duration = 0;

  for (const InputEntry& entry : context.inputs) {
    if (!job.running) break;
    ++number;
    run.CurrentInput = entry.path;
    run.RelativeFolder = entry.subfolder;
    PublishEntry(job, number, entry.path, duration);
    if (context.settings.KeepSubfolders) EnsureOutputFolder(run.OutputFolder, run.RelativeFolder);
    if (debug) {
      PrintLine("Processing: " + entry.path);
      PrintLine("File Format: " + DetectFileSignature(entry.path));
    }

    FileJob file;
    file.inputPath = entry.path;
    file.relativeFolder = entry.subfolder;
    file.fileCounter = run.FileCounter;
    file.randomNumber = run.RandomNumber;
    const int64_t started = MonotonicMillis();
    const bool saved = converter.Convert(file);
    RecordFileValues(run, file);

    if (saved) {
      if (debug) PrintLine("[OK] Saving As: " + run.CurrentOutput);
      ++converted;
      duration = std::max(MonotonicMillis() - started, kShortestDuration);
      run.RandomNumber = DrawRandomNumber();
      ++run.FileCounter;
      ApplyFileTimestamp(context.settings, run.CurrentInput, run.CurrentOutput);
    } else {
      duration = 0;
      if (debug) {
        PrintLine("[ERROR] Unable to convert the file!");
        if (!file.failure.empty()) PrintLine("Reason: " + file.failure);
      }
    }
  }

  std::lock_guard<std::mutex> guard(job.lock);
  job.count = converted;
  return 0;
}

void EnsureOutputFolder(const std::string& output_folder, const std::string& relative_folder) {
  if (IsFolder(output_folder + relative_folder)) return;
  std::string folder = output_folder;
  size_t start = 0;
  while (start < relative_folder.size()) {
    size_t slash = relative_folder.find('/', start);
    if (slash == std::string::npos) slash = relative_folder.size();
    if (slash > start) {
      folder += relative_folder.substr(start, slash - start) + "/";
      if (!IsFolder(folder)) MakeFolder(folder);
    }
    start = slash + 1;
  }
}

bool ApplyFileTimestamp(const Settings& settings, const std::string& input,
                        const std::string& output) {
  switch (settings.FileTimestamp) {
    case 1: {
      auto info = StatPath(input);
      return info && SetModificationTime(output, info->mtimeSeconds, info->mtimeNanos);
    }
    case 2:
      return SetModificationTime(output, LocalSecondsToPosix(settings.CustomTimestamp));
    default:
      return true;
  }
}

}  // namespace pictavo
