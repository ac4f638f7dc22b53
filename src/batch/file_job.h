#pragma once

#include <cstdint>
#include <string>

namespace pictavo {

// The values of one file's conversion, kept as plain values so that the
// record can be handed to another thread or process as it is. The worker
// fills the first block; the conversion fills the second.
struct FileJob {
  // Given by the worker.
  std::string inputPath;       // the input file
  std::string relativeFolder;  // its sub-folder below the input folder, "" or ending in "/"
  int32_t fileCounter = 1;     // value of %n%
  int32_t randomNumber = 1;    // value of %rnd%

  // Worked out by the conversion.
  int32_t loadedBpp = 0;    // bits per pixel as loaded
  int32_t outputBpp = 0;    // depth the file is saved with
  int32_t resultWidth = 0;  // size after resizing
  int32_t resultHeight = 0;
  std::string outputPath;  // where the file was (or would have been) saved
  std::string failure;     // why the conversion failed, in plain words, when known
};

}  // namespace pictavo
