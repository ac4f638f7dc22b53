#include "formats/format_tables.h"

#include <FreeImage.h>

#include <algorithm>
#include <charconv>

namespace pictavo {
namespace {

// Every format the engine can write, in the order of entry.
constexpr OutputFormatRow kOutputFormats[] = {
    {"bmp", FIF_BMP, "bmp", "Windows or OS/2 Bitmap", "1,4,8,16,24,32"},
    {"exr", FIF_EXR, "exr", "ILM OpenEXR", "96"},
    {"gif", FIF_GIF, "gif", "Graphics Interchange Format", "8"},
    {"hdr", FIF_HDR, "hdr", "High Dynamic Range Image", "96"},
    {"ico", FIF_ICO, "ico", "Windows Icon", "1,4,8,16,24,32"},
    {"j2k", FIF_J2K, "j2k", "JPEG-2000 Codestream", "8,24,32,48"},
    {"jng", FIF_JNG, "jng", "JPEG Network Graphics", "24,32"},
    {"jp2", FIF_JP2, "jp2", "JPEG-2000 File Format", "8,24,32,48"},
    {"jpg", FIF_JPEG, "jpg", "JPEG File Format", "8,24"},
    {"jxr", FIF_JXR, "jxr", "JPEG XR Image Format", "1,8,16,24,32,48,96"},
    {"pbm", FIF_PBM, "pbm", "Portable Bitmap", "1"},
    {"pfm", FIF_PFM, "pfm", "Portable Floatmap", "96"},
    {"pgm", FIF_PGM, "pgm", "Portable Greymap", "8"},
    {"png", FIF_PNG, "png", "Portable Network Graphics", "1,4,8,24,32,48"},
    {"ppm", FIF_PPM, "ppm", "Portable Pixelmap", "24,48"},
    {"tga", FIF_TARGA, "tga", "Truevision Targa", "8,16,24,32"},
    {"tiff", FIF_TIFF, "tiff", "Tagged Image File Format", "1,4,8,24,32,48,96"},
    {"wbmp", FIF_WBMP, "wbmp", "Wireless Bitmap", "1"},
    {"webp", FIF_WEBP, "webp", "Google WebP Image Format", "24,32"},
    {"xpm", FIF_XPM, "xpm", "X11 Pixmap Format", "24"},
};

}  // namespace

std::span<const OutputFormatRow> BuiltInOutputFormats() {
  return kOutputFormats;
}

const OutputFormatRow* FindOutputFormat(const FormatTables& formats, std::string_view key) {
  for (const OutputFormatRow& row : formats.OutputFormatTable)
    if (row.key == key) return &row;
  return nullptr;
}

bool IsEnabledOutputFormat(const FormatTables& formats, std::string_view key) {
  const auto& list = formats.EnabledOutputFormats;
  return std::find(list.begin(), list.end(), key) != list.end();
}

bool IsPermittedDepth(const FormatTables& formats, std::string_view key, int bpp) {
  if (bpp == 0) return true;
  const OutputFormatRow* row = FindOutputFormat(formats, key);
  if (row == nullptr) return false;
  std::string_view rest = row->depths;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    const std::string_view field = rest.substr(0, comma);
    int value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error == std::errc() && end == field.data() + field.size() && value == bpp) return true;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace pictavo
