#include "app/parameters.h"

namespace pictavo {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string_view TrimBlanks(std::string_view text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::vector<std::string> ParametersFromArgv(int argc, char** argv) {
  std::vector<std::string> parameters;
  for (int i = 1; i < argc; ++i) {
    std::string text;
    for (const char* p = argv[i]; *p; ++p) {
      if (*p != '"') text.push_back(*p);
    }
    parameters.emplace_back(TrimBlanks(text));
  }
  return parameters;
}

std::string ParameterAt(const std::vector<std::string>& parameters, std::size_t index) {
  return index < parameters.size() ? parameters[index] : std::string();
}

std::string OptionName(std::string_view parameter) {
  if (parameter.empty() || parameter[0] != '-') return {};
  if (parameter.substr(0, 2) == "--") {
    return UpperAscii(parameter.substr(0, parameter.find('=')));
  }
  return UpperAscii(parameter);
}

std::string OptionValue(std::string_view parameter) {
  if (parameter.substr(0, 2) == "--") {
    auto equals = parameter.find('=', 2);
    if (equals != std::string_view::npos) return std::string(parameter.substr(equals + 1));
  }
  return std::string(parameter);
}

}  // namespace pictavo
