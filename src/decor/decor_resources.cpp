#include "decor/decor_resources.h"

#include <cmath>
#include <memory>

#include "decor/watermark_font.h"

namespace pictavo {

int FontPixelSize(int points) {
  return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

bool LoadWatermarkFont(const Settings& settings, DecorResources& decor) {
  decor.font.reset();
  std::optional<std::string> family = gfx::ResolveFontFamily(settings.WatermarkFont);
  const int pixels = FontPixelSize(settings.FontSize);
  if (!family || pixels < 1) return false;

  auto font = std::make_shared<WatermarkFont>();
  font->spec.family = *family;
  font->spec.pixel_size = pixels;
  font->spec.bold = settings.FontStyle == 1 || settings.FontStyle == 3;
  font->spec.italic = settings.FontStyle == 2 || settings.FontStyle == 3;
  font->spec.underline = settings.FontEffect == 1;
  font->spec.strikeout = settings.FontEffect == 2;
  decor.font = std::move(font);
  return true;
}

}  // namespace pictavo
