#pragma once

namespace pictavo {

// Waits for one key press on a terminal: standard input is switched to
// non-canonical mode without echo, one byte is read and the previous mode is
// restored. Keys typed before the wait and the rest of a key that sends
// several bytes (an arrow) are discarded. Prints no prompt. Returns at once
// when standard input is not a terminal (a pipe or file would otherwise feed
// or block the wait).
void WaitForKeyPress();

}  // namespace pictavo
