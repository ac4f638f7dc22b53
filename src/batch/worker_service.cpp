#include "batch/worker_service.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <optional>

#include "batch/worker_limits.h"
#include "pipeline/convert_image.h"
#include "pipeline/save.h"

namespace pictavo {
namespace {

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Blocks until a whole message has arrived; nothing when the channel closed
// or broke first.
std::optional<WorkerMessage> ReadMessage(int fd, MessageReader& reader) {
  char buffer[4096];
  for (;;) {
    if (auto message = reader.Next()) return message;
    if (reader.broken()) return std::nullopt;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return std::nullopt;
    reader.Append(buffer, static_cast<size_t>(got));
  }
}

bool SendAll(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

void ApplyTestHooks(const WorkerTestHooks& hooks, const std::string& input) {
  const std::string name = FileNameOf(input);
  if (!hooks.crashOn.empty() && name == hooks.crashOn) std::raise(SIGSEGV);
  if (!hooks.hangOn.empty() && name == hooks.hangOn) {
    for (;;) pause();
  }
}

}  // namespace

WorkerResult ConvertRequest(const WorkerSetup& setup, const DecorResources& decor,
                            const WorkerRequest& request) {
  WorkerResult result;
  result.file = request.file;
  FileJob& file = result.file;
  RunState run = setup.run;
  run.CurrentInput = file.inputPath;
  run.RelativeFolder = file.relativeFolder;
  run.FileCounter = file.fileCounter;
  run.RandomNumber = file.randomNumber;

  Bitmap image = RenderImage(setup.settings, run, decor, file);
  if (file.outputPath.empty()) return result;  // nothing was loaded
  result.ok =
      WriteImageFile(image, run.OutputFif, run.SaveFlags, request.temporaryPath, file.failure);
  return result;
}

int ServeConversions(int fd, const WorkerTestHooks& hooks) {
  MessageReader reader;
  std::optional<WorkerMessage> first = ReadMessage(fd, reader);
  if (!first) return 0;  // the driver went before the run began
  if (first->kind != WorkerMessageKind::kSetup) return 2;
  std::optional<WorkerSetup> setup = DecodeSetup(first->payload);
  if (!setup) return 2;

  // The driver has loaded the same font already; should it fail here all
  // the same, every file fails rather than going out without its text.
  DecorResources decor;
  const bool font_missing =
      setup->settings.DoWatermark == 1 && !LoadWatermarkFont(setup->settings, decor);
  LimitAddressSpace(setup->settings);

  while (std::optional<WorkerMessage> message = ReadMessage(fd, reader)) {
    if (message->kind != WorkerMessageKind::kConvert) return 2;
    std::optional<WorkerRequest> request = DecodeRequest(message->payload);
    if (!request) return 2;
    ApplyTestHooks(hooks, request->file.inputPath);
    AllowCpuSeconds(kCpuSecondsPerFile);
    WorkerResult result;
    if (font_missing) {
      result.file = request->file;
      result.file.failure = "the watermark font could not be loaded";
    } else {
      result = ConvertRequest(*setup, decor, *request);
    }
    if (!SendAll(fd, FrameMessage(WorkerMessageKind::kResult, EncodeResult(result)))) return 2;
  }
  return reader.broken() ? 2 : 0;
}

}  // namespace pictavo
