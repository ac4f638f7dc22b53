#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pictavo {

// The keyword lists of option values and of the settings echo.
enum class KeywordList {
  DdsLoad,
  RawLoad,
  FrameLoading,
  ToneMapping,
  Compression,
  ColorTable,
  ColorMode,
  Chroma,
  JpegSave,
  RotationType,
  Unit,
  ResizeType,
  ResizeAlgorithm,
  Dither,
  FrameType,
  WatermarkType,
  FontStyle,
  FontEffect,
  Alignment,
  Boundary,
  Position,
  Size,
  Timestamp,
};

// The number of a word: blanks trimmed, case ignored; 0 when no keyword matches.
int32_t KeywordValue(KeywordList list, std::string_view word);

// The lower-case keyword of a number, or "" when it has none. For the
// compression list, `format` ("bmp", "exr", "png", "tga", "tiff") picks that
// format's keywords; other lists ignore it.
std::string KeywordOf(KeywordList list, int32_t value, std::string_view format = {});

}  // namespace pictavo
