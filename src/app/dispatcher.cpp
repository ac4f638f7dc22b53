#include "app/dispatcher.h"

#include "app/command_line.h"
#include "app/help_text.h"
#include "app/parameters.h"
#include "batch/batch_driver.h"
#include "platform/console.h"
#include "platform/console_title.h"
#include "platform/key_press.h"
#include "settings/defaults.h"

namespace pictavo {
namespace {

void Prepare(Context& context) {
  context.formats = FormatTables{};
  ResetRunState(context);
  ApplyDefaults(context.settings, context.formats, /*command_line=*/true);
  context.messages.Build();
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

std::vector<std::string> BannerLines() {
  return {TitleString(), ReplaceAll(kCopyrightNotice, "\xC2\xA9", "(c)"), kHomePage, " "};
}

DispatchResult Dispatch(Context& context, const std::vector<std::string>& parameters) {
  if (parameters.empty()) return {DispatchOutcome::WindowMode, {}};
  Prepare(context);

  // The informational switches count only as the first parameter.
  const std::string first = OptionName(parameters[0]);
  if (first == "-U") return {DispatchOutcome::UninstallPage, {}};
  if (first == "-T") {
    context.run.RunMode = "T";
    return {DispatchOutcome::Demonstration, ParameterAt(parameters, 1)};
  }
  if (first == "-V" || first == "--VERSION") {
    SetConsoleTitle(TitleString());
    PrintLine(VersionText());
    return {};
  }
  if (first == "-H" || first == "-?" || first == "--HELP") {
    SetConsoleTitle(TitleString());
    for (const std::string& line : HelpLines(ProgramName(), context.formats)) PrintLine(line);
    return {};
  }

  const ParsedCommandLine parsed = ApplyParameters(context, parameters);
  if (!parsed.error.empty()) {
    SetConsoleTitle(TitleString());
    PrintLine("Error: " + parsed.error);
    if (parsed.pause) WaitForKeyPress();
    return {};
  }
  if (context.run.CommandLineInput != 1) return {DispatchOutcome::WindowMode, {}};

  SetConsoleTitle(TitleString());
  if (!parsed.quiet) {
    for (const std::string& line : BannerLines()) PrintLine(line);
  }
  RunBatch(context, parsed.quiet);
  if (parsed.pause) {
    PrintLine("Press any key to exit.");
    WaitForKeyPress();
  }
  return {};
}

}  // namespace pictavo
