#pragma once

#include <string>

#include "pipeline/bitmap.h"

namespace pictavo {

// Encodes `image` as format `fif` with `flags` and puts it at `path`. The
// bytes go to a hidden temporary file beside the target, are flushed to the
// disk and only then renamed over the target, so a failed save never leaves
// a partial file under the output name nor harms an existing file there.
// An existing file is replaced without a question. False, with a short
// reason in `failure`, when anything goes wrong; no temporary file remains.
bool SaveImage(const Bitmap& image, int fif, int flags, const std::string& path,
               std::string& failure);

// Encodes `image` as SaveImage does and writes the bytes to `path`, which must
// not exist yet, flushed to the disk; nothing is renamed. Lets a conversion
// worker prepare a result that its driver puts in place later. False, with a
// short reason in `failure` and no file at `path`, when anything goes wrong.
bool WriteImageFile(const Bitmap& image, int fif, int flags, const std::string& path,
                    std::string& failure);

// Flushes the folder holding `path`, so that a rename into it survives a
// crash of the machine. Failures are not reported: nothing could mend them.
void SyncFolderOfFile(const std::string& path);

}  // namespace pictavo
