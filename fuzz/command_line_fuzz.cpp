// The command-line parser on an argument list built from the input, without
// running a batch: the parameters are applied to a context prepared as the
// dispatcher prepares it, and nothing else happens.
//
// Input layout: the bytes before the first NUL are the text of a profile file;
// the rest, split at NUL bytes, are the arguments after the program name. An
// argument "--profile=@" (any case) names that profile, which is kept in an
// anonymous memory file so the target leaves nothing on disk.

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/parameters.h"
#include "fuzz_target.h"
#include "settings/defaults.h"
#include "settings/settings_file.h"

namespace pictavo::fuzz {
namespace {

// The context every input starts from: command-line defaults, as the
// dispatcher sets them before applying the parameters.
const Context& PreparedContext() {
  static const Context* prepared = [] {
    auto* context = new Context;
    ResetRunState(*context);
    ApplyDefaults(context->settings, context->formats, /*command_line=*/true);
    return context;
  }();
  return *prepared;
}

void CopyPrepared(Context& context) {
  const Context& prepared = PreparedContext();
  context.settings = prepared.settings;
  context.run = prepared.run;
  context.formats = prepared.formats;
}

// The path of the profile file, an anonymous memory file refilled per input.
int ProfileDescriptor() {
  static const int fd = memfd_create("pictavo-fuzz-profile", MFD_CLOEXEC);
  return fd;
}

bool WriteProfile(std::string_view text) {
  const int fd = ProfileDescriptor();
  if (fd < 0 || ftruncate(fd, 0) != 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = pwrite(fd, text.data() + done, text.size() - done, done);
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

std::vector<std::string> Arguments(std::string_view input) {
  std::vector<std::string> arguments{"pictavo"};
  while (!input.empty()) {
    const size_t end = input.find('\0');
    arguments.emplace_back(input.substr(0, end));
    if (end == std::string_view::npos) break;
    input.remove_prefix(end + 1);
  }
  return arguments;
}

// A run-state path is untouched, or holds a value that is not an option.
bool IsUntouchedOrValue(const std::string& value, const std::string& before) {
  return value == before || (!value.empty() && value[0] != '-');
}

}  // namespace

int FuzzCommandLine(const uint8_t* data, size_t size) {
  const std::string_view input = AsText(data, size);
  const size_t cut = input.find('\0');
  const std::string_view profile = input.substr(0, cut);

  std::vector<std::string> arguments =
      Arguments(cut == std::string_view::npos ? std::string_view{} : input.substr(cut + 1));
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  std::vector<std::string> parameters =
      ParametersFromArgv(static_cast<int>(arguments.size()), argv.data());

  bool profile_named = false;
  for (std::string& parameter : parameters) {
    if (UpperAscii(parameter) == "--PROFILE=@") {
      parameter = "--profile=/proc/self/fd/" + std::to_string(ProfileDescriptor());
      profile_named = true;
    }
  }
  if (profile_named && !WriteProfile(profile)) return 0;

  for (const std::string& parameter : parameters) {
    FUZZ_CHECK(parameter.find('"') == std::string::npos);
    FUZZ_CHECK(parameter.empty() || (parameter.front() != ' ' && parameter.back() != ' '));
  }

  Context context;
  CopyPrepared(context);
  const ParsedCommandLine parsed = ApplyParameters(context, parameters);
  FUZZ_CHECK(parsed.error.empty() || parsed.error == "Incorrect number of parameters" ||
             parsed.error == "Invalid profile file");

  const RunState& before = PreparedContext().run;
  FUZZ_CHECK(IsUntouchedOrValue(context.run.InputPath, before.InputPath));
  FUZZ_CHECK(IsUntouchedOrValue(context.run.OutputFolder, before.OutputFolder));
  FUZZ_CHECK(IsUntouchedOrValue(context.run.OutputExtension, before.OutputExtension));
  if (parsed.error.empty() && context.run.CommandLineInput == 1) {
    FUZZ_CHECK(!context.run.InputPath.empty());
  }

  // The same parameters give the same result; the settings are compared
  // through the settings-file text, which also runs the writer over whatever
  // values the options stored.
  Context again;
  CopyPrepared(again);
  const ParsedCommandLine reparsed = ApplyParameters(again, parameters);
  FUZZ_CHECK(reparsed.error == parsed.error && reparsed.quiet == parsed.quiet &&
             reparsed.pause == parsed.pause);
  FUZZ_CHECK(again.run.InputPath == context.run.InputPath &&
             again.run.OutputFolder == context.run.OutputFolder &&
             again.run.OutputExtension == context.run.OutputExtension &&
             again.run.RunMode == context.run.RunMode);
  FUZZ_CHECK(SettingsFileText(again.settings, again.formats) ==
             SettingsFileText(context.settings, context.formats));
  return 0;
}

}  // namespace pictavo::fuzz

PICTAVO_FUZZ_ENTRY(pictavo::fuzz::FuzzCommandLine)
