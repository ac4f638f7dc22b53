#include "gfx/text.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "gfx/text_lock.h"

namespace pictavo::gfx {

std::mutex& TextLock() {
  static std::mutex lock;
  return lock;
}

namespace {

enum class Mode { kRaster, kVector };

// The process's own font map; Pango's default one is per thread. Used only
// under TextLock and kept for the life of the process.
PangoFontMap* SharedFontMap() {
  static PangoFontMap* map = pango_cairo_font_map_new();
  return map;
}

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
void UnrefObject(void* object) {
  g_object_unref(object);
}
using ContextPtr = std::unique_ptr<PangoContext, Deleter<void, UnrefObject>>;
using LayoutPtr = std::unique_ptr<PangoLayout, Deleter<void, UnrefObject>>;
using CairoPtr = std::unique_ptr<cairo_t, Deleter<cairo_t, cairo_destroy>>;
using SurfacePtr =
    std::unique_ptr<cairo_surface_t, Deleter<cairo_surface_t, cairo_surface_destroy>>;

// Pango wants valid UTF-8; file names need not be.
std::string ValidUtf8(std::string_view text) {
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string result(valid);
  g_free(valid);
  return result;
}

// A layout of `text` in `font`, set up for drawing on `cr` in `mode`.
LayoutPtr MakeLayout(cairo_t* cr, const FontSpec& font, std::string_view text, Mode mode) {
  ContextPtr context(pango_font_map_create_context(SharedFontMap()));
  cairo_font_options_t* options = cairo_font_options_create();
  if (mode == Mode::kRaster) {
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  } else {
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  }
  pango_cairo_context_set_font_options(context.get(), options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(context.get(), 96.0);
  pango_context_set_round_glyph_positions(context.get(), mode == Mode::kRaster);
  pango_cairo_update_context(cr, context.get());

  LayoutPtr layout(pango_layout_new(context.get()));
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, font.family.c_str());
  pango_font_description_set_absolute_size(description, font.pixel_size * double{PANGO_SCALE});
  pango_font_description_set_weight(description,
                                    font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description,
                                   font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), description);
  pango_font_description_free(description);

  PangoAttrList* attributes = pango_attr_list_new();
  if (font.underline)
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  if (font.strikeout) pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
  pango_layout_set_attributes(layout.get(), attributes);
  pango_attr_list_unref(attributes);

  std::string valid = ValidUtf8(text);
  pango_layout_set_text(layout.get(), valid.c_str(), static_cast<int>(valid.size()));
  return layout;
}

// A drawing context on a scratch surface, for measuring with the same font
// set-up that drawing uses.
struct MeasuringSurface {
  SurfacePtr surface{cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)};
  CairoPtr cr{cairo_create(surface.get())};
};

uint8_t ToByte(double value) {
  return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

TextExtent MeasureRasterText(const FontSpec& font, std::string_view text) {
  if (text.empty()) return {};
  std::lock_guard<std::mutex> lock(TextLock());
  MeasuringSurface scratch;
  LayoutPtr layout = MakeLayout(scratch.cr.get(), font, text, Mode::kRaster);
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
  return {logical.width, logical.height};
}

double MeasureVectorWidth(const FontSpec& font, std::string_view text) {
  if (text.empty()) return 0.0;
  std::lock_guard<std::mutex> lock(TextLock());
  MeasuringSurface scratch;
  LayoutPtr layout = MakeLayout(scratch.cr.get(), font, text, Mode::kVector);
  PangoRectangle logical;
  pango_layout_get_extents(layout.get(), nullptr, &logical);
  return logical.width / double{PANGO_SCALE};
}

void DrawRasterText(Raster& target, const FontSpec& font, std::string_view text, int x, int y,
                    Rgba text_color, Rgba background) {
  if (!target || text.empty()) return;
  const int width = target.Width();
  const int height = target.Height();

  // The glyph coverage goes to a mask first, so that text and background
  // can be combined by the rule above instead of Cairo's over rule.
  SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
  if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return;
  {
    std::lock_guard<std::mutex> lock(TextLock());
    CairoPtr cr(cairo_create(mask.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    LayoutPtr layout = MakeLayout(cr.get(), font, text, Mode::kRaster);
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
    cairo_move_to(cr.get(), x, y);
    pango_cairo_show_layout(cr.get(), layout.get());
  }
  cairo_surface_flush(mask.get());
  const unsigned char* coverage = cairo_image_surface_get_data(mask.get());
  const int mask_stride = cairo_image_surface_get_stride(mask.get());

  const double text_alpha = text_color.a / 255.0;
  const double b = background.a / 255.0;
  for (int row = 0; row < height; ++row) {
    const unsigned char* cover = coverage + static_cast<size_t>(row) * mask_stride;
    uint32_t* pixels = target.Row(row);
    for (int col = 0; col < width; ++col) {
      if (cover[col] == 0) continue;
      const double t = cover[col] / 255.0 * text_alpha;
      const double alpha = t + b * (1 - t);
      Rgba out{};
      if (alpha > 0) {
        auto mix = [&](uint8_t fore, uint8_t back) {
          return ToByte((fore * t + back * b * (1 - t)) / alpha);
        };
        out = Rgba{mix(text_color.r, background.r), mix(text_color.g, background.g),
                   mix(text_color.b, background.b), ToByte(alpha * 255)};
      }
      pixels[col] = Premultiply(out);
    }
  }
  target.MarkDirty();
}

void DrawVectorText(Raster& target, const FontSpec& font, std::string_view text, double x, double y,
                    Rgba color) {
  if (!target || text.empty()) return;
  std::lock_guard<std::mutex> lock(TextLock());
  CairoPtr cr(cairo_create(target.Surface()));
  LayoutPtr layout = MakeLayout(cr.get(), font, text, Mode::kVector);
  cairo_set_source_rgba(cr.get(), color.r / 255.0, color.g / 255.0, color.b / 255.0,
                        color.a / 255.0);
  cairo_move_to(cr.get(), x, y);
  pango_cairo_show_layout(cr.get(), layout.get());
}

}  // namespace pictavo::gfx
