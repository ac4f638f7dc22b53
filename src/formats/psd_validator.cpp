#include "formats/psd_validator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace pictavo {
namespace {

constexpr uint64_t kHeaderBytes = 26;
constexpr uint64_t kMegabyte = 1024 * 1024;
constexpr uint32_t kMaxThumbnailSide = 1024;
// A read that the bounds checks promised fails: the file changed or broke.
constexpr const char* kUnreadable = "the file could not be read to its end";

// Random access to the document's bytes; every read is bounds-checked.
class Source {
 public:
  virtual ~Source() = default;
  virtual uint64_t Size() const = 0;
  // Reads exactly `n` bytes at `at`, or fails.
  virtual bool Read(uint64_t at, uint8_t* out, size_t n) const = 0;
};

class MemorySource final : public Source {
 public:
  explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  uint64_t Size() const override { return bytes_.size(); }
  bool Read(uint64_t at, uint8_t* out, size_t n) const override {
    if (at > bytes_.size() || n > bytes_.size() - at) return false;
    std::memcpy(out, bytes_.data() + at, n);
    return true;
  }

 private:
  std::span<const uint8_t> bytes_;
};

class FileSource final : public Source {
 public:
  FileSource(int fd, uint64_t size) : fd_(fd), size_(size) {}
  uint64_t Size() const override { return size_; }
  bool Read(uint64_t at, uint8_t* out, size_t n) const override {
    if (at > size_ || n > size_ - at) return false;
    while (n > 0) {
      const ssize_t got = pread(fd_, out, n, static_cast<off_t>(at));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      out += got;
      at += static_cast<uint64_t>(got);
      n -= static_cast<size_t>(got);
    }
    return true;
  }

 private:
  int fd_;
  uint64_t size_;
};

// Sequential big-endian reading through a fixed-size buffer.
class Reader {
 public:
  Reader(const Source& source, uint64_t at) : source_(source), pos_(at) {}

  uint64_t Position() const { return pos_; }
  uint64_t Left() const { return pos_ < source_.Size() ? source_.Size() - pos_ : 0; }

  bool U8(uint8_t& v) {
    if (next_ == end_ && !Fill()) return false;
    v = buffer_[next_++];
    ++pos_;
    return true;
  }
  bool U16(uint16_t& v) { return Number(v, 2); }
  bool U32(uint32_t& v) { return Number(v, 4); }
  bool U64(uint64_t& v) { return Number(v, 8); }
  void Seek(uint64_t at) {
    pos_ = at;
    next_ = end_ = 0;
  }
  bool Skip(uint64_t n) {
    if (n > Left()) return false;
    const uint64_t buffered = end_ - next_;
    if (n <= buffered) {
      next_ += static_cast<size_t>(n);
    } else {
      next_ = end_ = 0;
    }
    pos_ += n;
    return true;
  }

 private:
  template <typename T>
  bool Number(T& v, int n) {
    v = 0;
    for (int i = 0; i < n; ++i) {
      uint8_t b;
      if (!U8(b)) return false;
      v = static_cast<T>((v << 8) | b);
    }
    return true;
  }
  bool Fill() {
    const uint64_t n = std::min<uint64_t>(Left(), buffer_.size());
    if (n == 0 || !source_.Read(pos_, buffer_.data(), static_cast<size_t>(n))) return false;
    next_ = 0;
    end_ = static_cast<size_t>(n);
    return true;
  }

