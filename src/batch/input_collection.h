#pragma once

#include <string>
#include <string_view>

#include "app/context.h"

namespace pictavo {

// Gathering the run's files into `context.inputs`. Every candidate passes
// AddInputFile; folder walks list entries in byte order of their names, so a
// run over the same tree always numbers its files the same way.

// The gate: true when `path` was added by this call. Rejects empty files,
// anything that is not a plain file (a folder, pipe or device would block or
// fail the loader), extensions other than the supported ones (compared in
// lower case) and paths already listed.
bool AddInputFile(Context& context, const std::string& path);

// Walks `folder` (ending in "/") and everything below it, adding each
// accepted file; returns the number added. Symbolic links are followed, but a
// link back to a folder that is already being walked is not, so a cycle ends.
int AddFolderTree(Context& context, const std::string& folder);

// The folder of `path` below `base`, ending in "/", or empty when the file is
// directly in `base`, not below it, or either text is empty.
std::string RelativeSubfolder(std::string_view path, std::string_view base);

// Task procedure: imports the tree of context.run.InputPath. Looks at the
// stop flag before each top-level entry; `count` gains the files added.
int ImportFolderTask(Context& context);

// Task procedure: imports the files and folders named one per line in the
// list file context.run.CurrentInput. Lines that are empty or name nothing
// are skipped; `count` gains the files added.
int ImportListTask(Context& context);

}  // namespace pictavo
