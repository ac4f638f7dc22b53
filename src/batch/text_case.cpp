#include "batch/text_case.h"

#include <glib.h>

#include <cctype>

namespace pictavo {
namespace {

std::string AsciiMapped(std::string_view text, int (*map)(int)) {
  std::string out(text);
  for (char& c : out) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x80) c = static_cast<char>(map(u));
  }
  return out;
}

// Runs a glib case mapping over a validated text and takes ownership of the
// result.
std::string GlibMapped(std::string_view text, gchar* (*map)(const gchar*, gssize)) {
  gchar* mapped = map(text.data(), static_cast<gssize>(text.size()));
  std::string out(mapped);
  g_free(mapped);
  return out;
}

bool IsValidUtf8(std::string_view text) {
  return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

}  // namespace

std::string UpperText(std::string_view text) {
  if (!IsValidUtf8(text)) return AsciiMapped(text, std::toupper);
  return GlibMapped(text, g_utf8_strup);
}

std::string LowerText(std::string_view text) {
  if (!IsValidUtf8(text)) return AsciiMapped(text, std::tolower);
  return GlibMapped(text, g_utf8_strdown);
}

std::string TitleText(std::string_view text) {
  if (text.empty()) return {};
  size_t first = 1;
  if (IsValidUtf8(text)) {
    first = static_cast<size_t>(g_utf8_next_char(text.data()) - text.data());
  }
  return UpperText(text.substr(0, first)) + LowerText(text.substr(first));
}

}  // namespace pictavo
