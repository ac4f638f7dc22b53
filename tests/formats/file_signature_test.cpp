#include "formats/file_signature.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "batch/scratch_folder.h"

namespace pictavo {
namespace {

std::string Label(std::vector<uint8_t> header) {
  return SignatureOfHeader(header);
}

TEST(SignatureOfHeaderTest, NamesRepresentativeKinds) {
  struct Case {
    std::vector<uint8_t> header;
    const char* label;
  };
  const Case cases[] = {
      {{0x38, 0x42, 0x50, 0x53, 0x00, 0x01}, "PSD"},
      {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, "PNG"},
      {{0x49, 0x49, 0x2A, 0x00, 0x08, 0x00, 0x00, 0x00}, "TIFF (LE)"},
      // A Canon raw is a little-endian TIFF too: the later row wins.
      {{0x49, 0x49, 0x2A, 0x00, 0x10, 0x00, 0x00, 0x00, 0x43, 0x52}, "CR2"},
      {{0x4D, 0x4D, 0x00, 0x2A}, "TIFF (BE)"},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x01}, "JPEG/JFIF"},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x11, 'J', 'F', 'I', 'F', 0x00, 0x01},
       kUnrecognizedSignature},
      {{0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x02},
       kUnrecognizedSignature},
      {{0xFF, 0xD8, 0xFF, 0xE2, 0x0C, 0x58}, kUnrecognizedSignature},  // ICC profile first
      // The segment length at offsets 4 and 5 is not examined.
      {{0xFF, 0xD8, 0xFF, 0xE1, 0x12, 0x34, 'E', 'x', 'i', 'f', 0, 0}, "JPEG/EXIF"},
      {{'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'E', 'B', 'P'}, "WEBP"},
      {{'R', 'I', 'F', 'F', 1, 2, 3, 4, 'A', 'V', 'I', ' '}, "AVI"},
      {{'R', 'I', 'F', 'F', 1, 2, 3, 4, 'X', 'X', 'X', 'X'}, kUnrecognizedSignature},
      {{'A', 'T', '&', 'T', 'F', 'O', 'R', 'M', 9, 9, 9, 9, 'D', 'J', 'V'}, "DJVU"},
      {{'A', 'T', '&', 'T', 'F', 'O', 'R', 'M', 9, 9, 9, 9}, kUnrecognizedSignature},
      {{0x1F, 0x8B, 0x08}, "GZ"},
      {{0x60, 0xEA}, "ARJ"},
      {{0xCF, 0x84, 0x01}, "LEP"},
      {{0xFF, 0xFB, 0x90}, "MP3"},
      {{'F', 'L', 'V', 0x01}, "FLV"},
      {{'I', 'D', '3', 0x03}, "MP3/ID3V2"},
      {{'I', 'S', 'c', '('}, "CAB (IS)"},
      {{'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00}, "RAR (5.0+)"},
      {{'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', 0}, "SQLITE/DB"},
      {{'B', 'M'}, "BMP"},
      {{'%', 'P'}, kUnrecognizedSignature},
      {{'<', 'h', 't', 'm', 'l'}, kUnrecognizedSignature},  // no group for '<'
      {{}, kUnrecognizedSignature},
  };
  for (const Case& c : cases) EXPECT_EQ(Label(c.header), c.label) << c.label;
}

class DetectFileSignatureTest : public ::testing::Test {
 protected:
  testing::ScratchFolder folder;
};

TEST_F(DetectFileSignatureTest, ReadsTheFirstBytesOfAFile) {
  EXPECT_EQ(DetectFileSignature(folder.Write("a.psd", std::string("8BPS\0\x01", 6))), "PSD");
  EXPECT_EQ(DetectFileSignature(folder.Write("a.gif", "GIF89a and much more than twenty bytes")),
            "GIF89A");
}

TEST_F(DetectFileSignatureTest, ShortEmptyMissingAndUnreadableFilesAreHandled) {
  EXPECT_EQ(DetectFileSignature(folder.Write("bm", "BM")), "BMP");
  EXPECT_EQ(DetectFileSignature(folder.Write("pct", "%P")), kUnrecognizedSignature);
  EXPECT_EQ(DetectFileSignature(folder.Write("short-png", "\x89PNG")), kUnrecognizedSignature);
  EXPECT_EQ(DetectFileSignature(folder.Write("empty", "")), kUnrecognizedSignature);
  EXPECT_EQ(DetectFileSignature(folder.path() + "missing.psd"), kUnrecognizedSignature);
  EXPECT_EQ(DetectFileSignature(folder.MakeFolder("sub")), kUnrecognizedSignature);
  const std::string fifo = folder.path() + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(DetectFileSignature(fifo), kUnrecognizedSignature);  // no writer: no wait
}

}  // namespace
}  // namespace pictavo
