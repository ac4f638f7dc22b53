// Checks the fixture writer against FreeImage's own PSD reader: every
// document the writer makes must decode to the pixels it was given.
//
// What FreeImage 3.18 does with the composite image (observed here):
// - It decodes only the merged composite; the layer-and-mask section is
//   skipped whole (a layer with other pixels does not show). Large documents
//   (version 2, 8-byte lengths, 4-byte RLE row counts) decode the same way.
// - Bitmap mode (depth 1) gives a 1-bit palettised bitmap with entry 0 white
//   and entry 1 black (a set bit is black).
// - Greyscale and duotone: 8 bits give an 8-bit greyscale palette, 16 bits
//   FIT_UINT16, 32 bits FIT_FLOAT. An extra alpha channel is dropped.
// - Indexed: an 8-bit palettised bitmap. The 768-byte palette is used only
//   when the indexed-colour-count resource (1046) is present; without it
//   FreeImage falls back to a grey palette.
// - RGB: 24 or 32 bits (with alpha), FIT_RGB16 / FIT_RGBA16 at 16 bits,
//   FIT_RGBF / FIT_RGBAF at 32 bits; values as stored.
// - CMYK is converted to RGB (R = stored C * stored K / full scale, the stored
//   values being inverted ink); an alpha channel becomes fully opaque. With
//   PSD_CMYK the inks are kept (32-bit bitmap, or RGBA16, C M Y K in channel
//   order). At 32 bits nothing is converted: the stored C, M, Y come out as
//   R, G, B, which is a wrong picture.
// - Lab is converted to sRGB; with PSD_LAB the stored L, a, b are kept. At
//   32 bits nothing is converted (the stored L, a, b come out as R, G, B).
// - Multichannel with three channels comes out as the stored values, like RGB.
// - RLE at 32 bits is refused ("Unsupported RLE with depth 32"): the load
//   returns no bitmap. Raw 32-bit data decodes.
// - Depth 1 outside bitmap mode gives odd bitmaps (8 bits for RGB, 4 bits
//   for CMYK); 16-bit indexed gives FIT_UINT16 without palette.
// - Thumbnail resources (JPEG or raw) that agree with themselves are read
//   and do not disturb the composite.

#include "support/psd_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/pixel_probe.h"
#include "support/psd_decode.h"

