#pragma once

// Documents with four coloured quadrants, and the check of a JPEG made from
// one, shared by the driver's tests and the end-to-end runs.

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/pixel_probe.h"
#include "support/psd_writer.h"

namespace pictavo::testing {

// Red, green, blue and white quadrants (top-left, top-right, bottom-left,
// bottom-right).
inline bool WriteQuadrantPsd(const std::string& path, uint32_t width = 16, uint32_t height = 16) {
  test_support::PsdSpec spec;
  spec.width = width;
  spec.height = height;
  spec.with_layer = true;
  return test_support::WritePsdFile(
      path, spec,
      test_support::QuadrantPixels(spec, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}));
}

// A real JPEG file, for inputs that only pretend to be documents.
inline bool WriteJpeg(const std::string& path) {
  FIBITMAP* dib = FreeImage_Allocate(8, 8, 24);
  if (dib == nullptr) return false;
  bool saved = FreeImage_Save(FIF_JPEG, dib, path.c_str(), 0);
  FreeImage_Unload(dib);
  return saved;
}

// JPEG keeps flat areas close; this allows for its rounding near edges.
constexpr double kJpegTolerance = 24;

inline void ExpectPixelNear(FIBITMAP* dib, unsigned x, unsigned y, std::vector<double> expected,
                            const std::string& where) {
  std::vector<double> pixel = test_support::ProbePixel(dib, x, y);
  ASSERT_GE(pixel.size(), 3u) << where;
  for (size_t c = 0; c < 3; ++c) {
    EXPECT_NEAR(pixel[c], expected[c], kJpegTolerance)
        << where << " channel " << c << " at " << x << "," << y;
  }
}

// Decodes the JPEG at `path` and probes the middle of each quadrant.
inline void ExpectQuadrantJpeg(const std::string& path, unsigned width = 16, unsigned height = 16) {
  FIBITMAP* dib = FreeImage_Load(FIF_JPEG, path.c_str(), 0);
  ASSERT_NE(dib, nullptr) << path << " is not a readable JPEG";
  EXPECT_EQ(FreeImage_GetWidth(dib), width) << path;
  EXPECT_EQ(FreeImage_GetHeight(dib), height) << path;
  const unsigned left = width / 4, right = width * 3 / 4, top = height / 4, bottom = height * 3 / 4;
  ExpectPixelNear(dib, left, top, {255, 0, 0}, path);
  ExpectPixelNear(dib, right, top, {0, 255, 0}, path);
  ExpectPixelNear(dib, left, bottom, {0, 0, 255}, path);
  ExpectPixelNear(dib, right, bottom, {255, 255, 255}, path);
  FreeImage_Unload(dib);
}

}  // namespace pictavo::testing
