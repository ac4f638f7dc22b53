#include "app/command_line.h"

#include "app/long_options.h"
#include "app/parameters.h"
#include "app/profile.h"

namespace pictavo {
namespace {

constexpr const char* kIncorrectParameters = "Incorrect number of parameters";
constexpr const char* kInvalidProfile = "Invalid profile file";

bool IsLongForm(const std::string& parameter) {
  return parameter.rfind("--", 0) == 0;
}

}  // namespace

ParsedCommandLine ApplyParameters(Context& context, const std::vector<std::string>& parameters) {
  ParsedCommandLine parsed;
  RunState& run = context.run;

  for (std::size_t i = 0; i < parameters.size() && parsed.error.empty(); ++i) {
    const std::string& parameter = parameters[i];
    const std::string name = OptionName(parameter);
    if (name.empty()) continue;

    // -i, -o and -c take the next parameter as their value; --input=,
    // --output= and --conversion= carry it. Either way a value beginning with
    // "-" is another option, so the value is missing. (The next parameter is
    // judged as written: "-i --output=x" lacks an input, it does not read x.)
    std::string* path_target = nullptr;
    if (name == "-I" || name == "--INPUT") {
      run.CommandLineInput = 1;
      path_target = &run.InputPath;
    } else if (name == "-O" || name == "--OUTPUT") {
      path_target = &run.OutputFolder;
    } else if (name == "-C" || name == "--CONVERSION") {
      path_target = &run.OutputExtension;
    }
    if (path_target) {
      std::string value;
      if (IsLongForm(parameter)) {
        value = OptionValue(parameter);
      } else {
        value = ParameterAt(parameters, ++i);
      }
      if (value.empty() || value[0] == '-') {
        parsed.error = kIncorrectParameters;
      } else {
        *path_target = value;
      }
      continue;
    }

    if (name == "-D" || name == "--DEBUG") {
      run.RunMode = "DEBUG";
    } else if (name == "-Q" || name == "--QUIET") {
      parsed.quiet = true;
    } else if (name == "-P" || name == "--PAUSE") {
      parsed.pause = true;
    } else if (name == "--PROFILE") {
      const std::string value = OptionValue(parameter);
      if (value.empty() || value.rfind("--", 0) == 0) {
        parsed.error = kIncorrectParameters;
      } else if (!ReadProfile(context.settings, value)) {
        parsed.error = kInvalidProfile;
      }
    } else if (IsLongForm(parameter)) {
      if (ApplyLongOption(context.settings, name, OptionValue(parameter),
                          OptionSource::CommandLine) == OptionResult::Refused) {
        parsed.error = kIncorrectParameters;
      }
    }
  }
  return parsed;
}

}  // namespace pictavo
