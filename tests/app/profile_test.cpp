#include "app/profile.h"

#include <gtest/gtest.h>

#include "support/run_pictavo.h"

namespace pictavo {
namespace {

class ProfileTest : public ::testing::Test {
 protected:
  // Writes a profile and reads it into settings_.
  bool Read(std::string_view text) {
    return ReadProfile(settings_, scratch_.WriteFile("p.ini", text));
  }
  ScratchDir scratch_;
  Settings settings_;
};

TEST_F(ProfileTest, AppliesTheKeysOfTheCliGroupWrittenAsLongOptions) {
  ASSERT_TRUE(
      Read("; web export\n"
           "[Other]\n"
           "--JPG-QUALITY = 10\n"
           "[cli]\n"
           "--jpg-quality = 80\n"
           "  --Width=$64\r\n"
           "--WIDTH-UNIT\t=\tpercent\r"
           "--jpg-chroma = medium  \n"
           "--GAMMA = 1.5\n"
           "--JOBS = 2\n"
           "--MAX-MEMORY = 256\n"));
  EXPECT_EQ(settings_.JPGQuality, 80);
  EXPECT_EQ(settings_.ImageWidth, 100);
  EXPECT_EQ(settings_.DoImageResize, 1);
  EXPECT_EQ(settings_.ImageWidthUnit, 1);
  EXPECT_EQ(settings_.JPGChroma, 2);
  EXPECT_FLOAT_EQ(settings_.ImageGamma, 1.5f);
  EXPECT_EQ(settings_.Jobs, 2);
  EXPECT_EQ(settings_.MaxMemory, 256);
}

TEST_F(ProfileTest, OnlyTheFirstCliGroupCountsAndARepeatedKeyTakesItsLastValue) {
  ASSERT_TRUE(
      Read("[CLI]\n"
           "--JPG-QUALITY = 70\n"
           "--JPG-QUALITY = 75\n"
           "[Cli]\n"
           "--WEBP-QUALITY = 5\n"));
  EXPECT_EQ(settings_.JPGQuality, 75);
  EXPECT_EQ(settings_.WEBPQuality, 100);
}

TEST_F(ProfileTest, KeysAProfileMayNotHoldAreSkipped) {
  ASSERT_TRUE(
      Read("[CLI]\n"
           "--INPUT = /tmp/in/\n"
           "--OUTPUT = /tmp/out/\n"
           "--CONVERSION = png\n"
           "--PROFILE = other.ini\n"
           "--DEBUG\n"
           "--QUIET\n"
           "--PAUSE\n"
           "--HELP\n"
           "--VERSION\n"
           "--FR-SOLID-OPACITY = 10\n"
           "JPG-QUALITY = 20\n"
           "-i = x\n"));
  const Settings defaults;
  EXPECT_EQ(settings_.SolidOpacity, defaults.SolidOpacity);
  EXPECT_EQ(settings_.JPGQuality, defaults.JPGQuality);
  EXPECT_EQ(settings_.OutputFormat, defaults.OutputFormat);
}

TEST_F(ProfileTest, TheFrameOpacityKeyHasItsProfileName) {
  ASSERT_TRUE(Read("[CLI]\n--WM-SOLID-OPACITY = 40\n"));
  EXPECT_EQ(settings_.SolidOpacity, 40);
}

TEST_F(ProfileTest, EmptyValuesGiveZeroOrAnEmptyTextAndSwitchesIgnoreTheirValue) {
  settings_.WatermarkFont = "Arial";
  settings_.JPGChroma = 3;
  ASSERT_TRUE(
      Read("[CLI]\n"
           "--JPG-QUALITY =\n"
           "--JPG-CHROMA\n"
           "--WM-FONT = \n"
           "--FLIP-HORIZONTAL = 0\n"
           "--NO-SUBFOLDERS = yes please\n"));
  EXPECT_EQ(settings_.JPGQuality, 0);
  EXPECT_EQ(settings_.JPGChroma, 0);
  EXPECT_EQ(settings_.WatermarkFont, "");
  EXPECT_EQ(settings_.DoImageFlipHorizontal, 1);
  EXPECT_EQ(settings_.KeepSubfolders, 0);
}

TEST_F(ProfileTest, TextsAreTrimmedAndKeepQuotesButTheMaskLosesItsQuotesAndKeepsItsBlanks) {
  ASSERT_TRUE(
      Read("[CLI]\n"
           "--WM-TEXT =   \"Hello\"   \n"
           "--FILENAME-MASK = \" %filename% (web) \"\n"
           "--WM-BACK-COLOR = FF0000 \t\n"));
  EXPECT_EQ(settings_.WatermarkText, "\"Hello\"");
  EXPECT_EQ(settings_.DoWatermark, 1);
  EXPECT_EQ(settings_.FilenameMask, " %filename% (web) ");
  EXPECT_EQ(settings_.BackColor, "FF0000");
}

TEST_F(ProfileTest, AFileWithoutByteOrderMarkIsReadAsLatin1) {
  ASSERT_TRUE(Read("[CLI]\n--WM-TEXT = caf\xE9\n"));
  EXPECT_EQ(settings_.WatermarkText, "caf\xC3\xA9");
}

TEST_F(ProfileTest, AProfileWithoutTheGroupIsAcceptedAndChangesNothing) {
  ASSERT_TRUE(Read("[General]\n--JPG-QUALITY = 5\n"));
  EXPECT_EQ(settings_.JPGQuality, 95);
  ASSERT_TRUE(Read(""));
}

TEST_F(ProfileTest, AnEmptyNameOrAFileThatCannotBeOpenedIsRefused) {
  EXPECT_FALSE(ReadProfile(settings_, ""));
  EXPECT_FALSE(ReadProfile(settings_, scratch_.Path("missing.ini")));
  EXPECT_FALSE(ReadProfile(settings_, scratch_.MakeFolder("folder.ini")));
}

}  // namespace
}  // namespace pictavo
