#include "formats/format_settings.h"

#include <FreeImage.h>

namespace pictavo {
namespace {

constexpr DepthSettingRow kDepthSettings[] = {
    {"bmp", &Settings::BMPBPP},   {"dds", &Settings::DDSBPP},   {"exr", &Settings::EXRBPP},
    {"gif", &Settings::GIFBPP},   {"hdr", &Settings::HDRBPP},   {"ico", &Settings::ICOBPP},
    {"j2k", &Settings::J2KBPP},   {"jng", &Settings::JNGBPP},   {"jp2", &Settings::JP2BPP},
    {"jpg", &Settings::JPGBPP},   {"jxr", &Settings::JXRBPP},   {"pbm", &Settings::PBMBPP},
    {"pcx", &Settings::PCXBPP},   {"pfm", &Settings::PFMBPP},   {"pgm", &Settings::PGMBPP},
    {"png", &Settings::PNGBPP},   {"ppm", &Settings::PPMBPP},   {"psd", &Settings::PSDBPP},
    {"tga", &Settings::TGABPP},   {"tiff", &Settings::TIFFBPP}, {"wbmp", &Settings::WBMPBPP},
    {"webp", &Settings::WEBPBPP}, {"xpm", &Settings::XPMBPP},
};

// The flag of a single-choice setting: choices[value], nothing when the value
// is out of range.
template <size_t N>
int Choice(int32_t value, const int (&choices)[N]) {
  return value >= 0 && static_cast<size_t>(value) < N ? choices[value] : 0;
}

}  // namespace

std::span<const DepthSettingRow> DepthSettings() {
  return kDepthSettings;
}

int InputLoadFlags(std::string_view format_key, const Settings& s) {
  if (format_key == "psd") {
    static constexpr int kModes[] = {PSD_DEFAULT, PSD_CMYK, PSD_LAB};
    return Choice(s.PSDColorMode, kModes);
  }
  if (format_key == "raw") {
    switch (s.RAWLoadAs) {
      case 0:
        return RAW_PREVIEW;
      case 3:
        return RAW_DISPLAY;
      case 4:
        return RAW_HALFSIZE;
      default:  // 5 is RAW_DEFAULT, which is 0 as well
        return RAW_DEFAULT;
    }
  }
  return 0;
}

int DepthSettingOf(std::string_view key, const Settings& s) {
  for (const DepthSettingRow& row : kDepthSettings)
    if (row.key == key) return s.*row.depth;
  return 0;
}

int SaveFlagsFor(std::string_view key, const Settings& s) {
  if (key == "bmp") {
    static constexpr int kCompression[] = {0, BMP_SAVE_RLE};
    return Choice(s.BMPCompression, kCompression);
  }
  if (key == "exr") {
    static constexpr int kCompression[] = {EXR_NONE, EXR_ZIP, EXR_PIZ, EXR_PXR24, EXR_B44};
    return Choice(s.EXRCompression, kCompression);
  }
  if (key == "jpg") {
    static constexpr int kChroma[] = {JPEG_SUBSAMPLING_444, JPEG_SUBSAMPLING_422,
                                      JPEG_SUBSAMPLING_420, JPEG_SUBSAMPLING_411};
    static constexpr int kSaveAs[] = {0, JPEG_BASELINE, JPEG_OPTIMIZE, JPEG_PROGRESSIVE};
    return s.JPGQuality | Choice(s.JPGChroma, kChroma) | Choice(s.JPGSaveAs, kSaveAs);
  }
  if (key == "jxr") return JXR_LOSSLESS;
  if (key == "png") {
    static constexpr int kCompression[] = {PNG_Z_NO_COMPRESSION, PNG_Z_BEST_SPEED,
                                           PNG_Z_DEFAULT_COMPRESSION, PNG_Z_BEST_COMPRESSION};
    return Choice(s.PNGCompression, kCompression) | (s.PNGInterlaced ? PNG_INTERLACED : 0);
  }
  if (key == "tga") {
    static constexpr int kCompression[] = {0, TARGA_SAVE_RLE};
    return Choice(s.TGACompression, kCompression);
  }
  if (key == "tiff") {
    static constexpr int kCompression[] = {TIFF_NONE,     TIFF_CCITTFAX3, TIFF_CCITTFAX4,
                                           TIFF_PACKBITS, TIFF_DEFLATE,   TIFF_ADOBE_DEFLATE,
                                           TIFF_LZW,      TIFF_JPEG,      TIFF_LOGLUV};
    return Choice(s.TIFFCompression, kCompression) | (s.TIFFColorMode == 1 ? TIFF_CMYK : 0);
  }
  if (key == "webp") return s.WEBPQuality == 100 ? WEBP_LOSSLESS : s.WEBPQuality;
  return 0;
}

}  // namespace pictavo
