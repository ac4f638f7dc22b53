#pragma once

#include <string_view>

namespace pictavo {

// Sets the terminal's window title with the escape ESC ] 0 ; title BEL when
// standard output is a terminal; writes nothing otherwise, so redirected
// output holds only the program's lines.
void SetConsoleTitle(std::string_view title);

}  // namespace pictavo
