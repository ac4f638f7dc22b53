#pragma once

#include <string>

#include "batch/worker_protocol.h"
#include "decor/decor_resources.h"

namespace pictavo {

// Ways to make a worker misbehave on purpose, so that tests can show what
// its driver does about a crashed or hung conversion.
struct WorkerTestHooks {
  std::string crashOn;  // input file name on which the worker crashes
  std::string hangOn;   // input file name on which the worker stops responding
};

// Converts one file as a worker does: the image pipeline with the file's
// handed-out values, the result encoded into request.temporaryPath (created
// there, flushed, never renamed). The run state is the setup's, with the
// file's input, sub-folder, counter and random number.
WorkerResult ConvertRequest(const WorkerSetup& setup, const DecorResources& decor,
                            const WorkerRequest& request);

// The life of a worker process on the channel `fd`: reads the setup, loads
// the watermark font of a text-watermark run, limits its address space, then
// answers every request with a result, allowing each file its share of
// processor time. Returns the exit code: 0 when the driver closed the
// channel, 2 when a message made no sense or a result could not be sent.
int ServeConversions(int fd, const WorkerTestHooks& hooks);

}  // namespace pictavo
