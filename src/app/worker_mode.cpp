#include "app/worker_mode.h"

#include <sys/prctl.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "batch/worker_process.h"
#include "batch/worker_service.h"

namespace pictavo {
namespace {

std::string EnvironmentText(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

bool IsWorkerMode(int argc, char** argv) {
  return argc == 2 && argv[1] != nullptr && kWorkerModeSwitch == argv[1];
}

int RunWorkerMode() {
  // A worker must not outlive its driver, even in the middle of a file.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  // A file-size limit then fails the write with an error the file's reason
  // can name, instead of ending the worker.
  std::signal(SIGXFSZ, SIG_IGN);

  WorkerTestHooks hooks;
  hooks.crashOn = EnvironmentText("PICTAVO_TEST_CRASH_ON");
  hooks.hangOn = EnvironmentText("PICTAVO_TEST_HANG_ON");
  return ServeConversions(kWorkerChannelFd, hooks);
}

void ChooseConversionProcesses() {
  if (!EnvironmentText("PICTAVO_CONVERT_IN_PROCESS").empty()) return;
  // The running executable itself, even should its file be replaced while
  // the run goes on.
  SetWorkerExecutable("/proc/self/exe");
}

}  // namespace pictavo
