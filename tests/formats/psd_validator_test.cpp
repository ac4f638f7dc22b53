#include "formats/psd_validator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "batch/scratch_folder.h"
#include "support/psd_corruptions.h"
#include "support/psd_decode.h"
#include "support/psd_writer.h"

namespace pictavo {
namespace {

using test_support::PsdCompression;
using test_support::PsdMode;
using test_support::PsdSpec;
using test_support::PsdThumbnail;

constexpr uint64_t kDefaultBudget = 1024ull * 1024 * 1024;

class PsdCorruptionTest : public ::testing::TestWithParam<test_support::PsdCorruption> {};

TEST_P(PsdCorruptionTest, IsRefusedWithItsReason) {
  const auto& c = GetParam();
  const PsdValidation v = ValidatePsd(c.bytes, kDefaultBudget);
  EXPECT_FALSE(v.ok);
  EXPECT_NE(v.reason.find(c.reason), std::string::npos) << "reason: " << v.reason;
}

INSTANTIATE_TEST_SUITE_P(EveryCorruption, PsdCorruptionTest,
                         ::testing::ValuesIn(test_support::MakePsdCorruptions()),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (ch == '-') ch = '_';
                           return name;
                         });

TEST(PsdCorruptionsTest, NamesAreUnique) {
  std::set<std::string> names;
  for (const auto& c : test_support::MakePsdCorruptions())
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
}

// Every document the writer makes in a combination Photoshop writes is
// accepted, and FreeImage decodes it into no more memory than estimated.
TEST(PsdValidatorTest, AcceptsEveryWriterFixtureAndFreeImageDecodesThem) {
  struct ModeDepth {
    PsdMode mode;
    uint16_t depth;
  };
  const ModeDepth kinds[] = {
      {PsdMode::kBitmap, 1},        {PsdMode::kGreyscale, 8}, {PsdMode::kGreyscale, 16},
      {PsdMode::kGreyscale, 32},    {PsdMode::kIndexed, 8},   {PsdMode::kRgb, 8},
      {PsdMode::kRgb, 16},          {PsdMode::kRgb, 32},      {PsdMode::kCmyk, 8},
      {PsdMode::kCmyk, 16},         {PsdMode::kLab, 8},       {PsdMode::kLab, 16},
      {PsdMode::kDuotone, 8},       {PsdMode::kDuotone, 16},  {PsdMode::kMultichannel, 8},
      {PsdMode::kMultichannel, 16},
  };
  int index = 0;
  for (const ModeDepth& kind : kinds) {
    for (bool alpha : {false, true}) {
      for (auto comp : {PsdCompression::kRaw, PsdCompression::kRle}) {
        for (bool layer : {false, true}) {
          for (uint16_t version : {1, 2}) {
            PsdSpec spec;
            spec.width = 13;
            spec.height = 5;
            spec.mode = kind.mode;
            spec.depth = kind.depth;
            spec.alpha = alpha && kind.mode != PsdMode::kBitmap;
            spec.compression = comp;
            spec.with_layer = layer;
            spec.version = version;
            spec.thumbnail = static_cast<PsdThumbnail>(index++ % 3);
            const auto bytes = test_support::WritePsd(spec, test_support::GreyRampPixels(spec));
            SCOPED_TRACE(::testing::Message()
                         << "mode " << int(kind.mode) << " depth " << kind.depth << " alpha "
                         << spec.alpha << " rle " << int(comp) << " layer " << layer << " version "
                         << version);

            const PsdValidation v = ValidatePsd(bytes, kDefaultBudget);
            ASSERT_TRUE(v.ok) << v.reason;
            EXPECT_TRUE(v.header_read);
            EXPECT_EQ(v.header.width, 13u);
            EXPECT_EQ(v.header.channels, test_support::ChannelCount(spec));
            EXPECT_EQ(v.compression, static_cast<uint16_t>(comp));

            Bitmap image = test_support::DecodePsd(bytes);
            if (kind.depth == 32 && comp == PsdCompression::kRle) {
              EXPECT_FALSE(image);  // FreeImage refuses RLE at 32 bits, cleanly
              continue;
            }
            ASSERT_TRUE(image);
            const uint64_t decoded = uint64_t{FreeImage_GetPitch(image.get())} * image.Height();
            EXPECT_GE(v.decoded_bytes, decoded);
            if (kind.mode == PsdMode::kRgb || kind.mode == PsdMode::kGreyscale) {
              EXPECT_EQ(v.decoded_bytes, decoded);
            }
          }
        }
      }
    }
  }
}

TEST(PsdValidatorTest, AcceptsTheOtherResourceSignatures) {
  PsdSpec spec;
  test_support::PsdLayout layout;
  std::vector<uint8_t> bytes =
      test_support::WritePsd(spec, test_support::SolidPixels({1, 2, 3}), &layout);
  for (const char* signature : {"MeSa", "PHUT", "AgHg", "DCSR"}) {
    std::copy(signature, signature + 4, bytes.begin() + layout.image_resources + 4);
    EXPECT_TRUE(ValidatePsd(bytes, kDefaultBudget).ok) << signature;
  }
}

TEST(PsdValidatorTest, RefusesDocumentsAboveThePixelBudgetBeforeReadingFurther) {
  PsdSpec spec;
  spec.width = 100;
  spec.height = 100;
  std::vector<uint8_t> bytes = test_support::WritePsd(spec, test_support::SolidPixels({0, 0, 0}));
  EXPECT_TRUE(ValidatePsd(bytes, 30000).ok);  // 100 rows of 300 bytes
  const PsdValidation over = ValidatePsd(bytes, 29999);
  EXPECT_FALSE(over.ok);
  EXPECT_TRUE(over.header_read);
  EXPECT_EQ(over.decoded_bytes, 30000u);
  EXPECT_NE(over.reason.find("more than the limit"), std::string::npos) << over.reason;

  bytes.resize(40);  // what follows the header is not looked at
  EXPECT_EQ(ValidatePsd(bytes, 29999).reason, over.reason);
}

TEST(PsdValidatorTest, BudgetComesFromMaxMemoryMegabytes) {
  Settings s;
  EXPECT_EQ(PixelBudgetBytes(s), 1024ull << 20);
  s.MaxMemory = 5;
  EXPECT_EQ(PixelBudgetBytes(s), 5ull << 20);
  s.MaxMemory = 0;
  EXPECT_EQ(PixelBudgetBytes(s), 1024ull << 20);
  s.MaxMemory = -3;
  EXPECT_EQ(PixelBudgetBytes(s), 1024ull << 20);
}

TEST(PsdValidatorTest, EstimatesTheDecodedBitmapFromTheHeader) {
  struct Case {
    uint16_t mode, channels, depth;
    uint32_t width, height;
    uint64_t bytes;
  };
  const Case cases[] = {
      {0, 1, 1, 10, 3, 4 * 3},  // one bit per pixel, rows padded to 4 bytes
      {1, 2, 16, 3, 2, 8 * 2},  // grey with alpha decodes as grey
      {3, 3, 8, 30000, 30000, 90000ull * 30000},
      {3, 4, 32, 2, 1, 32},                           // RGBA float
      {4, 5, 16, 30000, 30000, 240000ull * 30000},    // CMYK plus alpha: four channels kept
      {7, 2, 8, 5, 1, 8},                             // two-channel multichannel decodes as grey
      {7, 3, 8, 5, 1, 20},                            // three channels decode as four
      {3, 3, 8, 300000, 300000, 900000ull * 300000},  // no 32-bit overflow
  };
  for (const Case& c : cases) {
    PsdHeader h;
    h.mode = c.mode;
    h.channels = c.channels;
    h.depth = c.depth;
    h.width = c.width;
    h.height = c.height;
    EXPECT_EQ(EstimateDecodedBytes(h), c.bytes) << c.mode << " " << c.width;
  }
}

TEST(PsdValidatorTest, ChecksFilesOnDisk) {
  testing::ScratchFolder folder;
  PsdSpec spec;
  spec.compression = PsdCompression::kRle;
  const std::vector<uint8_t> bytes =
      test_support::WritePsd(spec, test_support::SolidPixels({9, 8, 7}));
  const std::string good = folder.path() + "good.psd";
  ASSERT_TRUE(test_support::WriteFile(good, bytes));
  EXPECT_TRUE(ValidatePsdFile(good, kDefaultBudget).ok);
  EXPECT_EQ(EstimateDecodedBytesOfFile(good), std::optional<uint64_t>(4 * 12));

  const std::string cut = folder.path() + "cut.psd";
  ASSERT_TRUE(test_support::WriteFile(cut, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)));
  const PsdValidation v = ValidatePsdFile(cut, Settings{});
  EXPECT_FALSE(v.ok);
  EXPECT_NE(v.reason.find("runs past the end of the file"), std::string::npos) << v.reason;

  EXPECT_NE(ValidatePsdFile(folder.path() + "missing.psd", kDefaultBudget)
                .reason.find("cannot be opened"),
            std::string::npos);
  EXPECT_EQ(ValidatePsdFile(folder.MakeFolder("dir.psd"), kDefaultBudget).reason,
            "the path is not a regular file");
  EXPECT_EQ(EstimateDecodedBytesOfFile(folder.Write("text.psd", "not a document at all....")),
            std::nullopt);
}

TEST(PsdValidatorTest, AcceptsTheCommittedSamples) {
  int seen = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(PICTAVO_SOURCE_DIR) + "/samples")) {
    if (entry.path().extension() != ".psd") continue;
    ++seen;
    const PsdValidation v = ValidatePsdFile(entry.path().string(), kDefaultBudget);
    EXPECT_TRUE(v.ok) << entry.path() << ": " << v.reason;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_TRUE(test_support::DecodePsd(bytes)) << entry.path();
  }
  EXPECT_GE(seen, 5);
}

}  // namespace
}  // namespace pictavo
