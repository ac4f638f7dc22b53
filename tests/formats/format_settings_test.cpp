#include "formats/format_settings.h"

#include <gtest/gtest.h>

#include <functional>

namespace pictavo {
namespace {

TEST(InputLoadFlagsTest, FollowThePsdAndRawSettings) {
  struct Case {
    const char* key;
    int32_t psd_color_mode;
    int32_t raw_load_as;
    int flags;
  };
  const Case cases[] = {
      {"psd", 0, 0, 0}, {"psd", 1, 0, 1}, {"psd", 2, 0, 2}, {"psd", 3, 0, 0}, {"psd", -1, 0, 0},
      {"raw", 0, 0, 1}, {"raw", 0, 3, 2}, {"raw", 0, 4, 4}, {"raw", 0, 5, 0}, {"raw", 0, 1, 0},
      {"raw", 0, 2, 0}, {"jpg", 1, 0, 0}, {"PSD", 1, 0, 0},  // keys compare exactly
  };
  for (const Case& c : cases) {
    Settings s;
    s.PSDColorMode = c.psd_color_mode;
    s.RAWLoadAs = c.raw_load_as;
    EXPECT_EQ(InputLoadFlags(c.key, s), c.flags)
        << c.key << " " << c.psd_color_mode << " " << c.raw_load_as;
  }
}

TEST(DepthSettingOfTest, ReadsTheKeysOwnSetting) {
  Settings s;
  s.BMPBPP = 1;
  s.DDSBPP = 2;
  s.JPGBPP = 24;
  s.PCXBPP = 4;
  s.PSDBPP = 5;
  s.TIFFBPP = 48;
  s.XPMBPP = 7;
  s.WEBPBPP = 32;
  const std::pair<const char*, int> cases[] = {
      {"bmp", 1}, {"dds", 2},   {"jpg", 24}, {"pcx", 4}, {"psd", 5}, {"tiff", 48},
      {"xpm", 7}, {"webp", 32}, {"png", 0},  {"raw", 0}, {"JPG", 0},
  };
  for (const auto& [key, value] : cases) EXPECT_EQ(DepthSettingOf(key, s), value) << key;
  EXPECT_EQ(DepthSettings().size(), 23u);
  EXPECT_EQ(DepthSettings().front().key, "bmp");
  EXPECT_EQ(DepthSettings().back().key, "xpm");
}

TEST(SaveFlagsForTest, ComeFromTheFormatsSettings) {
  struct Case {
    const char* name;
    const char* key;
    std::function<void(Settings&)> set;
    int flags;
  };
  const Case cases[] = {
      {"jpg 444 plain", "jpg",
       [](Settings& s) { s.JPGQuality = 95, s.JPGChroma = 0, s.JPGSaveAs = 0; }, 65631},
      {"jpg 420 progressive", "jpg",
       [](Settings& s) { s.JPGQuality = 95, s.JPGChroma = 2, s.JPGSaveAs = 3; }, 24671},
      {"jpg 422 baseline", "jpg",
       [](Settings& s) { s.JPGQuality = 50, s.JPGChroma = 1, s.JPGSaveAs = 1; },
       50 | 0x8000 | 0x40000},
      {"jpg 411 optimised", "jpg",
       [](Settings& s) { s.JPGQuality = 1, s.JPGChroma = 3, s.JPGSaveAs = 2; },
       1 | 0x1000 | 0x20000},
      {"jpg choices out of range", "jpg",
       [](Settings& s) { s.JPGQuality = 80, s.JPGChroma = 4, s.JPGSaveAs = -1; }, 80},
      {"webp lossless", "webp", [](Settings& s) { s.WEBPQuality = 100; }, 0x100},
      {"webp lossy", "webp", [](Settings& s) { s.WEBPQuality = 80; }, 80},
      {"png stored interlaced", "png",
       [](Settings& s) { s.PNGCompression = 0, s.PNGInterlaced = 1; }, 0x300},
      {"png best", "png", [](Settings& s) { s.PNGCompression = 3, s.PNGInterlaced = 0; }, 9},
      {"png out of range interlaced", "png",
       [](Settings& s) { s.PNGCompression = 7, s.PNGInterlaced = 1; }, 0x200},
      {"bmp rle", "bmp", [](Settings& s) { s.BMPCompression = 1; }, 1},
      {"bmp colour table only stored", "bmp", [](Settings& s) { s.BMPColorTable = 1; }, 0},
      {"tga rle", "tga", [](Settings& s) { s.TGACompression = 1; }, 2},
      {"tga out of range", "tga", [](Settings& s) { s.TGACompression = 2; }, 0},
      {"tiff none", "tiff", [](Settings& s) { s.TIFFCompression = 0; }, 0x800},
      {"tiff lzw cmyk", "tiff", [](Settings& s) { s.TIFFCompression = 6, s.TIFFColorMode = 1; },
       0x4001},
      {"tiff logluv", "tiff", [](Settings& s) { s.TIFFCompression = 8; }, 0x10000},
      {"tiff out of range cmyk", "tiff",
       [](Settings& s) { s.TIFFCompression = 9, s.TIFFColorMode = 1; }, 1},
      {"exr none", "exr", [](Settings& s) { s.EXRCompression = 0; }, 0x2},
      {"exr b44", "exr", [](Settings& s) { s.EXRCompression = 4; }, 0x20},
      {"jxr always lossless", "jxr", [](Settings&) {}, 100},
      {"gif has no options", "gif", [](Settings&) {}, 0},
      {"JPG is not jpg", "JPG", [](Settings&) {}, 0},
  };
  for (const Case& c : cases) {
    Settings s;
    c.set(s);
    EXPECT_EQ(SaveFlagsFor(c.key, s), c.flags) << c.name;
  }
}

}  // namespace
}  // namespace pictavo
