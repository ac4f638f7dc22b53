#include "app/startup.h"

#include <memory>

#include "app/dispatcher.h"
#include "app/parameters.h"
#include "app/worker_mode.h"
#include "platform/console.h"
#include "platform/instance_lock.h"
#include "platform/signals.h"

namespace pictavo {

int RunProgram(int argc, char** argv) {
  IgnoreBrokenPipes();

  // A conversion worker of a running batch takes no lock and has no face.
  if (IsWorkerMode(argc, argv)) return RunWorkerMode();
  ChooseConversionProcesses();

  // One instance at a time, window or command line: a second start ends
  // silently, before its parameters are looked at.
  std::optional<InstanceLock> lock = InstanceLock::Acquire(TitleString());
  if (!lock) return 0;

  auto context = std::make_unique<Context>();
  context->settings.InstanceMutex = 1;

  const DispatchResult result = Dispatch(*context, ParametersFromArgv(argc, argv));
  if (result.outcome != DispatchOutcome::Done) {
    PrintLine(
        "The window face is not part of this build yet; run pictavo -h for the command line.");
  }
  return 0;
}

}  // namespace pictavo
