#include "pipeline/output_depth.h"

#include <charconv>

#include "formats/format_tables.h"
#include "pipeline/bitmap_convert.h"

namespace pictavo {
namespace {

// The permitted depths of an output format key; empty for a key without a
// row.
std::string_view PermittedDepthsOf(std::string_view key) {
  for (const OutputFormatRow& row : BuiltInOutputFormats())
    if (row.key == key) return row.depths;
  return {};
}

}  // namespace

int ChooseAutoDepthFrom(std::string_view depths, int loaded_bpp) {
  int last = 0;
  while (!depths.empty()) {
    const size_t comma = depths.find(',');
    const std::string_view entry = depths.substr(0, comma);
    int value = 0;
    std::from_chars(entry.data(), entry.data() + entry.size(), value);
    if (value >= loaded_bpp) return value;
    last = value;
    if (comma == std::string_view::npos) break;
    depths.remove_prefix(comma + 1);
  }
  return last;
}

int ChooseAutoDepth(std::string_view format_key, int loaded_bpp) {
  return ChooseAutoDepthFrom(PermittedDepthsOf(format_key), loaded_bpp);
}

Bitmap ConvertToOutputDepth(Bitmap image, std::string_view format_key, int target_bpp) {
  if (!image) return image;
  // Bit counts only: a 32-bit CMYK image counts as 32 bits already.
  if (static_cast<int>(image.Bpp()) == target_bpp) return image;

  auto convert = [&](auto function) { return ConvertWith(std::move(image), function); };
  switch (target_bpp) {
    case 96:
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertToRGBF(dib); });
    case 48:
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertToRGB16(dib); });
    case 32:
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo32Bits(dib); });
    case 24:
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo24Bits(dib); });
    case 16: {
      if (image.Bpp() > 32)
        image = convert([](FIBITMAP* dib) { return FreeImage_ConvertTo24Bits(dib); });
      if (format_key == "ico" || format_key == "tga")
        return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo16Bits555(dib); });
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo16Bits565(dib); });
    }
    case 8: {
      // The JPEG family takes greyscale: from 24 or 32 bits this gives grey.
      if (format_key == "j2k" || format_key == "jp2" || format_key == "jpg" || format_key == "jxr")
        return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo8Bits(dib); });
      if (image.Bpp() != 24)
        image = convert([](FIBITMAP* dib) { return FreeImage_ConvertTo24Bits(dib); });
      return convert([](FIBITMAP* dib) {
        return FreeImage_ColorQuantizeEx(dib, FIQ_WUQUANT, 256, 0, nullptr);
      });
    }
    case 4:
      return convert([](FIBITMAP* dib) { return FreeImage_ConvertTo4Bits(dib); });
    case 1:
      return convert([](FIBITMAP* dib) { return FreeImage_Dither(dib, FID_FS); });
    default:
      return Bitmap();
  }
}

}  // namespace pictavo
