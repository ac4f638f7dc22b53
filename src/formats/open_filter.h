#pragma once

#include <string>

#include "app/message_table.h"
#include "formats/format_tables.h"

namespace pictavo {

// The filter text of the window's file-open dialog for input files: label and
// patterns pairs separated by "|": all supported patterns first, then one pair
// per description (its newest pattern first), then all files.
std::string BuildOpenFilter(const FormatTables& formats, const MessageTable& messages);

}  // namespace pictavo
