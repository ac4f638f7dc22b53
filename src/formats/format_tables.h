#pragma once

#include <string>
#include <vector>

namespace pictavo {

// The format catalogue of this build: which input and output format keys are
// enabled and the extensions accepted as input.
struct FormatTables {
  std::vector<std::string> EnabledInputFormats{"psd"};
  std::vector<std::string> EnabledOutputFormats{"jpg"};
  std::vector<std::string> SupportedExtensions;
};

// Rebuilds SupportedExtensions from the enabled input formats.
void BuildSupportedExtensions(FormatTables& formats);

}  // namespace pictavo
