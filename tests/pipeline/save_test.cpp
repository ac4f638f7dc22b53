#include "pipeline/save.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "pipeline/scratch_folder.h"
#include "pipeline/test_images.h"

namespace pictavo {
namespace {

using testing::PixelAt;
using testing::Rgb;
using testing::ScratchFolder;
using testing::SolidImage;

constexpr int kJpegFlags = 95 | JPEG_SUBSAMPLING_444;
const std::string kOldContent = "the previous output, to be kept on failure";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class SaveImageTest : public ::testing::Test {
 protected:
  std::string Target() const { return folder_.Path() + "out.jpg"; }
  void WriteOldFile() const { std::ofstream(Target(), std::ios::binary) << kOldContent; }
  std::vector<std::string> Entries() const { return ScratchFolder::Entries(folder_.Path()); }

  ScratchFolder folder_;
};

TEST_F(SaveImageTest, ReplacesAnExistingFileAndLeavesNoTemporary) {
  WriteOldFile();
  std::string failure;
  ASSERT_TRUE(SaveImage(SolidImage(16, 16, {200, 30, 40}), FIF_JPEG, kJpegFlags, Target(), failure))
      << failure;
  EXPECT_EQ(failure, "");
  Bitmap saved(FreeImage_Load(FIF_JPEG, Target().c_str(), 0));
  ASSERT_TRUE(saved);
  const Rgb got = PixelAt(saved, 8, 8);
  EXPECT_NEAR(got.r, 200, 4);
  EXPECT_NEAR(got.g, 30, 4);
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.jpg"});
}

TEST_F(SaveImageTest, NewFileGetsTheUsualModeNotThePrivateOneOfTheTemporary) {
  const mode_t previous = umask(027);
  std::string failure;
  const bool saved =
      SaveImage(SolidImage(4, 4, {1, 2, 3}), FIF_JPEG, kJpegFlags, Target(), failure);
  umask(previous);
  ASSERT_TRUE(saved) << failure;
  struct stat info {};
  ASSERT_EQ(stat(Target().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(SaveImageTest, LongNameStillFitsItsTemporary) {
  const std::string target = folder_.Path() + std::string(251, 'n') + ".jpg";
  std::string failure;
  EXPECT_TRUE(SaveImage(SolidImage(4, 4, {1, 2, 3}), FIF_JPEG, kJpegFlags, target, failure))
      << failure;
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(SaveImageTest, FailuresKeepTheOldFileAndLeaveNoTemporary) {
  struct Case {
    const char* name;
    Bitmap image;
    std::string path;
    std::string reason;
  };
  Case cases[] = {
      {"missing image", Bitmap(), Target(), "no image to save"},
      {"encoder refuses the type", Bitmap(FreeImage_AllocateT(FIT_RGBF, 4, 4)), Target(),
       "FreeImage could not encode the image as JPEG"},
      {"folder missing", SolidImage(4, 4, {1, 2, 3}), folder_.Path() + "gone/out.jpg",
       "cannot write the output file: No such file or directory"},
      {"target is a folder", SolidImage(4, 4, {1, 2, 3}), folder_.Path() + "sub",
       "cannot write the output file: Is a directory"},
  };
  ASSERT_EQ(mkdir((folder_.Path() + "sub").c_str(), 0755), 0);
  WriteOldFile();
  for (Case& c : cases) {
    std::string failure;
    EXPECT_FALSE(SaveImage(c.image, FIF_JPEG, kJpegFlags, c.path, failure)) << c.name;
    EXPECT_EQ(failure, c.reason) << c.name;
    EXPECT_EQ(ReadFile(Target()), kOldContent) << c.name;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"out.jpg", "sub"})) << c.name;
  }
}

// A write that runs out of room (here: a file-size limit far below the
// encoded size, in a child process so the limit stays there) fails the save
// and leaves the old file as it was.
TEST_F(SaveImageTest, WriteFailureKeepsTheOldFile) {
  WriteOldFile();
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(pipe_fds[0]);
    signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of ending the process
    struct rlimit limit {
      512, 512
    };
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string failure;
    // Noise does not compress: the JPEG is far larger than the limit.
    Bitmap noise = SolidImage(128, 128, {0, 0, 0});
    unsigned seed = 1;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) {
        seed = seed * 1103515245u + 12345u;
        testing::SetPixel(noise, x, y,
                          {int(seed >> 24), int(seed >> 16) & 255, int(seed >> 8) & 255});
      }
    const bool saved = SaveImage(noise, FIF_JPEG, kJpegFlags, Target(), failure);
    if (write(pipe_fds[1], failure.data(), failure.size()) < 0) _exit(3);
    _exit(saved ? 1 : 0);
  }
  close(pipe_fds[1]);
  std::string failure;
  char buffer[256];
  for (ssize_t n; (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) failure.append(buffer, n);
  close(pipe_fds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save reported success";
  EXPECT_EQ(failure, "cannot write the output file: File too large");
  EXPECT_EQ(ReadFile(Target()), kOldContent);
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.jpg"});
}

}  // namespace
}  // namespace pictavo
