#include "decor/frame.h"

#include <algorithm>

#include "decor/color_value.h"
#include "decor/decor_colors.h"
#include "decor/frame_geometry.h"
#include "gfx/compose.h"
#include "gfx/layer_transfer.h"
#include "gfx/shapes.h"

namespace pictavo {
namespace {

// Draws the borders on a transparent layer of the image's size: first the
// four corner rectangles, then the four mitred side polygons over them. The
// rectangles show only where the antialiased diagonal edges of two sides
// leave a corner pixel partly uncovered.
void DrawFrame(gfx::Raster& layer, const Settings& s, const FrameBorders& b, int w, int h) {
  const gfx::Rgba left = ToRgba(ParseHexColorAlpha(s.SolidLeftColor, 255));
  const gfx::Rgba right = ToRgba(ParseHexColorAlpha(s.SolidRightColor, 255));
  const gfx::Rgba top = ToRgba(ParseHexColorAlpha(s.SolidTopColor, 255));
  const gfx::Rgba bottom = ToRgba(ParseHexColorAlpha(s.SolidBottomColor, 255));

  gfx::FillRectangle(layer, 0, 0, b.left, b.top, top);
  gfx::FillRectangle(layer, w - b.right, 0, b.right, b.top, right);
  gfx::FillRectangle(layer, w - b.right, h - b.bottom, b.right, b.bottom, bottom);
  gfx::FillRectangle(layer, 0, h - b.bottom, b.left, b.bottom, left);

  const FrameSidePaths sides = BuildFrameSidePaths(b, w, h);
  gfx::FillPathText(layer, sides.top, top);
  gfx::FillPathText(layer, sides.right, right);
  gfx::FillPathText(layer, sides.bottom, bottom);
  gfx::FillPathText(layer, sides.left, left);
}

}  // namespace

Bitmap ApplyFrame(Bitmap image, const Settings& settings, int width, int height) {
  if (!image || settings.DoFrame == 0) return image;
  if (image.Bpp() != 24) image = Bitmap(FreeImage_ConvertTo24Bits(image.get()));
  if (!image || settings.DoFrame != 1) return image;

  // The layer must match the image for the composite; the bitmap's own size
  // wins should the caller's figures disagree with it.
  if (width != static_cast<int>(image.Width()) || height != static_cast<int>(image.Height())) {
    width = static_cast<int>(image.Width());
    height = static_cast<int>(image.Height());
  }
  const FrameBorders borders = FitFrameBorders(settings, width, height);
  const int opacity = std::clamp(settings.SolidOpacity, 0, 255);
  const bool no_borders =
      borders.left == 0 && borders.right == 0 && borders.top == 0 && borders.bottom == 0;
  if (no_borders || opacity == 0) return image;  // the layer would change no pixel

  gfx::Raster layer = gfx::Raster::Create(width, height);
  if (!layer) return image;
  DrawFrame(layer, settings, borders, width, height);

  if (opacity < 255) {
    gfx::Raster faded = gfx::Raster::Create(width, height);
    if (!faded) return image;
    gfx::DrawBlended(faded, layer, opacity);
    layer = std::move(faded);
  }

  Bitmap frame = gfx::LayerToBitmap(layer);
  if (!frame) return image;
  // The composite is a new 24-bit bitmap; the received image is unloaded
  // when `image` goes out of scope, also when the composite fails.
  return Bitmap(FreeImage_Composite(frame.get(), FALSE, nullptr, image.get()));
}

}  // namespace pictavo
