#pragma once

#include <string>
#include <vector>

#include "app/context.h"

namespace pictavo {

// What the option loop leaves for the dispatcher to act on.
struct ParsedCommandLine {
  std::string error;   // the first parameter error ("Incorrect number of parameters"), or empty
  bool quiet = false;  // -q / --quiet
  bool pause = false;  // -p / --pause, when given before the error
};

// Applies every parameter in order: -i/-o/-c and -d to the run state, long
// options and profiles to the settings, -q and -p to the result. Parameters
// that name nothing known are skipped. The first error ends the loop; the
// options before it stay applied.
ParsedCommandLine ApplyParameters(Context& context, const std::vector<std::string>& parameters);

}  // namespace pictavo
