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
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  char byte = 0;
  ssize_t n;
  do {
    n = read(STDIN_FILENO, &byte, 1);
  } while (n < 0 && errno == EINTR);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

}  // namespace pictavo
