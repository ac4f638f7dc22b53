// Writes the small sample documents of the demo into a folder:
//   pictavo_make_samples <folder>
// Each shows one kind of document the converter reads; all are tens of KB.

#include <cmath>
#include <cstdio>
#include <string>

#include "support/psd_writer.h"

using namespace pictavo::test_support;

namespace {

bool Write(const std::string& folder, const char* name, const PsdSpec& spec,
           const PsdPixelFn& pixels, const PsdPixelFn& layer = {}) {
  const std::string path = folder + "/" + name;
  const bool ok = WriteFile(path, WritePsd(spec, pixels, nullptr, layer));
  std::printf("%s %s\n", ok ? "wrote" : "could not write", path.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = true;

  // RGB, 8 bits, with a layer section: the composite is a colour field, the
  // layer is plain grey (only the composite is converted).
  PsdSpec rgb;
  rgb.width = 96;
  rgb.height = 64;
  rgb.with_layer = true;
  ok &= Write(
      folder, "rgb-8bit-layered.psd", rgb,
      [](uint32_t x, uint32_t y, uint32_t c) {
        const double v[3] = {x * 255.0 / 95, y * 255.0 / 63, 255 - x * 255.0 / 95};
        return v[c];
      },
      SolidPixels({128, 128, 128}));

  // Greyscale, 16 bits: a horizontal ramp from black to white.
  PsdSpec grey;
  grey.width = 128;
  grey.height = 32;
  grey.mode = PsdMode::kGreyscale;
  grey.depth = 16;
  ok &= Write(folder, "grey-16bit-ramp.psd", grey, GreyRampPixels(grey));

  // CMYK, 8 bits: cyan, magenta, yellow and black quadrants (stored values
  // are inverted ink: 0 is full ink).
  PsdSpec cmyk;
  cmyk.width = 64;
  cmyk.height = 64;
  cmyk.mode = PsdMode::kCmyk;
  ok &= Write(folder, "cmyk-8bit-quadrants.psd", cmyk,
              QuadrantPixels(cmyk, {0, 255, 255, 255}, {255, 0, 255, 255}, {255, 255, 0, 255},
                             {255, 255, 255, 0}));

  // RGB with an alpha channel: a red disc, opaque, on a white ground that the
  // alpha channel makes transparent.
  PsdSpec rgba;
  rgba.width = 64;
  rgba.height = 64;
  rgba.alpha = true;
  ok &= Write(folder, "rgb-8bit-alpha.psd", rgba, [](uint32_t x, uint32_t y, uint32_t c) {
    const bool inside = std::hypot(x - 31.5, y - 31.5) < 24;
    const double disc[4] = {220, 60, 40, 255}, ground[4] = {255, 255, 255, 0};
    return inside ? disc[c] : ground[c];
  });

  // RGB, 8 bits, RLE-compressed: horizontal bands compress well.
  PsdSpec rle;
  rle.width = 160;
  rle.height = 120;
  rle.compression = PsdCompression::kRle;
  ok &= Write(folder, "rgb-8bit-rle-bands.psd", rle, [](uint32_t, uint32_t y, uint32_t c) {
    static const double kBands[4][3] = {
        {230, 60, 50}, {250, 200, 40}, {60, 170, 90}, {50, 90, 200}};
    return kBands[(y / 30) % 4][c];
  });

  return ok ? 0 : 1;
}
