#pragma once

#include <string_view>

namespace pictavo {

// Writes one console line (UTF-8, ending in "\n") to standard output and
// flushes it, so that lines from the program and from a child interleave in
// order.
void PrintLine(std::string_view text);

}  // namespace pictavo