  const Source& source_;
  uint64_t pos_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(64 * 1024);
  size_t next_ = 0, end_ = 0;
};

bool IsKnownMode(uint16_t mode) {
  switch (static_cast<PsdColourMode>(mode)) {
    case PsdColourMode::kBitmap:
    case PsdColourMode::kGreyscale:
    case PsdColourMode::kIndexed:
    case PsdColourMode::kRgb:
    case PsdColourMode::kCmyk:
    case PsdColourMode::kMultichannel:
    case PsdColourMode::kDuotone:
    case PsdColourMode::kLab:
      return true;
  }
  return false;
}

std::string Megabytes(uint64_t bytes) {
  return std::to_string((bytes + kMegabyte - 1) / kMegabyte);
}

// The header's rules; an empty text when they hold.
std::string CheckHeader(const uint8_t* h, PsdHeader& header) {
  if (std::memcmp(h, "8BPS", 4) != 0) return "the file does not start with the Photoshop signature";
  auto u16 = [&](int at) { return static_cast<uint16_t>(h[at] << 8 | h[at + 1]); };
  auto u32 = [&](int at) { return uint32_t{u16(at)} << 16 | u16(at + 2); };
  header.version = u16(4);
  header.channels = u16(12);
  header.height = u32(14);
  header.width = u32(18);
  header.depth = u16(22);
  header.mode = u16(24);

  if (header.version != 1 && header.version != 2)
    return "the document version is " + std::to_string(header.version) + " (only 1 and 2 exist)";
  if (std::any_of(h + 6, h + 12, [](uint8_t b) { return b != 0; }))
    return "the header's reserved bytes are not zero";
  if (header.channels < 1 || header.channels > 56)
    return "the document has " + std::to_string(header.channels) +
           " channels (1 to 56 are allowed)";
  const uint32_t max_side = header.version == 1 ? 30000 : 300000;
  if (header.width < 1 || header.width > max_side || header.height < 1 || header.height > max_side)
    return "the document is " + std::to_string(header.width) + " x " +
           std::to_string(header.height) + " pixels (each side must be 1 to " +
           std::to_string(max_side) + ")";
  const uint16_t d = header.depth;
  if (d != 1 && d != 8 && d != 16 && d != 32)
    return "the depth is " + std::to_string(d) + " bits per channel (1, 8, 16 or 32 are allowed)";
  if (!IsKnownMode(header.mode))
    return "the colour mode " + std::to_string(header.mode) + " is unknown";

  const auto mode = static_cast<PsdColourMode>(header.mode);
  if (mode == PsdColourMode::kBitmap && d != 1)
    return "bitmap documents must have a depth of 1 bit";
  if (mode != PsdColourMode::kBitmap && d == 1)
    return "only bitmap documents can have a depth of 1 bit";
  if (mode == PsdColourMode::kIndexed && d != 8)
    return "indexed documents must have a depth of 8 bits";
  if (mode == PsdColourMode::kRgb && header.channels < 3)
    return "RGB documents need at least 3 channels";
  if (mode == PsdColourMode::kLab && header.channels < 3)
    return "Lab documents need at least 3 channels";
  if (mode == PsdColourMode::kCmyk && header.channels < 4)
    return "CMYK documents need at least 4 channels";
  // FreeImage converts no other mode at 32 bits: their channels would come
  // out as RGB values, a wrong picture.
  if (d == 32 && mode != PsdColourMode::kGreyscale && mode != PsdColourMode::kRgb)
    return "32-bit documents must be greyscale or RGB";
  return {};
}

// A thumbnail resource (1033 or 1036) of `size` bytes at the reader.
std::string CheckThumbnail(Reader& r, uint32_t size) {
  if (size < 28) return "the thumbnail resource is too short";
  uint32_t format, width, height, row_bytes, total, compressed;
  uint16_t bpp, planes;
  if (!r.U32(format) || !r.U32(width) || !r.U32(height) || !r.U32(row_bytes) || !r.U32(total) ||
      !r.U32(compressed) || !r.U16(bpp) || !r.U16(planes))
    return "the thumbnail resource is too short";
  if (format != 0 && format != 1) return "the thumbnail resource has an unknown format";
  if (bpp != 24 || planes != 1) return "the thumbnail is not a 24-bit picture of one plane";
  if (width < 1 || height < 1 || width > kMaxThumbnailSide || height > kMaxThumbnailSide)
    return "the thumbnail is " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, more than a thumbnail can be";
  if (row_bytes != (uint64_t{width} * 24 + 31) / 32 * 4)
    return "the thumbnail's row length does not match its width";
  if (total != uint64_t{row_bytes} * height) return "the thumbnail's size does not match its rows";
  const uint32_t room = size - 28;
  if (format == 1) {
    if (compressed > room) return "the thumbnail's data runs past its resource";
    if (compressed < 3) return "the thumbnail's data is not a JPEG picture";
    uint8_t soi[3];
    if (!r.U8(soi[0]) || !r.U8(soi[1]) || !r.U8(soi[2]) || soi[0] != 0xFF || soi[1] != 0xD8 ||
        soi[2] != 0xFF)
      return "the thumbnail's data is not a JPEG picture";
  } else if (total > room) {
    return "the thumbnail's data runs past its resource";
  }
  return {};
}

// The image resources section: its length and every block inside it.
std::string CheckResources(const Source& source, uint64_t at, uint64_t& end) {
  Reader r(source, at);
  uint32_t length;
  if (!r.U32(length)) return "the file ends before the image resources";
  if (length > r.Left()) return "the image resources run past the end of the file";
  end = r.Position() + length;
  while (r.Position() < end) {
    const uint64_t left = end - r.Position();
    uint8_t signature[4] = {};
    uint16_t id = 0;
    uint8_t name_length = 0;
    if (left < 12) return "an image resource block is cut short";
    for (uint8_t& b : signature)
      if (!r.U8(b)) return kUnreadable;
    static const char* const kSignatures[] = {"8BIM", "MeSa", "PHUT", "AgHg", "DCSR"};
    if (std::none_of(std::begin(kSignatures), std::end(kSignatures),
                     [&](const char* s) { return std::memcmp(s, signature, 4) == 0; }))
      return "an image resource block has no valid signature";
    if (!r.U16(id) || !r.U8(name_length)) return kUnreadable;
    // The name is a Pascal string padded to an even length with its length byte.
    const uint64_t name_rest = (uint64_t{name_length} + 1 + 1) / 2 * 2 - 1;
    if (6 + 1 + name_rest + 4 > left) return "an image resource block is cut short";
    uint32_t size = 0;
    if (!r.Skip(name_rest) || !r.U32(size)) return kUnreadable;
    const uint64_t padded = uint64_t{size} + (size & 1);
    if (padded > end - r.Position()) return "an image resource block runs past its section";
    const uint64_t next = r.Position() + padded;
    if (std::memcmp(signature, "8BIM", 4) == 0 && (id == 1033 || id == 1036)) {
      std::string why = CheckThumbnail(r, size);
      if (!why.empty()) return why;
    }
    r.Seek(next);
  }
  return {};
}

// Decodes one PackBits row of `count` bytes without keeping its bytes; the
// row must come out exactly `row_bytes` long.
std::string CheckRleRow(Reader& data, uint64_t count, uint64_t row_bytes, uint64_t row,
                        uint64_t channel) {
  const std::string where =
      "RLE row " + std::to_string(row + 1) + " of channel " + std::to_string(channel + 1);
  if (count > data.Left()) return where + " runs past the end of the file";
  uint64_t used = 0, produced = 0;
  while (used < count) {
    uint8_t n = 0;
    if (!data.U8(n)) return kUnreadable;
    ++used;
    if (n < 128) {  // n + 1 literal bytes
      const uint64_t len = uint64_t{n} + 1;
      if (len > count - used) return where + " ends inside a packet";
      if (!data.Skip(len)) return kUnreadable;
      used += len;
      produced += len;
    } else if (n > 128) {  // one byte repeated 257 - n times
      if (used == count) return where + " ends inside a packet";
      if (!data.Skip(1)) return kUnreadable;
      ++used;
      produced += 257u - n;
    }
    if (produced > row_bytes)
      return where + " decodes to more than its " + std::to_string(row_bytes) + " bytes";
  }
  if (produced < row_bytes)
    return where + " decodes to fewer than its " + std::to_string(row_bytes) + " bytes";
  return {};
}

std::string CheckImageData(const Source& source, uint64_t at, const PsdHeader& h,
                           uint16_t& compression) {
  Reader r(source, at);
  if (!r.U16(compression)) return "the file ends before the image data";
  if (compression > 1)
    return "the image data uses compression " + std::to_string(compression) +
           " (only raw and RLE are allowed)";
  const uint64_t rows = uint64_t{h.channels} * h.height;
  const uint64_t row_bytes =
      h.depth == 1 ? (uint64_t{h.width} + 7) / 8 : uint64_t{h.width} * (h.depth / 8);
  if (compression == 0) {
    if (rows * row_bytes > r.Left()) return "the image data ends before the last row";
    return {};
  }
  const uint64_t count_bytes = h.version == 1 ? 2 : 4;
  if (rows * count_bytes > r.Left()) return "the RLE row-count table runs past the end of the file";
  Reader data(source, r.Position() + rows * count_bytes);
  for (uint64_t i = 0; i < rows; ++i) {
    uint64_t count = 0;
    uint16_t c16 = 0;
    uint32_t c32 = 0;
    if (h.version == 1 ? !r.U16(c16) : !r.U32(c32)) return kUnreadable;
    count = h.version == 1 ? c16 : c32;
    std::string why = CheckRleRow(data, count, row_bytes, i % h.height, i / h.height);
    if (!why.empty()) return why;
  }
  return {};
}

PsdValidation Validate(const Source& source, uint64_t budget_bytes) {
  PsdValidation result;
  auto refuse = [&](std::string why) {
    result.ok = false;
    result.reason = std::move(why);
    return result;
  };
  uint8_t h[kHeaderBytes];
  if (!source.Read(0, h, sizeof h)) return refuse("the file is too short for a Photoshop header");
  if (std::string why = CheckHeader(h, result.header); !why.empty()) return refuse(why);
  result.header_read = true;
  result.decoded_bytes = EstimateDecodedBytes(result.header);
  if (result.decoded_bytes > budget_bytes)
    return refuse("the document needs " + Megabytes(result.decoded_bytes) +
                  " MB to decode, more than the limit of " + Megabytes(budget_bytes) + " MB");

  // Colour mode data.
  Reader r(source, kHeaderBytes);
  uint32_t colour_length;
  if (!r.U32(colour_length)) return refuse("the file ends before the colour mode data");
  if (colour_length > r.Left()) return refuse("the colour mode data runs past the end of the file");
  const auto mode = static_cast<PsdColourMode>(result.header.mode);
  if (mode == PsdColourMode::kIndexed && colour_length != 768)
    return refuse("indexed documents need a colour table of 768 bytes, this one has " +
                  std::to_string(colour_length));
  if (mode != PsdColourMode::kIndexed && mode != PsdColourMode::kDuotone && colour_length != 0)
    return refuse("the colour mode data must be empty in this colour mode");

  uint64_t resources_end = 0;
  if (std::string why = CheckResources(source, r.Position() + colour_length, resources_end);
      !why.empty())
    return refuse(why);

  // Layer and mask section: FreeImage skips it by its length.
  Reader layers(source, resources_end);
  uint64_t layer_length = 0;
  bool have_length;
  if (result.header.version == 1) {
    uint32_t l32 = 0;
    have_length = layers.U32(l32);
    layer_length = l32;
  } else {
    have_length = layers.U64(layer_length);
  }
  if (!have_length) return refuse("the file ends before the layer and mask section");
  if (layer_length > layers.Left())
    return refuse("the layer and mask section runs past the end of the file");

  if (std::string why = CheckImageData(source, layers.Position() + layer_length, result.header,
                                       result.compression);
      !why.empty())
    return refuse(why);
  result.ok = true;
  return result;
}

}  // namespace

