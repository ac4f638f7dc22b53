// The list-file decoder and line splitter, on arbitrary bytes.

#include <algorithm>

#include "batch/list_file.h"
#include "fuzz_target.h"

namespace pictavo::fuzz {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

bool HasUtf16Mark(std::string_view bytes) {
  using namespace std::string_view_literals;
  if (bytes.starts_with("\xFF\xFE\0\0"sv)) return false;  // UTF-32, passed through
  return bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv);
}

}  // namespace

int FuzzListFile(const uint8_t* data, size_t size) {
  const std::string_view bytes = AsText(data, size);
  const std::string text = DecodeListText(bytes);
  // Converted UTF-16 is always valid UTF-8; other text is passed on as read.
  if (HasUtf16Mark(bytes)) FUZZ_CHECK(IsValidUtf8(text));
  FUZZ_CHECK(text.size() <= bytes.size() * 3 / 2 + 3);

  // One line per LF, plus the unterminated last one; none keeps a line end or
  // edge blanks.
  const std::vector<std::string> lines = SplitListLines(text);
  const auto breaks = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
  const size_t expected = breaks + (!text.empty() && text.back() != '\n' ? 1 : 0);
  FUZZ_CHECK(lines.size() == expected);
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find('\n') == std::string::npos);
    FUZZ_CHECK(line.empty() || (!IsBlank(line.front()) && !IsBlank(line.back())));
  }
  return 0;
}

}  // namespace pictavo::fuzz

PICTAVO_FUZZ_ENTRY(pictavo::fuzz::FuzzListFile)
