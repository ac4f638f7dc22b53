#pragma once

#include <string>

#include "app/context.h"

namespace pictavo {

// Runs one command-line conversion from the checks to the summary lines:
// normalises and checks the input and output paths and the conversion type,
// echoes the settings in debug mode (RunMode "DEBUG"), checks the settings
// that would make every file fail, fills the run-wide output fields of
// context.run, collects the inputs and converts them on a worker thread.
// Progress and result lines come from the message table and are left out
// when `quiet`; "Error: " lines are always printed and end the run. Always
// returns 0.
int RunBatch(Context& context, bool quiet);

enum class FolderProblem {
  kNone,
  kIncorrect,  // begins with ".."
  kMissing,    // not an existing folder
};

struct NormalisedFolder {
  std::string path;  // ending in "/"
  FolderProblem problem = FolderProblem::kNone;
};

// A folder text as the run uses it: a relative folder (not beginning with
// "/", a leading "./" dropped) is taken below `program_folder`, and the
// result ends in "/". A text beginning with ".." is refused before anything
// else.
NormalisedFolder NormaliseFolder(const std::string& path, const std::string& program_folder);

}  // namespace pictavo
