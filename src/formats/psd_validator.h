#pragma once

// Checks a Photoshop document's structure before FreeImage reads it.
//
// FreeImage 3.18 trusts the sizes a document declares: its PSD reader
// overruns heap buffers on RLE rows that decode long, on lines of unusual
// depths and on thumbnail resources whose row bytes disagree with their
// width, and it allocates whatever the header asks for. The validator reads
// the document with bounded reads and 64-bit arithmetic and refuses what the
// format does not allow, what FreeImage would mishandle, and documents whose
// decoded composite would exceed a memory budget. It never allocates by a
// size the file declares (the largest buffer is one read chunk).
//
// The checks, section by section:
// - header: "8BPS", version 1 or 2, zero reserved bytes, 1 to 56 channels,
//   sides of 1 to 30,000 pixels (300,000 in version 2), depth 1, 8, 16 or
//   32, a known colour mode in a combination Photoshop writes;
// - colour mode data: empty, except indexed (768 bytes) and duotone;
// - image resources: every block inside the section, thumbnails consistent;
// - layer and mask section: inside the file (FreeImage skips it whole);
// - image data: raw or RLE, every row of every channel present, every RLE
//   row decoding to exactly its length.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "settings/settings.h"

namespace pictavo {

enum class PsdColourMode : uint16_t {
  kBitmap = 0,
  kGreyscale = 1,
  kIndexed = 2,
  kRgb = 3,
  kCmyk = 4,
  kMultichannel = 7,
  kDuotone = 8,
  kLab = 9,
};

// The fields of the 26-byte file header.
struct PsdHeader {
  uint16_t version = 0;
  uint16_t channels = 0;
  uint32_t height = 0;
  uint32_t width = 0;
  uint16_t depth = 0;
  uint16_t mode = 0;
};

struct PsdValidation {
  bool ok = false;
  std::string reason;        // why the document is refused, in plain words; empty when ok
  bool header_read = false;  // `header` holds the file's header fields
  PsdHeader header;
  uint64_t decoded_bytes = 0;  // EstimateDecodedBytes of the header, once read
  uint16_t compression = 0;    // of the composite image data, once read
};

// The budget of a document's decoded composite in bytes: Max Memory megabytes
// (1024 when the setting is not positive).
uint64_t PixelBudgetBytes(const Settings& settings);

// Bytes of the bitmap FreeImage decodes the composite into (rows padded to
// four bytes as FreeImage pads them), from the header alone.
uint64_t EstimateDecodedBytes(const PsdHeader& header);
// The same from a file's first 26 bytes; nothing when they are no PSD header.
std::optional<uint64_t> EstimateDecodedBytesOfFile(const std::string& path);

PsdValidation ValidatePsd(std::span<const uint8_t> bytes, uint64_t budget_bytes);
PsdValidation ValidatePsdFile(const std::string& path, uint64_t budget_bytes);
inline PsdValidation ValidatePsdFile(const std::string& path, const Settings& settings) {
  return ValidatePsdFile(path, PixelBudgetBytes(settings));
}

}  // namespace pictavo
