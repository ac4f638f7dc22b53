#include "gfx/path_text.h"

#include <charconv>

namespace pictavo::gfx {

void PathText::Token(std::string_view token) {
  if (!text_.empty()) text_ += ' ';
  text_ += token;
}

PathText& PathText::MoveTo(int x, int y) {
  Token("M");
  Token(std::to_string(x));
  Token(std::to_string(y));
  return *this;
}

PathText& PathText::LineBy(int dx, int dy) {
  Token("l");
  Token(std::to_string(dx));
  Token(std::to_string(dy));
  return *this;
}

PathText& PathText::Close() {
  Token("Z");
  return *this;
}

namespace {

std::vector<std::string_view> SplitTokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string_view::npos) break;
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    tokens.push_back(text.substr(start, end - start));
    pos = end;
  }
  return tokens;
}

std::optional<int> ParseNumber(std::string_view token) {
  std::string_view digits = token;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits[0] < '0' || digits[0] > '9') return std::nullopt;
  int value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace

std::optional<std::vector<PathSegment>> ParsePathText(std::string_view text) {
  std::vector<std::string_view> tokens = SplitTokens(text);
  std::vector<PathSegment> segments;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i] == "Z") {
      segments.push_back({PathSegment::kClose});
      continue;
    }
    PathSegment::Kind kind;
    if (tokens[i] == "M")
      kind = PathSegment::kMoveTo;
    else if (tokens[i] == "l")
      kind = PathSegment::kLineBy;
    else
      return std::nullopt;
    if (i + 2 >= tokens.size()) return std::nullopt;
    std::optional<int> x = ParseNumber(tokens[i + 1]);
    std::optional<int> y = ParseNumber(tokens[i + 2]);
    if (!x || !y) return std::nullopt;
    segments.push_back({kind, *x, *y});
    i += 2;
  }
  return segments;
}

}  // namespace pictavo::gfx
