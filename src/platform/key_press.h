#pragma once

namespace pictavo {

// Waits for one key press on a terminal: standard input is switched to
// non-canonical mode without echo, one byte is read and the previous mode is
// restored. Prints no prompt. Returns at once when standard input is not a
// terminal (a pipe or file would otherwise feed or block the wait).
void WaitForKeyPress();

}  // namespace pictavo
