#include "batch/list_file.h"

#include <cstdint>

namespace pictavo {
namespace {

void AppendUtf8(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Converts UTF-16 code units to UTF-8; a lone surrogate and an odd final byte
// become U+FFFD rather than being dropped silently.
std::string Utf16ToUtf8(std::string_view bytes, bool big_endian) {
  constexpr uint32_t kReplacement = 0xFFFD;
  auto unit_at = [&](size_t i) -> uint32_t {
    auto b0 = static_cast<uint8_t>(bytes[i]);
    auto b1 = static_cast<uint8_t>(bytes[i + 1]);
    return big_endian ? (b0 << 8 | b1) : (b1 << 8 | b0);
  };
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    uint32_t unit = unit_at(i);
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 < bytes.size()) {
        uint32_t low = unit_at(i);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          i += 2;
          AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          continue;
        }
      }
      AppendUtf8(out, kReplacement);
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, unit);
    }
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

}  // namespace

std::string DecodeListText(std::string_view bytes) {
  using namespace std::string_view_literals;
  // The UTF-32 marks first: the little-endian one begins like UTF-16's.
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv) || StartsWith(bytes, "\0\0\xFE\xFF"sv))
    return std::string(bytes.substr(4));
  if (StartsWith(bytes, "\xEF\xBB\xBF"sv)) return std::string(bytes.substr(3));
  if (StartsWith(bytes, "\xFF\xFE"sv)) return Utf16ToUtf8(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF"sv)) return Utf16ToUtf8(bytes.substr(2), true);
  return std::string(bytes);
}

std::vector<std::string> SplitListLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace pictavo
