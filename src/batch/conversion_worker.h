#pragma once

#include <string>

#include "app/context.h"
#include "batch/file_job.h"

namespace pictavo {

// Converts one file. The worker hands every file to one of these, so that
// where a conversion runs (in this process, in a child process, several at
// once) can change without touching the worker's loop.
class FileConverter {
 public:
  virtual ~FileConverter() = default;
  // Converts file.inputPath and fills the rest of `file`; true when the
  // output file was written.
  virtual bool Convert(FileJob& file) = 0;
};

// Task procedure of a conversion: walks context.inputs in order and converts
// each entry with `converter`, until the list ends or the stop flag is seen
// cleared before an entry. Publishes the entry in hand and the previous
// file's duration in context.job, advances the counter and random number after
// each success, and at the end sets `count` to the number of files converted.
// In a debug command-line run it prints "Processing: ", "File Format: " and
// the outcome line of every file. Returns 0.
int ConversionWorker(Context& context, FileConverter& converter);

// Copies what the conversion of `file` worked out into the run state, so
// that the run state describes the latest file. Values the conversion did
// not reach (a file that failed to load) keep those of the file before.
void RecordFileValues(RunState& run, const FileJob& file);

// Creates the folders of `relative_folder` ("a/b/") below `output_folder`
// that do not exist yet. Failures are not reported: the save into the folder
// fails later and counts the file as failed.
void EnsureOutputFolder(const std::string& output_folder, const std::string& relative_folder);

// Sets the modification time of a saved file as `File Timestamp` asks:
// 1 copies the input's, 2 takes `Custom Timestamp` (local seconds), anything
// else leaves it. False when the time could not be set.
bool ApplyFileTimestamp(const Settings& settings, const std::string& input,
                        const std::string& output);

}  // namespace pictavo
