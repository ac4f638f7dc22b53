#pragma once

#include "app/context.h"

namespace pictavo {

// Runs one command-line conversion from the checks to the summary lines.
// Always returns 0, also after an error line.
int RunBatch(Context& context, bool quiet);

}  // namespace pictavo