uint64_t PixelBudgetBytes(const Settings& settings) {
  const int32_t megabytes = settings.MaxMemory > 0 ? settings.MaxMemory : 1024;
  return static_cast<uint64_t>(megabytes) * kMegabyte;
}

uint64_t EstimateDecodedBytes(const PsdHeader& h) {
  uint64_t bits = h.depth;  // per pixel of the decoded bitmap
  switch (static_cast<PsdColourMode>(h.mode)) {
    case PsdColourMode::kBitmap:
      bits = 1;
      break;
    case PsdColourMode::kGreyscale:
    case PsdColourMode::kIndexed:
    case PsdColourMode::kDuotone:
      break;
    case PsdColourMode::kMultichannel:  // read as grey below three channels, else as CMYK
      bits = h.channels < 3 ? h.depth : 4 * h.depth;
      break;
    default:
      bits = std::min<uint64_t>(h.channels, 4) * h.depth;
      break;
  }
  const uint64_t pitch = (uint64_t{h.width} * bits + 31) / 32 * 4;
  return pitch * h.height;
}

std::optional<uint64_t> EstimateDecodedBytesOfFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  uint8_t h[kHeaderBytes];
  struct stat info {};
  const bool read_all = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                        FileSource(fd, static_cast<uint64_t>(info.st_size)).Read(0, h, sizeof h);
  close(fd);
  PsdHeader header;
  if (!read_all || !CheckHeader(h, header).empty()) return std::nullopt;
  return EstimateDecodedBytes(header);
}

PsdValidation ValidatePsd(std::span<const uint8_t> bytes, uint64_t budget_bytes) {
  return Validate(MemorySource(bytes), budget_bytes);
}

PsdValidation ValidatePsdFile(const std::string& path, uint64_t budget_bytes) {
  PsdValidation result;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.reason = std::string("the file cannot be opened: ") + std::strerror(errno);
    return result;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    result.reason = "the path is not a regular file";
    return result;
  }
  result = Validate(FileSource(fd, static_cast<uint64_t>(info.st_size)), budget_bytes);
  close(fd);
  return result;
}

}  // namespace pictavo
