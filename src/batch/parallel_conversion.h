#pragma once

#include "app/context.h"
#include "batch/interrupts.h"

namespace pictavo {

// Most files a run converts at once, whatever is asked.
inline constexpr int kMaxJobs = 64;

// How many files a run converts at once: `Jobs` when positive, otherwise one
// per processor the process may run on; at least 1, at most kMaxJobs.
int ResolveJobs(const Settings& settings);

// The task procedure of a conversion in worker processes of
// WorkerExecutable(), and what the batch driver runs in their place of the
// in-process worker. Converts context.inputs with up to ResolveJobs workers
// at once, within the memory budget of `Max Memory`, and commits the
// results strictly in list order: the temporary file a worker wrote is
// renamed over the output path, the file time is set, the debug lines of
// that file are printed together ("Processing: ", "File Format: ", the
// outcome, and after a failure "Reason: " with the reason when one is
// known), the counter and random number advance, and the progress record is
// updated, exactly as converting one file after another would leave them.
//
// A worker that crashes, goes over a limit or takes longer than the time a
// file may take costs that file only: it is killed, its temporary file
// removed, and a fresh worker takes the next file. Clearing `running`
// stops new files from being started; those in hand are finished. A signal
// noted by `interrupts` ends the run at once: the workers are killed, the
// results that are next in list order are committed, every other temporary
// file is removed. With `show_progress`, outside debug mode, a progress line
// on standard error follows the run when that is a terminal (ProgressLine).
// Sets `count` at the end and returns 0.
int ParallelConversionWorker(Context& context, const InterruptWatch* interrupts,
                             bool show_progress);

}  // namespace pictavo
