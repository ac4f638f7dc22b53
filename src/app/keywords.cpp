#include "app/keywords.h"

#include <span>

namespace pictavo {
namespace {

// One keyword of a list. `format` is set only in the compression list, where
// the same number means a different method for each output format; it is
// empty for "NONE", which every format shares.
struct Keyword {
  std::string_view word;
  int32_t value;
  std::string_view format = {};
};

constexpr Keyword kDdsLoad[] = {{"AUTO", 0}, {"BGRA", 1}, {"RGBA", 2}};
constexpr Keyword kRawLoad[] = {{"AUTO", 0}, {"8", 1},    {"16", 2},
                                {"24", 3},   {"48HS", 4}, {"48", 5}};
constexpr Keyword kFrameLoading[] = {
    {"ALL", 0}, {"FIRST", 1}, {"MIDDLE", 2}, {"LAST", 3}, {"RANDOM", 4}};
constexpr Keyword kToneMapping[] = {{"NONE", 0}, {"LINEAR", 1}, {"AL", 2}, {"DRR", 3}, {"GD", 4}};
constexpr Keyword kCompression[] = {
    {"NONE", 0},
    {"RLE", 1, "bmp"},
    {"RLE", 1, "tga"},
    {"ZIP", 1, "exr"},
    {"PIZ", 2, "exr"},
    {"PXR24", 3, "exr"},
    {"B44", 4, "exr"},
    {"ZLIB1", 1, "png"},
    {"ZLIB6", 2, "png"},
    {"ZLIB9", 3, "png"},
    {"CCITTFAX3", 1, "tiff"},
    {"CCITTFAX4", 2, "tiff"},
    {"PACKBITS", 3, "tiff"},
    {"DEFLATE", 4, "tiff"},
    {"ADOBEDEFLATE", 5, "tiff"},
    {"LZW", 6, "tiff"},
    {"JPEG", 7, "tiff"},
    {"LOGLUV", 8, "tiff"},
};
constexpr Keyword kColorTable[] = {{"AUTO", 0}, {"EXACT", 1}};
constexpr Keyword kColorMode[] = {{"RGB", 0}, {"CMYK", 1}, {"LAB", 2}};
constexpr Keyword kChroma[] = {{"NONE", 0}, {"LOW", 1}, {"MEDIUM", 2}, {"HIGH", 3}};
constexpr Keyword kJpegSave[] = {
    {"STANDARD", 0}, {"SIMPLE", 1}, {"OPTIMIZED", 2}, {"PROGRESSIVE", 3}};
constexpr Keyword kRotationType[] = {{"SIMPLE", 0}, {"ADVANCED", 1}};
constexpr Keyword kUnit[] = {{"PIXELS", 0}, {"PERCENT", 1}};
constexpr Keyword kResizeType[] = {{"ALLIMAGES", 0}, {"LARGEIMAGES", 1}};
constexpr Keyword kResizeAlgorithm[] = {{"BOX", 0},     {"BILINEAR", 1},   {"BSPLINE", 2},
                                        {"BICUBIC", 3}, {"CATMULLROM", 4}, {"LANCZOS", 5}};
constexpr Keyword kDither[] = {{"FS", 0},       {"BAYER4", 1},   {"BAYER8", 2},   {"BAYER16", 3},
                               {"CLUSTER6", 4}, {"CLUSTER8", 5}, {"CLUSTER16", 6}};
constexpr Keyword kFrameType[] = {{"NONE", 0}, {"SOLID", 1}};
constexpr Keyword kWatermarkType[] = {{"NONE", 0}, {"TEXT", 1}, {"IMAGE", 2}};
constexpr Keyword kFontStyle[] = {{"REGULAR", 0}, {"BOLD", 1}, {"ITALIC", 2}, {"BOLDITALIC", 3}};
constexpr Keyword kFontEffect[] = {{"NONE", 0}, {"UNDERLINE", 1}, {"STRIKETHROUGHT", 2}};
constexpr Keyword kAlignment[] = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
constexpr Keyword kBoundary[] = {{"IMAGE", 0}, {"FRAME", 1}};
constexpr Keyword kPosition[] = {
    {"TOPLEFT", 0},    {"TOPCENTER", 1},    {"TOPRIGHT", 2},
    {"MIDDLELEFT", 3}, {"MIDDLECENTER", 4}, {"MIDDLERIGHT", 5},
    {"BOTTOMLEFT", 6}, {"BOTTOMCENTER", 7}, {"BOTTOMRIGHT", 8},
};
constexpr Keyword kSize[] = {{"FIXED", 0}};
constexpr Keyword kTimestamp[] = {{"CURRENT", 0}, {"ORIGINAL", 1}, {"CUSTOM", 2}};

std::span<const Keyword> ListOf(KeywordList list) {
  switch (list) {
    case KeywordList::DdsLoad:
      return kDdsLoad;
    case KeywordList::RawLoad:
      return kRawLoad;
    case KeywordList::FrameLoading:
      return kFrameLoading;
    case KeywordList::ToneMapping:
      return kToneMapping;
    case KeywordList::Compression:
      return kCompression;
    case KeywordList::ColorTable:
      return kColorTable;
    case KeywordList::ColorMode:
      return kColorMode;
    case KeywordList::Chroma:
      return kChroma;
    case KeywordList::JpegSave:
      return kJpegSave;
    case KeywordList::RotationType:
      return kRotationType;
    case KeywordList::Unit:
      return kUnit;
    case KeywordList::ResizeType:
      return kResizeType;
    case KeywordList::ResizeAlgorithm:
      return kResizeAlgorithm;
    case KeywordList::Dither:
      return kDither;
    case KeywordList::FrameType:
      return kFrameType;
    case KeywordList::WatermarkType:
      return kWatermarkType;
    case KeywordList::FontStyle:
      return kFontStyle;
    case KeywordList::FontEffect:
      return kFontEffect;
    case KeywordList::Alignment:
      return kAlignment;
    case KeywordList::Boundary:
      return kBoundary;
    case KeywordList::Position:
      return kPosition;
    case KeywordList::Size:
      return kSize;
    case KeywordList::Timestamp:
      return kTimestamp;
  }
  return {};
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

}  // namespace

int32_t KeywordValue(KeywordList list, std::string_view word) {
  const std::string_view trimmed = TrimBlanks(word);
  // Words are read against the whole list; for compression that means a
  // keyword of another format still gives its own number.
  for (const Keyword& keyword : ListOf(list)) {
    if (EqualsIgnoringCase(keyword.word, trimmed)) return keyword.value;
  }
  return 0;
}

std::string KeywordOf(KeywordList list, int32_t value, std::string_view format) {
  const bool per_format = list == KeywordList::Compression;
  for (const Keyword& keyword : ListOf(list)) {
    if (keyword.value != value) continue;
    if (per_format && !keyword.format.empty() && !EqualsIgnoringCase(keyword.format, format)) {
      continue;
    }
    std::string lower(keyword.word);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
  }
  return {};
}

}  // namespace pictavo
