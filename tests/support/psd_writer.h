#pragma once

// Writes Photoshop documents with known pixels, for test fixtures.
//
// A document is described by a PsdSpec and its pixels by a callback that
// returns the value stored in the file for one channel of one pixel, in the
// file's own units: 0 or 1 at depth 1 (1 is black in bitmap mode), 0..255 at
// depth 8, 0..65535 at depth 16 and a float (0.0..1.0 for ordinary colours) at
// depth 32. Values are written as given: CMYK documents store inverted ink
// (255 means no ink), Lab stores L 0..255 and a, b with 128 as neutral.
//
// Channel order is the colour channels of the mode (grey; index; R, G, B;
// C, M, Y, K; L, a, b), then the extra alpha channel when asked for.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "formats/psd_validator.h"

namespace pictavo::test_support {

// The colour modes of the file header, as the validator names them.
using PsdMode = PsdColourMode;

enum class PsdCompression : uint16_t { kRaw = 0, kRle = 1 };

// An optional thumbnail resource (id 1036): a JPEG one as Photoshop writes
// it, or an uncompressed 24-bit one.
enum class PsdThumbnail { kNone, kJpeg, kRaw };

struct PsdSpec {
  uint32_t width = 4;
  uint32_t height = 4;
  PsdMode mode = PsdMode::kRgb;
  uint16_t depth = 8;
  bool alpha = false;  // one extra channel after the colour channels
  PsdCompression compression = PsdCompression::kRaw;
  bool with_layer = false;     // a layer-and-mask section with one full-size layer
  uint16_t version = 1;        // 2 is the large document format (8-byte lengths)
  bool with_resources = true;  // a resolution resource (and the colour count when indexed)
  PsdThumbnail thumbnail = PsdThumbnail::kNone;
  // 768 bytes (256 reds, 256 greens, 256 blues) for indexed documents; empty
  // gives a grey palette (entry i is i, i, i).
  std::vector<uint8_t> palette;
};

// Stored value of one channel of one pixel.
using PsdPixelFn = std::function<double(uint32_t x, uint32_t y, uint32_t channel)>;

// Where the sections of a written document start (byte offsets).
struct PsdLayout {
  uint64_t colour_mode_data = 0;    // its length field
  uint64_t image_resources = 0;     // its length field
  uint64_t thumbnail_resource = 0;  // the thumbnail block's "8BIM", 0 when none
  uint64_t layer_section = 0;       // its length field
  uint64_t image_data = 0;          // the compression field
  uint64_t row_counts = 0;          // RLE only: the first row's byte count
  uint64_t first_row = 0;           // the first row's (packed) bytes
  uint64_t end = 0;                 // the file length
};

// Colour channels of a mode (bitmap, grey, indexed and duotone have one,
// multichannel is written with three).
uint32_t ColourChannels(PsdMode mode);
// Channels the document has: colour channels plus the alpha channel.
uint32_t ChannelCount(const PsdSpec& spec);
// The full-scale stored value at a depth: 1, 255, 65535 or 1.0.
double MaxSample(uint16_t depth);
// Bytes of one channel row: (width + 7) / 8 at depth 1, else width * depth / 8.
uint64_t RowBytes(const PsdSpec& spec);

// The document as bytes; `layer_pixels` fills the layer (the composite's own
// pixels when empty), so tests can tell composite from layer.
std::vector<uint8_t> WritePsd(const PsdSpec& spec, const PsdPixelFn& pixels,
                              PsdLayout* layout = nullptr, const PsdPixelFn& layer_pixels = {});
// Planar buffers: planes[channel][y * width + x].
std::vector<uint8_t> WritePsd(const PsdSpec& spec, const std::vector<std::vector<double>>& planes,
                              PsdLayout* layout = nullptr);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
bool WritePsdFile(const std::string& path, const PsdSpec& spec, const PsdPixelFn& pixels);

// Common pixel patterns. Values lists hold one stored value per channel.
PsdPixelFn SolidPixels(std::vector<double> values);
// Top-left, top-right, bottom-left, bottom-right; the left half is
// x < width / 2, the top half y < height / 2.
PsdPixelFn QuadrantPixels(const PsdSpec& spec, std::vector<double> top_left,
                          std::vector<double> top_right, std::vector<double> bottom_left,
                          std::vector<double> bottom_right);
// Colour channels run from 0 at x = 0 to full scale at x = width - 1 (rounded
// at integer depths); the alpha channel is full scale.
PsdPixelFn GreyRampPixels(const PsdSpec& spec);
// The ramp value at column x, as GreyRampPixels stores it.
double GreyRampValue(const PsdSpec& spec, uint32_t x);

// PackBits, as the composite image data uses it.
std::vector<uint8_t> PackBits(const uint8_t* data, size_t size);

}  // namespace pictavo::test_support
