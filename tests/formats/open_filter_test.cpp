#include "formats/open_filter.h"

#include <gtest/gtest.h>

namespace pictavo {
namespace {

class OpenFilterTest : public ::testing::Test {
 protected:
  void SetUp() override { messages.Build(); }
  MessageTable messages;
  FormatTables formats;
};

TEST_F(OpenFilterTest, NamesThePsdPatternUnderAllSupportedAndItsDescription) {
  EXPECT_EQ(BuildOpenFilter(formats, messages),
            "All Supported Files|*.psd|Adobe Photoshop File|*.psd|All Files (*.*)|*.*");
}

TEST_F(OpenFilterTest, GroupsPatternsByDescriptionNewestFirst) {
  formats.EnabledInputFormats = {"psd", "jpg", "wmf"};
  BuildSupportedExtensions(formats);
  EXPECT_EQ(BuildOpenFilter(formats, messages),
            "All Supported Files|*.psd;*.jpg;*.jpeg;*.jpe;*.jif;*.wmf;*.wmz;*.apm|"
            "Adobe Photoshop File|*.psd|"
            "JPEG File|*.jif;*.jpe;*.jpeg;*.jpg|"
            "Windows Metafile Format|*.wmz;*.wmf|"
            "Aldus Placeable Metafile|*.apm|"
            "All Files (*.*)|*.*");
}

}  // namespace
}  // namespace pictavo
