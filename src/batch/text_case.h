#pragma once

#include <string>
#include <string_view>

namespace pictavo {

// Case mapping of UTF-8 texts that folds non-ASCII letters too (é <-> É).
// A text that is not valid UTF-8 (a file name is any byte string on Linux)
// has only its ASCII letters mapped and every other byte kept.
std::string UpperText(std::string_view text);
std::string LowerText(std::string_view text);
// The first character in upper case, the rest in lower case.
std::string TitleText(std::string_view text);

}  // namespace pictavo