namespace pictavo::test_support {
namespace {

// Stored value fractions per quadrant and channel (five channels at most:
// CMYK plus alpha). Lab gets near-neutral chroma so that no colour clips.
const std::vector<std::vector<double>> kFractions = {{0.2, 0.4, 0.6, 0.8, 0.5},
                                                     {1.0, 0.0, 0.5, 0.0, 1.0},
                                                     {0.0, 1.0, 0.25, 1.0, 0.0},
                                                     {0.6, 0.6, 0.6, 0.6, 1.0}};
const std::vector<std::vector<double>> kLabFractions = {
    {0.2, 0.4, 0.6, 0.5}, {1.0, 0.5, 0.5, 1.0}, {0.0, 0.5, 0.5, 0.0}, {0.6, 0.55, 0.45, 1.0}};

std::vector<double> Stored(const PsdSpec& spec, int quadrant) {
  const auto& f = spec.mode == PsdMode::kLab ? kLabFractions[quadrant] : kFractions[quadrant];
  std::vector<double> v;
  for (size_t c = 0; c < f.size(); ++c) {
    double s = f[c] * MaxSample(spec.depth);
    if (spec.depth != 32) s = std::round(s);
    v.push_back(s);
  }
  return v;
}

// Lab (L 0..100, a and b -128..127) to 8-bit sRGB under D65.
std::vector<double> LabToSrgb(double l, double a, double b) {
  auto finv = [](double t) {
    return t > 6.0 / 29 ? t * t * t : 3 * (6.0 / 29) * (6.0 / 29) * (t - 4.0 / 29);
  };
  const double fy = (l + 16) / 116;
  const double x = 0.95047 * finv(fy + a / 500), y = finv(fy), z = 1.08883 * finv(fy - b / 200);
  const double lin[3] = {3.2406 * x - 1.5372 * y - 0.4986 * z,
                         -0.9689 * x + 1.8758 * y + 0.0415 * z,
                         0.0557 * x - 0.2040 * y + 1.0570 * z};
  std::vector<double> out;
  for (double c : lin) {
    c = std::clamp(c, 0.0, 1.0);
    c = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    out.push_back(255 * c);
  }
  return out;
}

// What FreeImage gives for one quadrant's stored values, in the units of the
// decoded bitmap (see the list at the top).
std::vector<double> Expected(const PsdSpec& spec, int flags, const std::vector<double>& s) {
  const double max = MaxSample(spec.depth);
  const bool float_data = spec.depth == 32;
  switch (spec.mode) {
    case PsdMode::kBitmap:
      return s[0] != 0 ? std::vector<double>{0, 0, 0} : std::vector<double>{255, 255, 255};
    case PsdMode::kGreyscale:
    case PsdMode::kIndexed:  // grey palette
    case PsdMode::kDuotone:
      if (spec.depth == 8) return {s[0], s[0], s[0]};
      return {s[0]};
    case PsdMode::kRgb:
    case PsdMode::kMultichannel: {
      std::vector<double> v(s.begin(), s.begin() + 3);
      if (spec.alpha) v.push_back(s[3]);
      return v;
    }
    case PsdMode::kCmyk: {
      if (float_data) {
        std::vector<double> v(s.begin(), s.begin() + (spec.alpha ? 4 : 3));
        return v;
      }
      if (flags == PSD_CMYK) {
        // Inks in byte order C, M, Y, K; at 8 bits the probe reads those bytes
        // as blue, green, red, alpha.
        if (spec.depth == 8) return {max - s[2], max - s[1], max - s[0], max - s[3]};
        return {max - s[0], max - s[1], max - s[2], max - s[3]};
      }
      std::vector<double> v = {s[0] * s[3] / max, s[1] * s[3] / max, s[2] * s[3] / max};
      if (spec.alpha) v.push_back(max);
      return v;
    }
    case PsdMode::kLab: {
      if (float_data || flags == PSD_LAB) {
        // Kept L, a, b are in byte order at 8 bits: the probe reads b as red.
        std::vector<double> v(s.begin(), s.begin() + 3);
        if (spec.depth == 8) std::swap(v[0], v[2]);
        if (spec.alpha) v.push_back(s[3]);
        return v;
      }
      const double scale = max / 255;
      std::vector<double> v = LabToSrgb(s[0] / max * 100, s[1] / scale - 128, s[2] / scale - 128);
      for (double& c : v) c *= scale;
      if (spec.alpha) v.push_back(s[3]);
      return v;
    }
  }
  return {};
}

struct DecodeCase {
  PsdMode mode;
  uint16_t depth;
  bool alpha;
  PsdCompression compression;
  int flags;
};

std::string CaseName(const DecodeCase& c) {
  static const char* kModes[] = {"Bitmap", "Grey", "Indexed",      "Rgb",     "Cmyk",
                                 "",       "",     "Multichannel", "Duotone", "Lab"};
  std::string name = std::string(kModes[static_cast<int>(c.mode)]) + std::to_string(c.depth);
  if (c.alpha) name += "Alpha";
  name += c.compression == PsdCompression::kRle ? "Rle" : "Raw";
  if (c.flags == PSD_CMYK) name += "KeepCmyk";
  if (c.flags == PSD_LAB) name += "KeepLab";
  return name;
}

// Every combination of mode, depth, alpha and compression the writer offers,
// less 32-bit RLE (FreeImage refuses it, tested below).
std::vector<DecodeCase> AllDecodeCases() {
  struct ModeDepths {
    PsdMode mode;
    std::vector<uint16_t> depths;
  };
  const ModeDepths modes[] = {{PsdMode::kBitmap, {1}},       {PsdMode::kGreyscale, {8, 16, 32}},
                              {PsdMode::kIndexed, {8}},      {PsdMode::kRgb, {8, 16, 32}},
                              {PsdMode::kCmyk, {8, 16, 32}}, {PsdMode::kLab, {8, 16, 32}},
                              {PsdMode::kDuotone, {8, 16}},  {PsdMode::kMultichannel, {8, 16}}};
  std::vector<DecodeCase> cases;
  for (const auto& m : modes) {
    for (uint16_t depth : m.depths) {
      for (bool alpha : {false, true}) {
        if (alpha && (m.mode == PsdMode::kBitmap || m.mode == PsdMode::kMultichannel)) continue;
        for (auto comp : {PsdCompression::kRaw, PsdCompression::kRle}) {
          if (comp == PsdCompression::kRle && depth == 32) continue;
          cases.push_back({m.mode, depth, alpha, comp, 0});
          if (m.mode == PsdMode::kCmyk && depth != 32)
            cases.push_back({m.mode, depth, alpha, comp, PSD_CMYK});
          if (m.mode == PsdMode::kLab) cases.push_back({m.mode, depth, alpha, comp, PSD_LAB});
        }
      }
    }
  }
  return cases;
}

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << CaseName(c);
}

class PsdWriterDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(PsdWriterDecodeTest, FreeImageDecodesTheQuadrantsWritten) {
  const DecodeCase& c = GetParam();
  PsdSpec spec;
  spec.width = 10;  // odd half widths and a partial last byte at depth 1
  spec.height = 6;
  spec.mode = c.mode;
  spec.depth = c.depth;
  spec.alpha = c.alpha;
  spec.compression = c.compression;
  spec.with_layer = true;
  const std::vector<double> q[4] = {Stored(spec, 0), Stored(spec, 1), Stored(spec, 2),
                                    Stored(spec, 3)};
  std::vector<uint8_t> bytes;
  if (c.mode == PsdMode::kBitmap) {
    bytes = WritePsd(spec, QuadrantPixels(spec, {1}, {0}, {0}, {1}));
  } else {
    bytes = WritePsd(spec, QuadrantPixels(spec, q[0], q[1], q[2], q[3]));
  }

