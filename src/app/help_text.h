#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formats/format_tables.h"

namespace pictavo {

// The 38 lines of the command-line help, placeholders filled: `program` is the
// executable's name; each of the three single-file examples names a format
// key drawn at random from the enabled input formats, and the conversion
// example names the first enabled output format.
std::vector<std::string> HelpLines(std::string_view program, const FormatTables& formats);

// The executable's file name without folder and extension ("pictavo").
std::string ProgramName();

}  // namespace pictavo
