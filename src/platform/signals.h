#pragma once

namespace pictavo {

// Makes writes to a closed pipe fail with an error instead of killing the
// process, so that `pictavo ... | head -1` still finishes the run, leaves no
// half-written output file and exits with 0.
void IgnoreBrokenPipes();

}  // namespace pictavo
