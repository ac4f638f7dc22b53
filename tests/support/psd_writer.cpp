#include "support/psd_writer.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace pictavo::test_support {
namespace {

// Big-endian byte sink with back-patching of length fields.
class ByteSink {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v >> 8));
    U8(static_cast<uint8_t>(v));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v >> 16));
    U16(static_cast<uint16_t>(v));
  }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v >> 32));
    U32(static_cast<uint32_t>(v));
  }
  // A length field of the large format's width where it has one.
  void Length(uint64_t v, bool wide) { wide ? U64(v) : U32(static_cast<uint32_t>(v)); }
  void Text(const char* s) {
    while (*s) U8(static_cast<uint8_t>(*s++));
  }
  void Bytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void PadTo(size_t multiple) {
    while (bytes_.size() % multiple != 0) U8(0);
  }
  void Patch(size_t at, uint64_t v, bool wide) {
    const int n = wide ? 8 : 4;
    for (int i = 0; i < n; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * (n - 1 - i)));
  }
  void Patch16(size_t at, uint16_t v) {
    bytes_[at] = static_cast<uint8_t>(v >> 8);
    bytes_[at + 1] = static_cast<uint8_t>(v);
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

// One channel row in the file's byte layout.
std::vector<uint8_t> EncodeRow(const PsdSpec& spec, const PsdPixelFn& pixels, uint32_t y,
                               uint32_t channel) {
  std::vector<uint8_t> row(RowBytes(spec), 0);
  for (uint32_t x = 0; x < spec.width; ++x) {
    const double v = pixels(x, y, channel);
    switch (spec.depth) {
      case 1:
        if (v != 0) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        break;
      case 8:
        row[x] = static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
        break;
      case 16: {
        const auto s = static_cast<uint16_t>(std::clamp(std::lround(v), 0L, 65535L));
        row[2 * x] = static_cast<uint8_t>(s >> 8);
        row[2 * x + 1] = static_cast<uint8_t>(s);
        break;
      }
      case 32: {
        const float f = static_cast<float>(v);
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        for (int i = 0; i < 4; ++i) row[4 * x + i] = static_cast<uint8_t>(bits >> (24 - 8 * i));
        break;
      }
      default:
        break;
    }
  }
  return row;
}

void WriteResource(ByteSink& out, uint16_t id, const std::vector<uint8_t>& data) {
  out.Text("8BIM");
  out.U16(id);
  out.U16(0);  // empty name, padded to an even length
  out.U32(static_cast<uint32_t>(data.size()));
  out.Bytes(data);
  out.PadTo(2);
}

std::vector<uint8_t> ResolutionInfo() {
  ByteSink r;
  r.U32(72u << 16);  // 72 dpi as 16.16 fixed point
  r.U16(1);
  r.U16(1);
  r.U32(72u << 16);
  r.U16(1);
  r.U16(1);
  return r.Take();
}

// The thumbnail block's data: the 28-byte header, then JPEG or raw rows.
std::vector<uint8_t> Thumbnail(PsdThumbnail kind) {
  constexpr uint32_t kW = 4, kH = 2;
  const uint32_t row_bytes = (kW * 24 + 31) / 32 * 4;
  std::vector<uint8_t> payload;
  if (kind == PsdThumbnail::kJpeg) {
    FIBITMAP* dib = FreeImage_Allocate(kW, kH, 24);
    for (uint32_t y = 0; y < kH; ++y) std::memset(FreeImage_GetScanLine(dib, y), 0x80, row_bytes);
    FIMEMORY* mem = FreeImage_OpenMemory();
    FreeImage_SaveToMemory(FIF_JPEG, dib, mem, JPEG_DEFAULT);
    BYTE* data = nullptr;
    DWORD size = 0;
    FreeImage_AcquireMemory(mem, &data, &size);
    payload.assign(data, data + size);
    FreeImage_CloseMemory(mem);
    FreeImage_Unload(dib);
  } else {
    payload.assign(static_cast<size_t>(row_bytes) * kH, 0x80);
  }
  ByteSink t;
  t.U32(kind == PsdThumbnail::kJpeg ? 1 : 0);  // kJpegRGB or kRawRGB
  t.U32(kW);
  t.U32(kH);
  t.U32(row_bytes);
  t.U32(row_bytes * kH);
  t.U32(static_cast<uint32_t>(payload.size()));
  t.U16(24);
  t.U16(1);
  t.Bytes(payload);
  return t.Take();
}

void WriteLayerSection(ByteSink& out, const PsdSpec& spec, const PsdPixelFn& pixels) {
  const bool wide = spec.version == 2;
  const uint32_t channels = ChannelCount(spec);
  const size_t section_at = out.Size();
  out.Length(0, wide);
  const size_t info_at = out.Size();
  out.Length(0, wide);
  out.U16(1);  // one layer

  // The record: bounds, channel list, blend mode, opacity, extra data, name.
  out.U32(0);
  out.U32(0);
  out.U32(spec.height);
  out.U32(spec.width);
  out.U16(static_cast<uint16_t>(channels));
  const uint64_t channel_bytes = 2 + RowBytes(spec) * spec.height;
  for (uint32_t c = 0; c < channels; ++c) {
    const bool is_alpha = spec.alpha && c == channels - 1;
    out.U16(is_alpha ? 0xFFFF : static_cast<uint16_t>(c));  // -1 is the transparency mask
    out.Length(channel_bytes, wide);
  }
  out.Text("8BIMnorm");
  out.U8(255);  // opacity
  out.U8(0);    // clipping
  out.U8(0);    // flags
  out.U8(0);    // filler
  out.U32(4 + 4 + 8);
  out.U32(0);  // no mask
  out.U32(0);  // no blending ranges
  out.U8(7);   // name "Layer 1", padded with its length byte to 8
  out.Text("Layer 1");

  for (uint32_t c = 0; c < channels; ++c) {
    out.U16(0);  // raw channel data
    for (uint32_t y = 0; y < spec.height; ++y) out.Bytes(EncodeRow(spec, pixels, y, c));
  }
  out.PadTo(2);
  out.Patch(info_at, out.Size() - info_at - (wide ? 8 : 4), wide);
  out.U32(0);  // no global layer mask
  out.Patch(section_at, out.Size() - section_at - (wide ? 8 : 4), wide);
}

}  // namespace

