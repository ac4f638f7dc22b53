#pragma once

// Path text describes a polygon as tokens separated by single spaces:
// "M x y" moves to the absolute point (x, y), "l dx dy" draws a straight line
// to the point (dx, dy) away from the current point, "Z" closes the figure.
// Numbers are decimal integers with at most one sign; x grows to the right and
// y downwards from the top-left corner of the raster.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pictavo::gfx {

struct PathSegment {
  enum Kind { kMoveTo, kLineBy, kClose } kind;
  int x = 0, y = 0;  // absolute for kMoveTo, relative for kLineBy
  friend bool operator==(const PathSegment&, const PathSegment&) = default;
};

// Builds path text; a negative number is written with one minus sign.
class PathText {
 public:
  PathText& MoveTo(int x, int y);
  PathText& LineBy(int dx, int dy);
  PathText& Close();
  const std::string& Text() const { return text_; }

 private:
  void Token(std::string_view token);
  std::string text_;
};

// The segments of a path text, or nothing when a token is not understood or
// a number is missing or malformed (such as "--5").
std::optional<std::vector<PathSegment>> ParsePathText(std::string_view text);

}  // namespace pictavo::gfx
