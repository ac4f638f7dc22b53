#pragma once

// Rasters are Cairo image surfaces in CAIRO_FORMAT_ARGB32: one native-endian
// 32-bit word per pixel, alpha in the top byte, colour premultiplied by alpha.
// Functions of this module take and return straight (not premultiplied)
// colours as Rgba and convert where pixels leave or enter a surface. Nothing
// here throws; a raster that cannot be made is an empty Raster, and every
// operation on an empty raster does nothing.

#include <cairo.h>

#include <cstdint>
#include <utility>

namespace pictavo::gfx {

// A straight-alpha colour, 8 bits per channel.
struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// One premultiplied ARGB32 word from a straight colour, rounded to nearest.
uint32_t Premultiply(Rgba color);
// The straight colour of a premultiplied ARGB32 word, rounded to nearest.
Rgba Unpremultiply(uint32_t pixel);

// Owns one ARGB32 image surface. Copying is not allowed; moving hands the
// surface on and empties the source; destruction releases it.
class Raster {
 public:
  Raster() = default;
  ~Raster();
  Raster(const Raster&) = delete;
  Raster& operator=(const Raster&) = delete;
  Raster(Raster&& other) noexcept : surface_(std::exchange(other.surface_, nullptr)) {}
  Raster& operator=(Raster&& other) noexcept;

  // A fully transparent raster (every channel 0), or an empty one when the
  // size is not positive or the surface cannot be allocated.
  static Raster Create(int width, int height);

  explicit operator bool() const { return surface_ != nullptr; }
  int Width() const;
  int Height() const;
  cairo_surface_t* Surface() const { return surface_; }

  // Direct access to the premultiplied words of row y (0 = top). Reading
  // flushes Cairo's pending drawing; after writing, call MarkDirty.
  uint32_t* Row(int y);
  const uint32_t* Row(int y) const;
  void MarkDirty();

  // Straight colour of one pixel; transparent black outside the raster.
  Rgba Pixel(int x, int y) const;

 private:
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace pictavo::gfx