uint32_t ColourChannels(PsdMode mode) {
  switch (mode) {
    case PsdMode::kRgb:
    case PsdMode::kLab:
    case PsdMode::kMultichannel:
      return 3;
    case PsdMode::kCmyk:
      return 4;
    default:
      return 1;
  }
}

uint32_t ChannelCount(const PsdSpec& spec) {
  return ColourChannels(spec.mode) + (spec.alpha ? 1 : 0);
}

double MaxSample(uint16_t depth) {
  switch (depth) {
    case 1:
      return 1;
    case 8:
      return 255;
    case 16:
      return 65535;
    default:
      return 1.0;
  }
}

uint64_t RowBytes(const PsdSpec& spec) {
  return spec.depth == 1 ? (uint64_t{spec.width} + 7) / 8 : uint64_t{spec.width} * (spec.depth / 8);
}

std::vector<uint8_t> WritePsd(const PsdSpec& spec, const PsdPixelFn& pixels, PsdLayout* layout,
                              const PsdPixelFn& layer_pixels) {
  const bool wide = spec.version == 2;
  const uint32_t channels = ChannelCount(spec);
  PsdLayout where;
  ByteSink out;

  out.Text("8BPS");
  out.U16(spec.version);
  for (int i = 0; i < 6; ++i) out.U8(0);
  out.U16(static_cast<uint16_t>(channels));
  out.U32(spec.height);
  out.U32(spec.width);
  out.U16(spec.depth);
  out.U16(static_cast<uint16_t>(spec.mode));

  where.colour_mode_data = out.Size();
  if (spec.mode == PsdMode::kIndexed) {
    std::vector<uint8_t> palette = spec.palette;
    if (palette.size() != 768) {
      palette.resize(768);
      for (int i = 0; i < 768; ++i) palette[i] = static_cast<uint8_t>(i % 256);
    }
    out.U32(768);
    out.Bytes(palette);
  } else {
    out.U32(0);
  }

  where.image_resources = out.Size();
  out.U32(0);
  if (spec.with_resources) {
    WriteResource(out, 1005, ResolutionInfo());
    if (spec.mode == PsdMode::kIndexed) WriteResource(out, 1046, {0x01, 0x00});  // 256 colours
  }
  if (spec.thumbnail != PsdThumbnail::kNone) {
    where.thumbnail_resource = out.Size();
    WriteResource(out, 1036, Thumbnail(spec.thumbnail));
  }
  out.Patch(where.image_resources, out.Size() - where.image_resources - 4, false);

  where.layer_section = out.Size();
  if (spec.with_layer) {
    WriteLayerSection(out, spec, layer_pixels ? layer_pixels : pixels);
  } else {
    out.Length(0, wide);
  }

  where.image_data = out.Size();
  out.U16(static_cast<uint16_t>(spec.compression));
  if (spec.compression == PsdCompression::kRle) {
    where.row_counts = out.Size();
    const size_t rows = static_cast<size_t>(channels) * spec.height;
    for (size_t i = 0; i < rows; ++i) wide ? out.U32(0) : out.U16(0);
    where.first_row = out.Size();
    size_t index = 0;
    for (uint32_t c = 0; c < channels; ++c) {
      for (uint32_t y = 0; y < spec.height; ++y, ++index) {
        const std::vector<uint8_t> row = EncodeRow(spec, pixels, y, c);
        const std::vector<uint8_t> packed = PackBits(row.data(), row.size());
        const size_t at = where.row_counts + index * (wide ? 4 : 2);
        wide ? out.Patch(at, packed.size(), false)
             : out.Patch16(at, static_cast<uint16_t>(packed.size()));
        out.Bytes(packed);
      }
    }
  } else {
    where.first_row = out.Size();
    for (uint32_t c = 0; c < channels; ++c) {
      for (uint32_t y = 0; y < spec.height; ++y) out.Bytes(EncodeRow(spec, pixels, y, c));
    }
  }
  where.end = out.Size();
  if (layout) *layout = where;
  return out.Take();
}

