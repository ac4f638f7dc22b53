#pragma once

#include <cstdint>
#include <string_view>

namespace pictavo {

// Reads an integer option value from the start of `text`: blanks and tabs
// skipped, an optional "+" or "-", then "$" and hexadecimal digits, "%" and
// binary digits, or decimal digits. Reading stops at the first character that
// does not fit; no digits give 0. The result wraps to 32 bits and is not
// range-checked.
int32_t ReadIntegerValue(std::string_view text);

// Reads a decimal option value as "%f" scanning does in the "C" locale,
// whatever the process locale: leading white space skipped, optional sign,
// digits with "." as the decimal point and an optional exponent; "Infinity",
// "Inf" and "NaN" in any case (with a sign where given). Reading stops at the
// first character that does not fit (so a decimal comma ends the number); no
// number gives 0.
float ReadDecimalValue(std::string_view text);

}  // namespace pictavo
