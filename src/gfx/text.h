#pragma once

// Text measured and drawn with PangoCairo on rasters. Fonts are found through
// fontconfig. Pango and fontconfig are used under one process-wide lock, so
// these functions may be called from any thread.
//
// Raster text is drawn without antialiasing (coverage 0 or 1) and hinted;
// vector text is antialiased with unhinted outlines and fractional advances.
// The text width and height of a string are the pixel sizes of Pango's
// logical extents of the laid-out string; an empty string measures 0 x 0.

#include <optional>
#include <string>
#include <string_view>

#include "gfx/raster.h"

namespace pictavo::gfx {

struct FontSpec {
  std::string family;  // an installed family, as ResolveFontFamily gives it
  int pixel_size = 19;
  bool bold = false;  // weight 700, else 400
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};

// The installed family that fontconfig gives for `family`: the family itself
// or a metric-compatible alias fontconfig declares for it (Arial gives
// Liberation Sans). Nothing when only an unrelated fallback would be used.
std::optional<std::string> ResolveFontFamily(std::string_view family);

struct TextExtent {
  int width = 0;
  int height = 0;
};

// The size of a string laid out as raster text.
TextExtent MeasureRasterText(const FontSpec& font, std::string_view text);

// The width of a string laid out as vector text, in fractional pixels.
double MeasureVectorWidth(const FontSpec& font, std::string_view text);

// Draws raster text with its top-left corner at (x, y). Each covered pixel is
// written (all four channels) as the text colour over the background colour:
// with t = coverage x text alpha and b = background alpha, the alpha becomes
// t + b (1 - t) and the colour (text t + background b (1 - t)) / alpha.
// Pixels the glyphs do not cover are left as they are.
void DrawRasterText(Raster& target, const FontSpec& font, std::string_view text, int x, int y,
                    Rgba text_color, Rgba background);

// Draws antialiased vector text with its top-left corner at (x, y), blended
// over what is there.
void DrawVectorText(Raster& target, const FontSpec& font, std::string_view text, double x, double y,
                    Rgba color);

}  // namespace pictavo::gfx