std::vector<uint8_t> WritePsd(const PsdSpec& spec, const std::vector<std::vector<double>>& planes,
                              PsdLayout* layout) {
  return WritePsd(
      spec,
      [&](uint32_t x, uint32_t y, uint32_t c) {
        return c < planes.size() ? planes[c][static_cast<size_t>(y) * spec.width + x] : 0.0;
      },
      layout);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool WritePsdFile(const std::string& path, const PsdSpec& spec, const PsdPixelFn& pixels) {
  return WriteFile(path, WritePsd(spec, pixels));
}

PsdPixelFn SolidPixels(std::vector<double> values) {
  return [values = std::move(values)](uint32_t, uint32_t, uint32_t c) {
    return c < values.size() ? values[c] : 0.0;
  };
}

PsdPixelFn QuadrantPixels(const PsdSpec& spec, std::vector<double> top_left,
                          std::vector<double> top_right, std::vector<double> bottom_left,
                          std::vector<double> bottom_right) {
  const uint32_t half_w = spec.width / 2, half_h = spec.height / 2;
  return [=](uint32_t x, uint32_t y, uint32_t c) {
    const std::vector<double>& v = y < half_h ? (x < half_w ? top_left : top_right)
                                              : (x < half_w ? bottom_left : bottom_right);
    return c < v.size() ? v[c] : 0.0;
  };
}

double GreyRampValue(const PsdSpec& spec, uint32_t x) {
  const double max = MaxSample(spec.depth);
  if (spec.width < 2) return 0;
  const double v = max * x / (spec.width - 1);
  return spec.depth == 32 ? v : std::round(v);
}

PsdPixelFn GreyRampPixels(const PsdSpec& spec) {
  const uint32_t colour = ColourChannels(spec.mode);
  return [spec, colour](uint32_t x, uint32_t, uint32_t c) {
    return c < colour ? GreyRampValue(spec, x) : MaxSample(spec.depth);
  };
}

std::vector<uint8_t> PackBits(const uint8_t* data, size_t size) {
  std::vector<uint8_t> out;
  size_t i = 0;
  while (i < size) {
    // A run of two or more equal bytes becomes a repeat packet.
    size_t run = 1;
    while (i + run < size && run < 128 && data[i + run] == data[i]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<uint8_t>(257 - run));
      out.push_back(data[i]);
      i += run;
      continue;
    }
    // Otherwise copy literally up to the next run of two.
    size_t lit = 1;
    while (i + lit < size && lit < 128 &&
           !(i + lit + 1 < size && data[i + lit] == data[i + lit + 1]))
      ++lit;
    out.push_back(static_cast<uint8_t>(lit - 1));
    out.insert(out.end(), data + i, data + i + lit);
    i += lit;
  }
  return out;
}

}  // namespace pictavo::test_support
