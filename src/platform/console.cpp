#include "platform/console.h"

#include <cstdio>

namespace pictavo {

void PrintLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace pictavo
