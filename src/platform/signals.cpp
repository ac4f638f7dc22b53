#include "platform/signals.h"

#include <csignal>

namespace pictavo {

void IgnoreBrokenPipes() {
  std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace pictavo
