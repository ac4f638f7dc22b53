#include "decor/color_value.h"

namespace pictavo {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a digit pair from its first character on and stops at the first
// character that is not a hexadecimal digit ("AG" is 10, "G0" is 0).
uint32_t ReadPair(std::string_view pair) {
  uint32_t value = 0;
  for (char c : pair) {
    int d = HexDigit(c);
    if (d < 0) break;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return value;
}

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

ColorValue ParseHexColor(std::string_view text) {
  if (text.size() != 6) return 0;
  return ReadPair(text.substr(0, 2)) | (ReadPair(text.substr(2, 2)) << 8) |
         (ReadPair(text.substr(4, 2)) << 16);
}

ColorValue ParseHexColorAlpha(std::string_view text, int alpha) {
  return ParseHexColor(text) | (static_cast<uint32_t>(alpha & 0xFF) << 24);
}

std::string ColorToHex(ColorValue color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t channel : {RedOf(color), GreenOf(color), BlueOf(color)}) {
    out += kDigits[channel >> 4];
    out += kDigits[channel & 0xF];
  }
  return out;
}

std::string ColorDisplayName(std::string_view text, const MessageTable& messages) {
  std::string upper = UpperAscii(text);
  for (const NamedColor& named : NamedColors)
    if (upper == named.text) return messages.Text("Preferences", named.name);
  return messages.Text("Preferences", "Color") + " #" + upper;
}

}  // namespace pictavo
