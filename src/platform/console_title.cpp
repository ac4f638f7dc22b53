#include "platform/console_title.h"

#include <cstdio>
#include <string>

#include "platform/console.h"

namespace pictavo {

void SetConsoleTitle(std::string_view title) {
  if (!StdoutIsTerminal()) return;
  std::string escape = "\x1b]0;";
  // Control characters would end the escape early or start another one.
  for (char c : title) escape.push_back(static_cast<unsigned char>(c) < 0x20 ? ' ' : c);
  escape.push_back('\a');
  std::fwrite(escape.data(), 1, escape.size(), stdout);
  std::fflush(stdout);
}

}  // namespace pictavo
