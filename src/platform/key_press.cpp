#include "platform/key_press.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace pictavo {

void WaitForKeyPress() {
  if (isatty(STDIN_FILENO) != 1) return;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  // Keys typed before the wait began are dropped, so that only a key
  // pressed now ends it.
  if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) != 0) return;
  char byte = 0;
  ssize_t n;
  do {
    n = read(STDIN_FILENO, &byte, 1);
  } while (n < 0 && errno == EINTR);
  // Dropping the rest of the input keeps the tail of a multi-byte key (an
  // arrow's escape sequence) from reaching the shell.
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
}

}  // namespace pictavo
