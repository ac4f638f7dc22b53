#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pictavo {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ReplaceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("pictavo-replace-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(ReplaceFileTest, CreatesAndReplacesKeepingPermissions) {
  const fs::path path = folder_ / "a.ini";
  ASSERT_TRUE(ReplaceFile(path.string(), "first"));
  EXPECT_EQ(ReadBytes(path), "first");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFile(path.string(), std::string("second\0with nul", 15)));
  EXPECT_EQ(ReadBytes(path), std::string("second\0with nul", 15));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), {}), 1);
}

TEST_F(ReplaceFileTest, ALinkStaysALinkToTheNewContents) {
  fs::create_directories(folder_ / "real");
  const fs::path target = folder_ / "real" / "config.ini";
  std::ofstream(target) << "old";
  const fs::path link = folder_ / "config.ini";
  fs::create_symlink(target, link);
  ASSERT_TRUE(ReplaceFile(link.string(), "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "new");
}

}  // namespace
}  // namespace pictavo
