#include "app/help_text.h"

#include <random>

#include "app/message_table.h"
#include "platform/process.h"

namespace pictavo {
namespace {

// "%s1%" is the program, "%s2%" a format key.
constexpr const char* kHelpTemplate[] = {
    " ",
    "Usage: %s1% -i <filename> [options]",
    " ",
    "  %s1% -i example.%s2%",
    "  %s1% -i /tmp/example.%s2%",
    "  %s1% -i /tmp/example.%s2% -o /tmp/converted",
    "  %s1% -i /tmp/filelist.txt",
    "  %s1% -i /tmp/ -o /tmp/converted --jpg-quality=95",
    "  %s1% -i /tmp/ -o /tmp/converted -c %s2% --jpg-quality=95",
    " ",
    "Options:",
    " ",
    "  -h, -?, --help            Display this help and exit",
    "  -i FILE, --input=FILE     Set input file/list/folder",
    "  -o PATH, --output=PATH    Set output folder",
    "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
    " ",
    "Advanced options:",
    " ",
    "  --width=NUM               Set output image width",
    "  --height=NUM              Set output image height",
    "  --filename-mask=STR       Define output filename format",
    "  --flip-horizontal         Flip output image horizontally",
    "  --flip-vertical           Flip output image vertically",
    "  --brightness=NUM          Set output image brightness, NUM = -100..100",
    "  --contrast=NUM            Set output image contrast, NUM = -100..100",
    "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
    "  --invert                  Invert output image",
    "  --greyscale               Greyscale output image",
    "  --profile=FILE            Set configuration file with required settings",
    "    ...                     Refer documentation for all available options",
    " ",
    "Other options:",
    " ",
    "  -q, --quiet               Don't print status messages to stdout",
    "  -d, --debug               Print debug information to stdout",
    "  -p, --pause               Pause at exit",
    "  -v, --version             Display version information and exit",
};

std::string RandomEntry(const std::vector<std::string>& list) {
  if (list.empty()) return {};
  static thread_local std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, list.size() - 1);
  return list[pick(engine)];
}

}  // namespace

std::vector<std::string> HelpLines(std::string_view program, const FormatTables& formats) {
  const std::string output =
      formats.EnabledOutputFormats.empty() ? std::string() : formats.EnabledOutputFormats[0];
  std::vector<std::string> lines;
  int number = 0;
  for (const char* line : kHelpTemplate) {
    ++number;
    std::string second;
    if (number >= 4 && number <= 6) second = RandomEntry(formats.EnabledInputFormats);
    if (number == 9) second = output;
    lines.push_back(FillPlaceholders(line, program, second));
  }
  return lines;
}

std::string ProgramName() {
  std::string name = ExecutablePath();
  auto slash = name.rfind('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  auto dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name.empty() ? std::string("pictavo") : name;
}

}  // namespace pictavo
