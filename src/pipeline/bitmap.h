#pragma once

#include <FreeImage.h>

#include <utility>

namespace pictavo {

// Owns one FreeImage bitmap. Copying is not allowed; moving hands the bitmap
// on and empties the source; destruction unloads it. An empty Bitmap stands
// for "no image": every pipeline step passes it through unchanged and the
// save fails on it.
class Bitmap {
 public:
  Bitmap() = default;
  explicit Bitmap(FIBITMAP* dib) : dib_(dib) {}
  ~Bitmap() { Reset(); }

  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  Bitmap(Bitmap&& other) noexcept : dib_(std::exchange(other.dib_, nullptr)) {}
  Bitmap& operator=(Bitmap&& other) noexcept {
    if (this != &other) {
      Reset();
      dib_ = std::exchange(other.dib_, nullptr);
    }
    return *this;
  }

  FIBITMAP* get() const { return dib_; }
  explicit operator bool() const { return dib_ != nullptr; }

  // Gives up ownership without unloading.
  FIBITMAP* release() { return std::exchange(dib_, nullptr); }

  void Reset(FIBITMAP* dib = nullptr) {
    if (dib_ != nullptr && dib_ != dib) FreeImage_Unload(dib_);
    dib_ = dib;
  }

  unsigned Width() const { return dib_ ? FreeImage_GetWidth(dib_) : 0; }
  unsigned Height() const { return dib_ ? FreeImage_GetHeight(dib_) : 0; }
  unsigned Bpp() const { return dib_ ? FreeImage_GetBPP(dib_) : 0; }

 private:
  FIBITMAP* dib_ = nullptr;
};

}  // namespace pictavo