  Bitmap image = DecodePsd(bytes, c.flags);
  ASSERT_TRUE(image);
  EXPECT_EQ(image.Width(), 10u);
  EXPECT_EQ(image.Height(), 6u);

  const double tolerance = c.mode == PsdMode::kLab && c.depth != 32 && c.flags == 0
                               ? 3 * MaxSample(c.depth) / 255
                           : c.mode == PsdMode::kCmyk ? MaxSample(c.depth) / 255
                                                      : 1e-6;
  const unsigned probes[4][2] = {{1, 1}, {8, 0}, {0, 5}, {9, 4}};
  for (int i = 0; i < 4; ++i) {
    std::vector<double> stored = q[i];
    if (c.mode == PsdMode::kBitmap) stored = {i == 0 || i == 3 ? 1.0 : 0.0};
    const std::vector<double> want = Expected(spec, c.flags, stored);
    const std::vector<double> got = ProbePixel(image.get(), probes[i][0], probes[i][1]);
    ASSERT_EQ(got.size(), want.size()) << "quadrant " << i;
    for (size_t k = 0; k < want.size(); ++k)
      EXPECT_NEAR(got[k], want[k], tolerance) << "quadrant " << i << " channel " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryModeDepthAndCompression, PsdWriterDecodeTest,
                         ::testing::ValuesIn(AllDecodeCases()),
                         [](const auto& info) { return CaseName(info.param); });

TEST(PsdWriterTest, LayeredDocumentDecodesToTheCompositeNotTheLayer) {
  PsdSpec spec;
  spec.with_layer = true;
  Bitmap image =
      DecodePsd(WritePsd(spec, SolidPixels({10, 20, 30}), nullptr, SolidPixels({240, 240, 240})));
  ASSERT_TRUE(image);
  EXPECT_EQ(ProbePixel(image.get(), 2, 2), (std::vector<double>{10, 20, 30}));
}

TEST(PsdWriterTest, LargeDocumentFormatDecodesRawAndRle) {
  for (auto comp : {PsdCompression::kRaw, PsdCompression::kRle}) {
    PsdSpec spec;
    spec.version = 2;
    spec.with_layer = true;
    spec.compression = comp;
    Bitmap image = DecodePsd(WritePsd(spec, SolidPixels({10, 20, 30})));
    ASSERT_TRUE(image);
    EXPECT_EQ(ProbePixel(image.get(), 3, 3), (std::vector<double>{10, 20, 30}));
  }
}

TEST(PsdWriterTest, IndexedDocumentUsesItsPaletteWhenTheColourCountIsGiven) {
  PsdSpec spec;
  spec.mode = PsdMode::kIndexed;
  spec.palette.assign(768, 0);
  spec.palette[200] = 11;        // red of entry 200
  spec.palette[256 + 200] = 22;  // green
  spec.palette[512 + 200] = 33;  // blue
  Bitmap with_count = DecodePsd(WritePsd(spec, SolidPixels({200})));
  ASSERT_TRUE(with_count);
  EXPECT_EQ(ProbePixel(with_count.get(), 0, 0), (std::vector<double>{11, 22, 33}));

  spec.with_resources = false;  // no colour-count resource: FreeImage uses a grey palette
  Bitmap without = DecodePsd(WritePsd(spec, SolidPixels({200})));
  ASSERT_TRUE(without);
  EXPECT_EQ(ProbePixel(without.get(), 0, 0), (std::vector<double>{200, 200, 200}));
}

TEST(PsdWriterTest, RleRowsWithLongRunsAndLongLiteralsDecode) {
  // Runs and literal spans longer than one PackBits packet (128 bytes).
  PsdSpec spec;
  spec.width = 700;
  spec.height = 2;
  spec.mode = PsdMode::kGreyscale;
  spec.compression = PsdCompression::kRle;
  auto pixels = [](uint32_t x, uint32_t y, uint32_t) {
    return x < 300 ? double(y * 50) : double((x * 7) % 256);
  };
  Bitmap image = DecodePsd(WritePsd(spec, pixels));
  ASSERT_TRUE(image);
  for (uint32_t x : {0u, 129u, 299u, 300u, 431u, 699u}) {
    const double v = pixels(x, 1, 0);
    EXPECT_EQ(ProbePixel(image.get(), x, 1), (std::vector<double>{v, v, v})) << x;
  }
}

TEST(PsdWriterTest, GreyRampRunsFromBlackToWhite) {
  PsdSpec spec;
  spec.width = 256;
  spec.height = 1;
  spec.mode = PsdMode::kGreyscale;
  spec.depth = 16;
  Bitmap image = DecodePsd(WritePsd(spec, GreyRampPixels(spec)));
  ASSERT_TRUE(image);
  EXPECT_EQ(ProbePixel(image.get(), 0, 0), (std::vector<double>{0}));
  EXPECT_EQ(ProbePixel(image.get(), 255, 0), (std::vector<double>{65535}));
  EXPECT_EQ(ProbePixel(image.get(), 51, 0), (std::vector<double>{GreyRampValue(spec, 51)}));
  EXPECT_EQ(GreyRampValue(spec, 51), 13107);
}

TEST(PsdWriterTest, ThumbnailResourcesDoNotDisturbTheComposite) {
  for (auto thumb : {PsdThumbnail::kJpeg, PsdThumbnail::kRaw}) {
    PsdSpec spec;
    spec.thumbnail = thumb;
    PsdLayout layout;
    Bitmap image = DecodePsd(WritePsd(spec, SolidPixels({1, 2, 3}), &layout));
    ASSERT_TRUE(image);
    EXPECT_GT(layout.thumbnail_resource, 0u);
    EXPECT_EQ(ProbePixel(image.get(), 0, 0), (std::vector<double>{1, 2, 3}));
  }
}

TEST(PsdWriterTest, FreeImageRefusesRleAtThirtyTwoBits) {
  PsdSpec spec;
  spec.depth = 32;
  spec.compression = PsdCompression::kRle;
  EXPECT_FALSE(DecodePsd(WritePsd(spec, SolidPixels({0.5, 0.5, 0.5}))));
}

TEST(PsdWriterTest, LayoutPointsAtEverySection) {
  PsdSpec spec;
  spec.compression = PsdCompression::kRle;
  spec.with_layer = true;
  PsdLayout layout;
  const std::vector<uint8_t> bytes = WritePsd(spec, SolidPixels({1, 2, 3}), &layout);
  EXPECT_EQ(layout.colour_mode_data, 26u);
  EXPECT_EQ(layout.image_resources, 30u);
  EXPECT_LT(layout.image_resources, layout.layer_section);
  EXPECT_LT(layout.layer_section, layout.image_data);
  EXPECT_EQ(layout.row_counts, layout.image_data + 2);
  EXPECT_EQ(layout.first_row, layout.row_counts + 3 * 4 * 2);
  EXPECT_EQ(layout.end, bytes.size());
  EXPECT_EQ(bytes[layout.image_data + 1], 1);  // RLE
}

}  // namespace
}  // namespace pictavo::test_support
