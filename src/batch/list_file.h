#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

// The text of a list file as UTF-8. A UTF-8 byte-order mark is dropped; a
// UTF-16 mark (little or big endian) means the rest is UTF-16 and is
// converted; a UTF-32 mark is dropped and the rest is taken as UTF-8, as
// files without a mark are.
std::string DecodeListText(std::string_view bytes);

// The lines of a list text, each trimmed of blanks (spaces, tabs, CR) at both
// ends. Lines ending in LF or CR LF are both understood; empty lines are kept
// as empty strings so that callers see the file as it was written.
std::vector<std::string> SplitListLines(std::string_view text);

}  // namespace pictavo
