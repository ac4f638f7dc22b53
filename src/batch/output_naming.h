#pragma once

#include <string>
#include <string_view>

#include "batch/file_job.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

// The output file name of `file` from the file-name mask.
std::string BuildOutputName(const Settings& settings, const RunState& run, const FileJob& file);

// The output folder of `file` followed by its output name.
std::string BuildOutputPath(const Settings& settings, const RunState& run, const FileJob& file);

// Replaces every occurrence (case ignored) of one macro of the file-name list
// in `text`; any other macro leaves the text unchanged.
std::string ExpandMacro(std::string_view text, std::string_view macro, const RunState& run,
                        const FileJob& file);

// A file name without its last extension.
std::string StripExtension(std::string_view name);

// The run's output folder, followed by the file's relative folder when
// sub-folders are kept.
std::string OutputFolderFor(const Settings& settings, const RunState& run, const FileJob& file);

}  // namespace pictavo
