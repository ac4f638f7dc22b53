#pragma once

#include <cstdint>
#include <string>

namespace pictavo {

// The state of the current run: paths given on the command line, the file in
// hand, and the latest file's worked-out values. Folder texts end in "/".
struct RunState {
  std::string ProgramFolder;  // folder of the running executable, ending in "/"
  std::string CurrentInput;
  std::string InputPath;
  std::string RelativeFolder;
  std::string CurrentOutput;
  std::string OutputFolder;
  int32_t RandomNumber = 1;
  int32_t FileCounter = 1;
  std::string InputFormat;
  int32_t LoadedBpp = 0;
  int32_t OutputFif = 0;
  std::string OutputExtension;
  int32_t OutputBpp = 0;
  int32_t SaveFlags = 0;
  int8_t AutoBpp = 0;
  int32_t PendingRefresh = 0;
  int8_t CommandLineInput = 0;
  std::string RunMode;  // "DEBUG", "T" or empty; kept by ResetRunState
  int32_t ResultWidth = 0;
  int32_t ResultHeight = 0;
  std::string ConverterFrom, ConverterTo;
  int8_t PreferencesPage = 0;
};

}  // namespace pictavo
