#include "decor/text_watermark.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "batch/output_naming.h"
#include "decor/color_value.h"
#include "decor/decor_colors.h"
#include "decor/watermark_font.h"
#include "gfx/compose.h"
#include "gfx/flood_fill.h"
#include "gfx/layer_transfer.h"
#include "gfx/shapes.h"

namespace pictavo {
namespace {

constexpr std::string_view kLineBreak = "%eol%";

constexpr std::array<std::string_view, 18> kWatermarkMacros = {
    "%filename%", "%filename[u]%", "%filename[l]%", "%filename[t]%", "%ext%", "%ext[u]%",
    "%ext[t]%",   "%yyyy%",        "%mm%",          "%dd%",          "%hh%",  "%ii%",
    "%ss%",       "%bpp%",         "%width%",       "%height%",      "%rnd%", "%n%",
};

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The parts of the text between its "%eol%" separators (any letter case);
// empty parts count.
std::vector<std::string> SplitLines(std::string_view text) {
  const std::string lower = LowerAscii(text);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at = lower.find(kLineBreak); at != std::string::npos;
       at = lower.find(kLineBreak, start)) {
    lines.emplace_back(text.substr(start, at - start));
    start = at + kLineBreak.size();
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

int Clamp255(int value) {
  return std::clamp(value, 0, 255);
}

// Raster text: the box is filled with the background colour and opacity,
// and each glyph pixel written as the text over it; no blending follows.
gfx::Raster DrawRasterBox(const TextBox& box, const gfx::FontSpec& font, const Settings& s) {
  gfx::Raster layer = gfx::Raster::Create(box.width, box.height);
  if (!layer) return layer;
  const gfx::Rgba text = ToRgba(ParseHexColorAlpha(s.FontColor, Clamp255(s.TextOpacity)));
  const gfx::Rgba back = ToRgba(ParseHexColorAlpha(s.BackColor, Clamp255(s.BackOpacity)));
  // The box is uniform, so a fill from any inner point covers all of it.
  gfx::FloodFill(layer, std::min(1, box.width - 1), std::min(1, box.height - 1), back);
  if (box.lines.size() == 1) {
    gfx::DrawRasterText(layer, font, box.lines[0], s.TextPadding, s.TextPadding, text, back);
    return layer;
  }
  int y = s.TextPadding;
  for (const std::string& line : box.lines) {
    const int x = AlignLineX(gfx::MeasureRasterText(font, line).width, box.width, s);
    gfx::DrawRasterText(layer, font, line, x, y, text, back);
    y += box.line_step;
  }
  return layer;
}

// Vector text: text and background are drawn opaque on rasters of their own
// and then blended onto the layer, each with its opacity.
gfx::Raster DrawVectorBox(const TextBox& box, const gfx::FontSpec& font, const Settings& s) {
  gfx::Raster background = gfx::Raster::Create(box.width, box.height);
  gfx::Raster text_box = gfx::Raster::Create(box.width, box.height);
  gfx::Raster layer = gfx::Raster::Create(box.width, box.height);
  if (!background || !text_box || !layer) return {};
  gfx::FillAll(background, ToRgba(ParseHexColorAlpha(s.BackColor, 255)));
  const gfx::Rgba text = ToRgba(ParseHexColorAlpha(s.FontColor, 255));
  if (box.lines.size() == 1) {
    gfx::DrawVectorText(text_box, font, box.lines[0], s.TextPadding, s.TextPadding, text);
  } else {
    int y = s.TextPadding;
    for (const std::string& line : box.lines) {
      // Halves round to even, as the default floating-point rounding does.
      const int width = static_cast<int>(std::nearbyint(gfx::MeasureVectorWidth(font, line)));
      gfx::DrawVectorText(text_box, font, line, AlignLineX(width, box.width, s), y, text);
      y += box.line_step;
    }
  }
  gfx::DrawBlended(layer, background, Clamp255(s.BackOpacity));
  gfx::DrawBlended(layer, text_box, Clamp255(s.TextOpacity));
  return layer;
}

}  // namespace

std::string ExpandWatermarkText(const Settings& settings, const RunState& run,
                                const FileJob& file) {
  std::string text = settings.WatermarkText;
  if (std::count(text.begin(), text.end(), '%') < 2) return text;
  // Tested against the text as typed, so that a value that happens to look
  // like a macro is not expanded again.
  const std::string typed = LowerAscii(text);
  for (std::string_view macro : kWatermarkMacros)
    if (typed.find(macro) != std::string::npos) text = ExpandMacro(text, macro, run, file);
  return text;
}

TextBox MeasureTextBox(std::string_view text, const gfx::FontSpec& font, const Settings& settings) {
  TextBox box;
  box.lines = SplitLines(text);
  if (box.lines.size() > 1) {
    int width = 10, line_height = 10;
    for (const std::string& line : box.lines) {
      gfx::TextExtent extent = gfx::MeasureRasterText(font, line);
      width = std::max(width, extent.width);
      line_height = std::max(line_height, extent.height);
    }
    const int breaks = static_cast<int>(box.lines.size()) - 1;
    box.line_step = line_height + settings.FontLeading;
    box.width = width;
    box.height = line_height + breaks * box.line_step;
  } else {
    gfx::TextExtent extent = gfx::MeasureRasterText(font, box.lines[0]);
    box.width = extent.width;
    box.height = extent.height;
    box.line_step = extent.height + settings.FontLeading;
  }
  box.width += 2 * settings.TextPadding;
  box.height += 2 * settings.TextPadding;
  return box;
}

int AlignLineX(int line_width, int box_width, const Settings& settings) {
  switch (settings.TextAlignment) {
    case 0:
      return settings.TextPadding;
    case 1:
      return static_cast<int>(std::lround((box_width - line_width) / 2.0));  // halves away
    case 2:
      return box_width - line_width - settings.TextPadding;
    default:
      return 0;
  }
}

Bitmap BuildTextLayer(const Settings& settings, const RunState& run, const FileJob& file,
                      const WatermarkFont* font) {
  if (font == nullptr) return {};
  const std::string text = ExpandWatermarkText(settings, run, file);
  const TextBox box = MeasureTextBox(text, font->spec, settings);
  if (box.width <= 0 || box.height <= 0) return {};
  gfx::Raster layer = settings.TextAntialiasing == 0 ? DrawRasterBox(box, font->spec, settings)
                                                     : DrawVectorBox(box, font->spec, settings);
  return gfx::LayerToBitmap(layer);
}

}  // namespace pictavo
