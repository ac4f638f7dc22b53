#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/message_table.h"

namespace pictavo {

// A colour as one 32-bit value: red in bits 0-7, green in 8-15, blue in 16-23,
// alpha (255 = opaque) in 24-31. Colour settings hold six hexadecimal digits,
// red first, without a prefix ("FF8000" is orange).
using ColorValue = uint32_t;

inline constexpr uint8_t RedOf(ColorValue c) {
  return c & 0xFF;
}
inline constexpr uint8_t GreenOf(ColorValue c) {
  return (c >> 8) & 0xFF;
}
inline constexpr uint8_t BlueOf(ColorValue c) {
  return (c >> 16) & 0xFF;
}
inline constexpr uint8_t AlphaOf(ColorValue c) {
  return (c >> 24) & 0xFF;
}

// The colour of a colour text, alpha 0. A text that is not six characters long
// is black; each digit pair is read up to its first non-hexadecimal character.
ColorValue ParseHexColor(std::string_view text);

// As ParseHexColor, with `alpha` (0 to 255) in the top byte.
ColorValue ParseHexColorAlpha(std::string_view text, int alpha);

// Six upper-case hexadecimal digits, red first; the alpha byte is ignored.
std::string ColorToHex(ColorValue color);

// One entry of the fixed list of named colours: its text and its name, which
// is also its key in the message table's "Preferences" group.
struct NamedColor {
  const char* text;
  const char* name;
};
inline constexpr NamedColor NamedColors[] = {
    {"000000", "Black"},  {"C0C0C0", "Silver"}, {"808080", "Gray"},   {"FFFFFF", "White"},
    {"800000", "Maroon"}, {"FF0000", "Red"},    {"800080", "Purple"}, {"FF00FF", "Fuchsia"},
    {"008000", "Green"},  {"00FF00", "Lime"},   {"808000", "Olive"},  {"FFFF00", "Yellow"},
    {"000080", "Navy"},   {"0000FF", "Blue"},   {"008080", "Teal"},   {"00FFFF", "Aqua"},
    {"FF8000", "Orange"}, {"804000", "Brown"},  {"8000FF", "Violet"},
};

// The name shown for a colour text: the named colour's text from the message
// table, or the "Color" text followed by " #" and the upper-case digits.
std::string ColorDisplayName(std::string_view text, const MessageTable& messages);

}  // namespace pictavo
