#pragma once

#include <string>
#include <vector>

#include "app/context.h"

namespace pictavo {

// How a dispatch ended.
enum class DispatchOutcome {
  Done,           // help, version, an error line or a conversion run: the process ends
  WindowMode,     // no parameters, or none names an input: the window follows
  UninstallPage,  // -U as the first parameter
  Demonstration,  // -T as the first parameter; `folder` holds its folder
};

struct DispatchResult {
  DispatchOutcome outcome = DispatchOutcome::Done;
  std::string folder;
};

// Prepares the context for a command-line run (format tables, run state,
// command-line defaults, message table), answers the informational switches
// of the first parameter, applies every parameter, then prints the error line
// or runs the batch driver between the banner and the optional pause.
DispatchResult Dispatch(Context& context, const std::vector<std::string>& parameters);

// The four banner lines printed before a run.
std::vector<std::string> BannerLines();

}  // namespace pictavo
