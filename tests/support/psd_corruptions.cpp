#include "support/psd_corruptions.h"

#include "support/psd_writer.h"

namespace pictavo::test_support {
namespace {

// Header field offsets.
constexpr size_t kVersion = 4, kReserved = 6, kChannels = 12, kHeight = 14, kWidth = 18,
                 kDepth = 22, kMode = 24;

void Put(std::vector<uint8_t>& b, uint64_t at, uint64_t v, int n) {
  for (int i = 0; i < n; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * (n - 1 - i)));
}

struct Document {
  std::vector<uint8_t> bytes;
  PsdLayout layout;
};

Document Make(PsdSpec spec) {
  Document d;
  spec.width = 8;
  spec.height = 6;
  // Rows of different values, so RLE rows are short repeat packets.
  d.bytes = WritePsd(
      spec, [](uint32_t, uint32_t y, uint32_t c) { return double(40 * y + c); }, &d.layout);
  return d;
}

}  // namespace

std::vector<PsdCorruption> MakePsdCorruptions() {
  std::vector<PsdCorruption> out;
  auto add = [&](std::string name, std::vector<uint8_t> bytes, std::string reason) {
    out.push_back({std::move(name), std::move(bytes), std::move(reason)});
  };
  auto truncated = [](const Document& d, uint64_t length) {
    return std::vector<uint8_t>(d.bytes.begin(), d.bytes.begin() + static_cast<long>(length));
  };
  auto changed = [](const Document& d, uint64_t at, uint64_t v, int n) {
    std::vector<uint8_t> b = d.bytes;
    Put(b, at, v, n);
    return b;
  };

  PsdSpec raw_spec;
  raw_spec.with_layer = true;
  const Document raw = Make(raw_spec);
  PsdSpec rle_spec = raw_spec;
  rle_spec.compression = PsdCompression::kRle;
  const Document rle = Make(rle_spec);
  PsdSpec large_spec = rle_spec;
  large_spec.version = 2;
  const Document large = Make(large_spec);
  const PsdLayout& L = raw.layout;

  // Truncations at and inside every section.
  add("empty-file", {}, "too short for a Photoshop header");
  add("truncated-in-header", truncated(raw, 25), "too short for a Photoshop header");
  add("truncated-after-header", truncated(raw, 26), "ends before the colour mode data");
  add("truncated-after-colour-mode-data", truncated(raw, L.image_resources),
      "ends before the image resources");
  add("truncated-in-image-resources", truncated(raw, L.image_resources + 10),
      "image resources run past the end of the file");
  add("truncated-before-layer-section", truncated(raw, L.layer_section),
      "ends before the layer and mask section");
  add("truncated-in-layer-section", truncated(raw, L.layer_section + 10),
      "layer and mask section runs past the end of the file");
  add("truncated-before-image-data", truncated(raw, L.image_data), "ends before the image data");
  add("truncated-after-compression", truncated(raw, L.image_data + 2),
      "image data ends before the last row");
  add("truncated-in-last-raw-row", truncated(raw, L.end - 1),
      "image data ends before the last row");
  add("truncated-in-rle-row-counts", truncated(rle, rle.layout.row_counts + 3),
      "row-count table runs past the end of the file");
  add("truncated-before-rle-rows", truncated(rle, rle.layout.first_row),
      "RLE row 1 of channel 1 runs past the end of the file");
  add("truncated-in-last-rle-row", truncated(rle, rle.layout.end - 1),
      "RLE row 6 of channel 3 runs past the end of the file");
  add("large-truncated-in-layer-length", truncated(large, large.layout.layer_section + 6),
      "ends before the layer and mask section");
  add("large-truncated-in-last-rle-row", truncated(large, large.layout.end - 1),
      "RLE row 6 of channel 3 runs past the end of the file");

  // Header fields.
  add("bad-signature", changed(raw, 0, 0x38425058, 4), "Photoshop signature");
  add("version-0", changed(raw, kVersion, 0, 2), "version is 0");
  add("version-3", changed(raw, kVersion, 3, 2), "version is 3");
  add("reserved-not-zero", changed(raw, kReserved + 5, 1, 1), "reserved bytes are not zero");
  add("no-channels", changed(raw, kChannels, 0, 2), "0 channels");
  add("57-channels", changed(raw, kChannels, 57, 2), "57 channels");
  add("zero-width", changed(raw, kWidth, 0, 4), "0 x 6 pixels");
  add("zero-height", changed(raw, kHeight, 0, 4), "8 x 0 pixels");
  add("width-30001", changed(raw, kWidth, 30001, 4), "must be 1 to 30000");
  add("large-height-300001", changed(large, kHeight, 300001, 4), "must be 1 to 300000");
  add("width-above-31-bits", changed(raw, kWidth, 0x80000008u, 4), "must be 1 to 30000");
  add("depth-24", changed(raw, kDepth, 24, 2), "depth is 24 bits");
  add("depth-4", changed(raw, kDepth, 4, 2), "depth is 4 bits");
  add("unknown-mode-5", changed(raw, kMode, 5, 2), "colour mode 5 is unknown");
  add("unknown-mode-10", changed(raw, kMode, 10, 2), "colour mode 10 is unknown");
  add("bitmap-at-8-bits", changed(raw, kMode, 0, 2), "bitmap documents must have a depth of 1");
  add("rgb-at-1-bit", changed(raw, kDepth, 1, 2), "only bitmap documents");
  {
    std::vector<uint8_t> b = changed(raw, kMode, 2, 2);
    Put(b, kDepth, 16, 2);
    add("indexed-at-16-bits", b, "indexed documents must have a depth of 8");
  }
  add("rgb-with-2-channels", changed(raw, kChannels, 2, 2), "RGB documents need at least 3");
  add("cmyk-with-3-channels", changed(raw, kMode, 4, 2), "CMYK documents need at least 4");
  {
    std::vector<uint8_t> b = changed(raw, kMode, 9, 2);
    Put(b, kChannels, 2, 2);
    add("lab-with-2-channels", b, "Lab documents need at least 3");
  }
  {
    std::vector<uint8_t> b = changed(raw, kMode, 9, 2);
    Put(b, kDepth, 32, 2);
    add("lab-at-32-bits", b, "32-bit documents must be greyscale or RGB");
  }
  {
    // 40 bytes that claim 30000 x 30000 CMYK at 16 bits: 7.2 GB to decode.
    std::vector<uint8_t> b(40, 0);
    Put(b, 0, 0x38425053, 4);
    Put(b, kVersion, 1, 2);
    Put(b, kChannels, 4, 2);
    Put(b, kHeight, 30000, 4);
    Put(b, kWidth, 30000, 4);
    Put(b, kDepth, 16, 2);
    Put(b, kMode, 4, 2);
    add("forty-bytes-claiming-30000-square-cmyk-16", b, "more than the limit of 1024 MB");
  }

  // Colour mode data.
  {
    PsdSpec spec;
    spec.mode = PsdMode::kIndexed;
    add("indexed-palette-767-bytes", changed(Make(spec), L.colour_mode_data, 767, 4),
        "colour table of 768 bytes, this one has 767");
    spec.mode = PsdMode::kDuotone;
    add("duotone-data-past-end", changed(Make(spec), L.colour_mode_data, 0x7FFFFFFF, 4),
        "colour mode data runs past the end of the file");
  }
  add("rgb-with-colour-mode-data", changed(raw, L.colour_mode_data, 4, 4),
      "colour mode data must be empty");

  // Image resources (one resolution block of 28 bytes).
  const uint64_t block = L.image_resources + 4;
  add("resources-length-past-end", changed(raw, L.image_resources, 0x00FFFFFF, 4),
      "image resources run past the end of the file");
  add("resource-bad-signature", changed(raw, block, 0x38424958, 4), "no valid signature");
  add("resource-size-past-section", changed(raw, block + 8, 1000, 4), "runs past its section");
  add("resource-name-past-section", changed(raw, block + 6, 0xFF, 1), "cut short");
  add("resources-cut-inside-block", changed(raw, L.image_resources, 20, 4),
      "runs past its section");
  add("resources-with-a-stub-block", changed(raw, L.image_resources, 28 + 8, 4), "cut short");

  // Thumbnails. The data starts 12 bytes into the block: format, width,
  // height, row bytes, total size, compressed size, bits, planes, pixels.
  {
    PsdSpec spec;
    spec.thumbnail = PsdThumbnail::kJpeg;
    const Document jpeg = Make(spec);
    const uint64_t t = jpeg.layout.thumbnail_resource;
    add("thumbnail-unknown-format", changed(jpeg, t + 12, 2, 4), "unknown format");
    add("thumbnail-32-bits", changed(jpeg, t + 36, 32, 2), "not a 24-bit picture");
    add("thumbnail-two-planes", changed(jpeg, t + 38, 2, 2), "not a 24-bit picture");
    add("thumbnail-huge-width", changed(jpeg, t + 16, 100000, 4), "more than a thumbnail can be");
    add("thumbnail-row-bytes-too-long", changed(jpeg, t + 24, 4096, 4),
        "row length does not match");
    add("thumbnail-total-size-wrong", changed(jpeg, t + 28, 7, 4), "size does not match its rows");
    add("thumbnail-compressed-past-resource", changed(jpeg, t + 32, 100000, 4),
        "data runs past its resource");
    add("thumbnail-data-not-jpeg", changed(jpeg, t + 40, 0, 1), "not a JPEG picture");
    add("thumbnail-resource-too-short", changed(jpeg, t + 8, 20, 4),
        "thumbnail resource is too short");
    spec.thumbnail = PsdThumbnail::kRaw;
    const Document raw_thumb = Make(spec);
    const uint64_t r = raw_thumb.layout.thumbnail_resource;
    std::vector<uint8_t> b = changed(raw_thumb, r + 20, 40, 4);  // 40 rows that are not there
    Put(b, r + 28, 12 * 40, 4);                                  // rows of 4 pixels take 12 bytes
    add("raw-thumbnail-rows-past-resource", b, "data runs past its resource");
    // Row bytes longer than the thumbnail's rows, kept consistent with the
    // total size: FreeImage copies each such row over the end of its own.
    std::vector<uint8_t> wide = changed(raw_thumb, r + 24, 64, 4);
    Put(wide, r + 28, 64 * 2, 4);
    add("raw-thumbnail-row-bytes-too-long", wide, "row length does not match");
  }

  // Layer and mask section lengths.
  add("layer-section-past-end", changed(raw, L.layer_section, 0x7FFFFFFF, 4),
      "layer and mask section runs past the end of the file");
  add("large-layer-section-past-end",
      changed(large, large.layout.layer_section, 0xFFFFFFFFFFFFFFF0ull, 8),
      "layer and mask section runs past the end of the file");

  // Compression.
  add("zip-compression", changed(raw, L.image_data, 2, 2), "compression 2");
  add("zip-prediction-compression", changed(raw, L.image_data, 3, 2), "compression 3");
  add("compression-65535", changed(raw, L.image_data, 0xFFFF, 2), "compression 65535");

  // RLE rows. Each row of 8 equal bytes is the repeat packet F9 v (count 2).
  const uint64_t row0 = rle.layout.first_row;
  const uint64_t count0 = rle.layout.row_counts;
  add("rle-row-decodes-short", changed(rle, row0, 0xFA, 1), "decodes to fewer than its 8 bytes");
  add("rle-row-decodes-long", changed(rle, row0, 0xF8, 1), "decodes to more than its 8 bytes");
  add("rle-row-runs-128-bytes-into-an-8-byte-row", changed(rle, row0, 0x81, 1),
      "decodes to more than its 8 bytes");
  add("rle-literal-past-row-count", changed(rle, row0, 0x05, 1), "ends inside a packet");
  add("rle-repeat-without-its-byte", changed(rle, count0, 1, 2), "ends inside a packet");
  add("rle-count-zero", changed(rle, count0, 0, 2), "decodes to fewer than its 8 bytes");
  add("rle-count-past-end", changed(rle, count0, 0xFFFF, 2), "runs past the end of the file");
  {
    // A long count that swallows the next row: the first row decodes long.
    std::vector<uint8_t> b = changed(rle, count0, 4, 2);
    add("rle-count-spanning-two-rows", b, "decodes to more than its 8 bytes");
  }
  add("large-rle-count-past-end", changed(large, large.layout.row_counts, 0x7FFFFFFF, 4),
      "runs past the end of the file");
  add("large-rle-row-decodes-long", changed(large, large.layout.first_row, 0x81, 1),
      "decodes to more than its 8 bytes");
  return out;
}

}  // namespace pictavo::test_support
