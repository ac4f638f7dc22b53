#include "gfx/raster.h"

#include <cstddef>

namespace pictavo::gfx {

uint32_t Premultiply(Rgba color) {
  auto scale = [&](uint8_t channel) -> uint32_t { return (channel * color.a + 127) / 255; };
  return (uint32_t{color.a} << 24) | (scale(color.r) << 16) | (scale(color.g) << 8) |
         scale(color.b);
}

Rgba Unpremultiply(uint32_t pixel) {
  uint32_t a = pixel >> 24;
  if (a == 0) return Rgba{};
  auto unscale = [&](uint32_t channel) -> uint8_t {
    uint32_t value = (channel * 255 + a / 2) / a;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
  };
  return Rgba{unscale((pixel >> 16) & 0xFF), unscale((pixel >> 8) & 0xFF), unscale(pixel & 0xFF),
              static_cast<uint8_t>(a)};
}

Raster::~Raster() {
  if (surface_ != nullptr) cairo_surface_destroy(surface_);
}

Raster& Raster::operator=(Raster&& other) noexcept {
  if (this != &other) {
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

Raster Raster::Create(int width, int height) {
  Raster raster;
  if (width <= 0 || height <= 0) return raster;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return raster;
  }
  // Cairo clears new image surfaces to transparent black.
  raster.surface_ = surface;
  return raster;
}

int Raster::Width() const {
  return surface_ ? cairo_image_surface_get_width(surface_) : 0;
}
int Raster::Height() const {
  return surface_ ? cairo_image_surface_get_height(surface_) : 0;
}

uint32_t* Raster::Row(int y) {
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  return reinterpret_cast<uint32_t*>(data + static_cast<std::size_t>(y) *
                                                cairo_image_surface_get_stride(surface_));
}

const uint32_t* Raster::Row(int y) const {
  return const_cast<Raster*>(this)->Row(y);
}

void Raster::MarkDirty() {
  if (surface_ != nullptr) cairo_surface_mark_dirty(surface_);
}

Rgba Raster::Pixel(int x, int y) const {
  if (surface_ == nullptr || x < 0 || y < 0 || x >= Width() || y >= Height()) return Rgba{};
  return Unpremultiply(Row(y)[x]);
}

}  // namespace pictavo::gfx
