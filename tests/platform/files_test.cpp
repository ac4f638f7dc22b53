#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/run_pictavo.h"

namespace pictavo {
namespace {

TEST(FilesTest, TellsFilesFoldersAndMissingPathsApart) {
  ScratchDir scratch;
  const std::string file = scratch.WriteFile("a.psd", "12345");
  const std::string empty = scratch.WriteFile("empty.psd", "");
  const std::string folder = scratch.MakeFolder("sub");

  EXPECT_EQ(FileSize(file), 5);
  EXPECT_EQ(FileSize(empty), 0);
  EXPECT_FALSE(FileSize(folder).has_value());
  EXPECT_FALSE(FileSize(scratch.Path("missing.psd")).has_value());
  EXPECT_FALSE(FileSize("").has_value());

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(folder));
  EXPECT_FALSE(FileExists(scratch.Path("missing.psd")));

  EXPECT_TRUE(IsFolder(folder));  // with its trailing "/"
  EXPECT_TRUE(IsFolder(scratch.Path("sub")));
  EXPECT_FALSE(IsFolder(file));
  EXPECT_FALSE(IsFolder(scratch.Path("missing/")));

  EXPECT_TRUE(PathExists(file));
  EXPECT_TRUE(PathExists(folder));
  EXPECT_FALSE(PathExists(scratch.Path("missing.psd")));
}

TEST(FilesTest, AFileNameWithATrailingSlashIsNotAFile) {
  ScratchDir scratch;
  const std::string file = scratch.WriteFile("a.psd", "x");
  EXPECT_FALSE(FileSize(file + "/").has_value());
  EXPECT_FALSE(IsFolder(file + "/"));
}

}  // namespace
}  // namespace pictavo
