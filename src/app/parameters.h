#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// The command line as the dispatcher sees it: the process's arguments after
// the program name, each with every double quote removed and trimmed of
// blanks at both ends. The shell has already split them, so quoted blanks
// stay inside one parameter.
std::vector<std::string> ParametersFromArgv(int argc, char** argv);

// Parameter `index`, or an empty text beyond the last.
std::string ParameterAt(const std::vector<std::string>& parameters, std::size_t index);

// The option name of a parameter, upper case: empty when it does not begin
// with "-"; the text before the first "=" when it begins with "--"; the whole
// parameter for any other "-" parameter (a short option must stand alone).
std::string OptionName(std::string_view parameter);

// The value of a parameter: for "--name=value" the text after the first "="
// (searched from the third character on); otherwise the whole parameter.
// Case is kept.
std::string OptionValue(std::string_view parameter);

// ASCII upper case, as option names, keys and keywords are compared.
std::string UpperAscii(std::string_view text);

// The text without blanks (spaces) at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace pictavo
