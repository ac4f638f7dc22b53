// Writes a large test document and times one conversion of it in-process.
//
//   convert_bench write <doc.psd> [width height]   makes an 8-bit RGB document
//   convert_bench convert <doc.psd> <out-folder/>  runs ConvertImage once
//
// The convert mode prints the wall time of the call, the process's CPU time
// and its peak resident memory, so the pipeline's own cost can be told from
// start-up.

#include <FreeImage.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pipeline/convert_image.h"
#include "support/psd_writer.h"

namespace {

using namespace pictavo;

int Write(const std::string& path, uint32_t width, uint32_t height) {
  test_support::PsdSpec spec;
  spec.width = width;
  spec.height = height;
  spec.compression = test_support::PsdCompression::kRle;
  spec.with_layer = true;
  // Smooth gradients with some texture: neither trivially compressible nor
  // pure noise, like a photograph.
  auto pixels = [width, height](uint32_t x, uint32_t y, uint32_t channel) {
    const double base = channel == 0   ? 255.0 * x / width
                        : channel == 1 ? 255.0 * y / height
                                       : 255.0 * (x + y) / (width + height);
    return static_cast<double>((static_cast<int>(base) + ((x * 7 + y * 13) % 9)) % 256);
  };
  if (!test_support::WritePsdFile(path, spec, pixels)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

int Convert(const std::string& input, const std::string& folder) {
  Settings settings;
  RunState run;
  run.OutputFolder = folder.back() == '/' ? folder : folder + "/";
  run.OutputExtension = "jpg";
  run.OutputFif = FIF_JPEG;
  run.SaveFlags = 95 | JPEG_SUBSAMPLING_444;
  run.AutoBpp = 1;
  DecorResources decor;
  FileJob file;
  file.inputPath = input;

  const auto start = std::chrono::steady_clock::now();
  const bool ok = ConvertImage(settings, run, decor, file);
  const auto end = std::chrono::steady_clock::now();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("converted: %s\n", ok ? "yes" : ("no (" + file.failure + ")").c_str());
  std::printf("output: %s (%d x %d, %d bits)\n", file.outputPath.c_str(), file.resultWidth,
              file.resultHeight, file.outputBpp);
  std::printf("ConvertImage wall time: %.3f s\n",
              std::chrono::duration<double>(end - start).count());
  // CPU time tells the cost apart from waiting for a busy machine.
  std::printf("process CPU time: %.3f s user, %.3f s system\n",
              usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6,
              usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6);
  std::printf("peak resident memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && (argc == 3 || argc == 5)) {
    const uint32_t width = argc == 5 ? std::strtoul(argv[3], nullptr, 10) : 4000;
    const uint32_t height = argc == 5 ? std::strtoul(argv[4], nullptr, 10) : 3000;
    return Write(argv[2], width, height);
  }
  if (mode == "convert" && argc == 4) return Convert(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: convert_bench write <doc.psd> [width height]\n"
               "       convert_bench convert <doc.psd> <out-folder/>\n");
  return 2;
}
