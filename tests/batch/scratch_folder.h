#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace pictavo::testing {

// A fresh folder below the system's temporary folder, removed with everything
// in it when the object goes. `path()` ends in "/", as folder texts do.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pictavo-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    EXPECT_NE(made, nullptr);
    root_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return root_; }

  // Writes `bytes` to the file `relative` below the folder, creating the
  // folders on the way; returns its full path.
  std::string Write(const std::string& relative, std::string_view bytes = "not empty") const {
    std::string full = root_ + relative;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream out(full, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

  // Creates the folder `relative` (and its parents); returns its full path
  // ending in "/".
  std::string MakeFolder(const std::string& relative) const {
    std::filesystem::create_directories(root_ + relative);
    return root_ + relative + (relative.empty() || relative.back() == '/' ? "" : "/");
  }

 private:
  std::string root_;
};

}  // namespace pictavo::testing
