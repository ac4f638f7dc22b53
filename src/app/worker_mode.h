#pragma once

namespace pictavo {

// True when the executable was started by the batch driver as one of its
// conversion workers (the internal first argument kWorkerModeSwitch).
bool IsWorkerMode(int argc, char** argv);

// The whole life of a worker process: no single-instance lock, no console
// output, requests and results on its channel until the driver closes it.
// Returns the process's exit code.
int RunWorkerMode();

// Makes the batch driver of this process convert in worker processes of
// this executable, unless PICTAVO_CONVERT_IN_PROCESS is set (a switch for
// measuring what the workers cost), in which case files are converted on
// the driver's own worker thread.
void ChooseConversionProcesses();

}  // namespace pictavo
