#pragma once

#include <string>

namespace pictavo {

// The folder of the running executable, ending in "/".
std::string ProgramFolder();

// The running executable's full path.
std::string ExecutablePath();

}  // namespace pictavo
