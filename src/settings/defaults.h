#pragma once

#include "app/context.h"

namespace pictavo {

// Writes every stored field of the settings record with its code default.
// Keep Aspect Ratio is 0 for a command-line run and 1 otherwise; the window
// position is centred on a 100-pixel fallback desktop; dates become now.
void ApplyDefaults(Settings& settings, const FormatTables& formats, bool command_line);

// Resets the run state for a new run or input list: draws a new random number,
// restarts the file counter, empties the input list and rebuilds the
// supported extensions. RunMode and the result size are kept.
void ResetRunState(Context& context);

// Draws a value for the random-number macro, uniformly from 1 to 99999.
int32_t DrawRandomNumber();

}  // namespace pictavo
