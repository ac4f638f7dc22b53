#include "gfx/shapes.h"

#include "gfx/path_text.h"

namespace pictavo::gfx {
namespace {

void SetSource(cairo_t* cr, Rgba color) {
  cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, color.a / 255.0);
}

}  // namespace

void FillRectangle(Raster& raster, int x, int y, int width, int height, Rgba color) {
  if (!raster || width <= 0 || height <= 0) return;
  cairo_t* cr = cairo_create(raster.Surface());
  SetSource(cr, color);
  cairo_rectangle(cr, x, y, width, height);
  cairo_fill(cr);
  cairo_destroy(cr);
}

bool FillPathText(Raster& raster, std::string_view path_text, Rgba color) {
  std::optional<std::vector<PathSegment>> segments = ParsePathText(path_text);
  if (!segments) return false;
  if (!raster) return true;
  cairo_t* cr = cairo_create(raster.Surface());
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  for (const PathSegment& segment : *segments) {
    switch (segment.kind) {
      case PathSegment::kMoveTo:
        cairo_move_to(cr, segment.x, segment.y);
        break;
      case PathSegment::kLineBy:
        // A line without a current point starts at the top-left corner.
        if (!cairo_has_current_point(cr)) cairo_move_to(cr, 0, 0);
        cairo_rel_line_to(cr, segment.x, segment.y);
        break;
      case PathSegment::kClose:
        cairo_close_path(cr);
        break;
    }
  }
  SetSource(cr, color);
  cairo_fill(cr);
  cairo_destroy(cr);
  return true;
}

void FillAll(Raster& raster, Rgba color) {
  if (!raster) return;
  cairo_t* cr = cairo_create(raster.Surface());
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSource(cr, color);
  cairo_paint(cr);
  cairo_destroy(cr);
}

}  // namespace pictavo::gfx
