#include "batch/parallel_conversion.h"

#include <poll.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "batch/conversion_worker.h"
#include "batch/output_naming.h"
#include "batch/parallel_scheduler.h"
#include "batch/progress_line.h"
#include "batch/random_sequence.h"
#include "batch/worker_process.h"
#include "batch/worker_protocol.h"
#include "formats/file_signature.h"
#include "formats/psd_validator.h"
#include "pipeline/save.h"
#include "platform/clock.h"
#include "platform/console.h"

namespace pictavo {
namespace {

// A successful file is reported as taking at least a second, as the
// in-process worker does.
constexpr int64_t kShortestDuration = 1000;
// Wall-clock time one file may take before its worker is killed.
constexpr int64_t kFileTimeLimitMillis = 600'000;

// Tests shorten the time limit with PICTAVO_TEST_FILE_TIME_LIMIT_MS.
int64_t FileTimeLimitMillis() {
  const char* text = std::getenv("PICTAVO_TEST_FILE_TIME_LIMIT_MS");
  if (text == nullptr || *text == '\0') return kFileTimeLimitMillis;
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  return (*end == '\0' && value > 0) ? value : kFileTimeLimitMillis;
}

std::string TimeLimitReason(int64_t millis) {
  const int64_t seconds = (millis + 999) / 1000;
  return "the conversion took longer than " + std::to_string(seconds) +
         (seconds == 1 ? " second" : " seconds") + " and was stopped";
}

bool ContainsIgnoringCase(std::string text, std::string_view what) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text.find(what) != std::string::npos;
}

// Whether an output depends on the counter or random number handed out.
bool UsesHandedOutValues(const Settings& settings) {
  for (const std::string* text : {&settings.FilenameMask, &settings.WatermarkText}) {
    if (ContainsIgnoringCase(*text, "%n%") || ContainsIgnoringCase(*text, "%rnd%")) return true;
  }
  return false;
}

// Each document's decoded size from its header; 0 when the header cannot
// be read (the conversion then fails early, needing little).
std::vector<uint64_t> DecodedSizes(const InputList& inputs) {
  std::vector<uint64_t> sizes;
  sizes.reserve(inputs.size());
  for (const InputEntry& entry : inputs) {
    sizes.push_back(EstimateDecodedBytesOfFile(entry.path).value_or(0));
  }
  return sizes;
}

// The temporary files of this process get names no other file has.
std::string TemporaryName(uint64_t sequence) {
  return ".pictavo-" + std::to_string(getpid()) + "-" + std::to_string(sequence) + ".part";
}

struct Slot {
  std::unique_ptr<WorkerProcess> worker;
  std::optional<size_t> file;  // the file in hand
  int64_t started = 0;         // when it was handed over (monotonic milliseconds)
};

// What is known of one file between its start and its commit.
struct Pending {
  FileJob file;
  bool ok = false;
  std::string temporary;  // where its result is (or was to be) written
  int64_t duration = 0;   // milliseconds from hand-over to result
};

class ParallelRun {
 public:
  ParallelRun(Context& context, const InterruptWatch* interrupts, bool show_progress)
      : context_(context),
        settings_(context.settings),
        run_(context.run),
        interrupts_(interrupts),
        debug_(context.run.CommandLineInput == 1 && context.run.RunMode == "DEBUG"),
        random_(FixedRunSeed() ? std::nullopt : std::optional<int32_t>(context.run.RandomNumber),
                FixedRunSeed().value_or(DrawRunSeed())),
        firstCounter_(context.run.FileCounter),
        timeLimit_(FileTimeLimitMillis()),
        pending_(context.inputs.size()),
        scheduler_(DecodedSizes(context.inputs), SchedulerOptions(context)),
        progress_(show_progress && !debug_, static_cast<int32_t>(context.inputs.size())) {
    const int slots =
        std::min<size_t>(ResolveJobs(settings_), std::max<size_t>(1, pending_.size()));
    slots_.resize(static_cast<size_t>(slots));
    for (size_t i = 0; i < context.inputs.size(); ++i) inputIndex_[context.inputs[i].path] = i;
    setupFrame_ = FrameMessage(WorkerMessageKind::kSetup, EncodeSetup({settings_, run_}));
  }

  int Run();

 private:
  static ParallelScheduler::Options SchedulerOptions(const Context& context) {
    ParallelScheduler::Options options;
    options.jobs = ResolveJobs(context.settings);
    options.budgetBytes = PixelBudgetBytes(context.settings);
    options.valuesMatter = UsesHandedOutValues(context.settings);
    options.maxAhead = 4 * static_cast<size_t>(options.jobs);
    return options;
  }

  bool Interrupted() const { return interrupts_ != nullptr && interrupts_->Pending() != 0; }
  void StartFiles();
  void ShowProgress() {
    progress_.Update(highestStarted_, highestPath_, static_cast<int32_t>(scheduler_.committed()),
                     MonotonicMillis());
  }
  void StartFile(Slot& slot, const ParallelScheduler::Assignment& assignment);
  bool HandOver(Slot& slot, const std::string& frame, std::string& error);
  void Wait();
  void CollectResult(Slot& slot);
  void FailInHand(Slot& slot, const std::string& reason);
  void Finished(size_t index, bool ok);
  void DropResults();
  void Commit(size_t index);
  void PrintOutcome(const Pending& pending, bool ok);
  void Abandon();
  void RemoveTemporary(size_t index);

  Context& context_;
  Settings& settings_;
  RunState& run_;
  const InterruptWatch* interrupts_;
  const bool debug_;
  RandomSequence random_;
  const int32_t firstCounter_;
  const int64_t timeLimit_;
  std::vector<Pending> pending_;
  ParallelScheduler scheduler_;
  std::vector<Slot> slots_;
  std::unordered_map<std::string, size_t> inputIndex_;
  std::string setupFrame_;
  uint64_t temporaries_ = 0;
  int32_t converted_ = 0;
  int32_t highestStarted_ = 0;
  int64_t lastDuration_ = 0;
  std::string highestPath_;
  ProgressLine progress_;
};

int ParallelRun::Run() {
  for (;;) {
    if (Interrupted()) break;
    if (!context_.job.running) scheduler_.StopStarting();
    // Idle workers get their next file before the commits, whose renames
    // and flushes would otherwise keep them waiting.
    StartFiles();
    while (std::optional<size_t> next = scheduler_.NextToCommit()) {
      Commit(*next);
      StartFiles();
    }
    if (scheduler_.Done()) break;
    ShowProgress();
    Wait();
  }
  if (Interrupted()) Abandon();
  progress_.Erase();
  for (Slot& slot : slots_) {
    if (slot.worker) slot.worker->Finish();
    slot.worker.reset();
  }
  std::lock_guard<std::mutex> guard(context_.job.lock);
  context_.job.count = converted_;
  return 0;
}

void ParallelRun::StartFiles() {
  for (Slot& slot : slots_) {
    if (slot.file) continue;
    std::optional<ParallelScheduler::Assignment> assignment = scheduler_.NextToStart();
    if (!assignment) return;
    StartFile(slot, *assignment);
  }
}

void ParallelRun::StartFile(Slot& slot, const ParallelScheduler::Assignment& assignment) {
  const size_t index = assignment.index;
  const InputEntry& entry = context_.inputs[index];
  Pending& pending = pending_[index];
  pending = Pending{};
  FileJob& file = pending.file;
  file.inputPath = entry.path;
  file.relativeFolder = entry.subfolder;
  file.fileCounter = firstCounter_ + assignment.successesBefore;
  file.randomNumber = random_.At(static_cast<size_t>(assignment.successesBefore));

  const int32_t number = static_cast<int32_t>(index) + 1;
  if (number > highestStarted_) {
    highestStarted_ = number;
    highestPath_ = entry.path;
    std::lock_guard<std::mutex> guard(context_.job.lock);
    context_.job.currentNumber = number;
    context_.job.currentFile = entry.path;
    context_.job.lastDuration = lastDuration_;
  }
  if (settings_.KeepSubfolders) EnsureOutputFolder(run_.OutputFolder, entry.subfolder);
  pending.temporary = OutputFolderFor(settings_, run_, file) + TemporaryName(++temporaries_);

  slot.file = index;
  slot.started = MonotonicMillis();
  std::string error;
  if (!HandOver(slot,
                FrameMessage(WorkerMessageKind::kConvert, EncodeRequest({file, pending.temporary})),
                error)) {
    FailInHand(slot, error);
  }
}

// Sends a request, starting a worker first when the slot has none; a worker
// that has gone since its last file is replaced once.
bool ParallelRun::HandOver(Slot& slot, const std::string& frame, std::string& error) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!slot.worker) {
      slot.worker = WorkerProcess::Start(WorkerExecutable(), setupFrame_, error);
      if (!slot.worker) return false;
    }
    if (slot.worker->Send(frame)) return true;
    slot.worker->Stop();
    slot.worker.reset();
    error = "the worker process could not take the file";
  }
  return false;
}

void ParallelRun::Wait() {
  std::vector<pollfd> fds;
  std::vector<Slot*> busy;
  int64_t timeout = -1;
  const int64_t now = MonotonicMillis();
  for (Slot& slot : slots_) {
    if (!slot.file || !slot.worker) continue;
    fds.push_back({slot.worker->fd(), POLLIN, 0});
    busy.push_back(&slot);
    const int64_t left = std::max<int64_t>(0, slot.started + timeLimit_ - now);
    timeout = timeout < 0 ? left : std::min(timeout, left);
  }
  if (interrupts_ != nullptr && interrupts_->WakeFd() >= 0) {
    fds.push_back({interrupts_->WakeFd(), POLLIN, 0});
  }
  if (busy.empty()) return;  // every file handed out has its result already

  // The progress line wants a redraw ten times a second.
  const int64_t longest = progress_.active() ? 100 : 60'000;
  const int ready = poll(fds.data(), fds.size(), static_cast<int>(std::min(timeout, longest)));
  if (ready < 0 && errno != EINTR) return;
  if (Interrupted()) return;

  for (size_t i = 0; i < busy.size(); ++i) {
    if (fds[i].revents != 0) CollectResult(*busy[i]);
  }
  const int64_t later = MonotonicMillis();
  for (Slot* slot : busy) {
    if (slot->file && later - slot->started >= timeLimit_) {
      slot->worker->Stop();
      slot->worker.reset();
      FailInHand(*slot, TimeLimitReason(timeLimit_));
    }
  }
}

void ParallelRun::CollectResult(Slot& slot) {
  WorkerMessage message;
  const WorkerProcess::ReadState state = slot.worker->Read(message);
  if (state == WorkerProcess::ReadState::kWaiting) return;
  std::optional<WorkerResult> result;
  if (state == WorkerProcess::ReadState::kMessage && message.kind == WorkerMessageKind::kResult) {
    result = DecodeResult(message.payload);
  }
  if (!result) {
    // Gone, or talking nonsense: either way it is replaced.
    const int status = slot.worker->Stop();
    slot.worker.reset();
    FailInHand(slot, state == WorkerProcess::ReadState::kClosed
                         ? DescribeWorkerEnd(status)
                         : "the worker process sent a result that could not be read");
    return;
  }
  const size_t index = *slot.file;
  Pending& pending = pending_[index];
  pending.file = std::move(result->file);
  pending.ok = result->ok;
  pending.duration = MonotonicMillis() - slot.started;
  slot.file.reset();
  Finished(index, result->ok);
}

// The file in hand fails without a result from the worker.
void ParallelRun::FailInHand(Slot& slot, const std::string& reason) {
  const size_t index = *slot.file;
  Pending& pending = pending_[index];
  pending.ok = false;
  pending.file.failure = reason;
  pending.duration = MonotonicMillis() - slot.started;
  slot.file.reset();
  Finished(index, false);
}

void ParallelRun::Finished(size_t index, bool ok) {
  if (!ok) RemoveTemporary(index);
  if (!scheduler_.Finished(index, ok)) RemoveTemporary(index);
  DropResults();
}

void ParallelRun::DropResults() {
  for (size_t index : scheduler_.TakeDropped()) RemoveTemporary(index);
}

void ParallelRun::Commit(size_t index) {
  Pending& pending = pending_[index];
  const FileJob& file = pending.file;
  run_.CurrentInput = file.inputPath;
  run_.RelativeFolder = file.relativeFolder;
  RecordFileValues(run_, file);

  bool ok = pending.ok;
  if (ok && rename(pending.temporary.c_str(), file.outputPath.c_str()) != 0) {
    pending.file.failure = std::string("cannot write the output file: ") + std::strerror(errno);
    RemoveTemporary(index);
    ok = false;
  }
  if (ok) SyncFolderOfFile(file.outputPath);
  PrintOutcome(pending, ok);

  if (ok) {
    ++converted_;
    lastDuration_ = std::max(pending.duration, kShortestDuration);
    run_.RandomNumber = random_.At(static_cast<size_t>(scheduler_.committedSuccesses() + 1));
    ++run_.FileCounter;
    ApplyFileTimestamp(settings_, run_.CurrentInput, run_.CurrentOutput);
  } else {
    lastDuration_ = 0;
  }
  {
    std::lock_guard<std::mutex> guard(context_.job.lock);
    context_.job.lastDuration = lastDuration_;
  }
  scheduler_.Committed(index, ok);

  // A later file whose input this output has just replaced must read it
  // anew, as it would have after this file in a run one file at a time.
  if (ok) {
    auto later = inputIndex_.find(file.outputPath);
    if (later != inputIndex_.end() && later->second > index) {
      scheduler_.InputReplaced(later->second);
    }
  }
  DropResults();
}

void ParallelRun::PrintOutcome(const Pending& pending, bool ok) {
  if (!debug_) return;
  PrintLine("Processing: " + pending.file.inputPath);
  PrintLine("File Format: " + DetectFileSignature(pending.file.inputPath));
  if (ok) {
    PrintLine("[OK] Saving As: " + run_.CurrentOutput);
  } else {
    PrintLine("[ERROR] Unable to convert the file!");
    if (!pending.file.failure.empty()) PrintLine("Reason: " + pending.file.failure);
  }
}

// After an interrupt: the workers go at once, what is complete and next in
// list order is still committed, every other result is removed.
void ParallelRun::Abandon() {
  for (Slot& slot : slots_) {
    if (!slot.worker) continue;
    slot.worker->Stop();
    slot.worker.reset();
    if (slot.file) RemoveTemporary(*slot.file);
    slot.file.reset();
  }
  while (std::optional<size_t> next = scheduler_.NextToCommit()) Commit(*next);
  for (size_t index = scheduler_.committed(); index < scheduler_.frontier(); ++index) {
    RemoveTemporary(index);
  }
}

void ParallelRun::RemoveTemporary(size_t index) {
  Pending& pending = pending_[index];
  if (!pending.temporary.empty()) unlink(pending.temporary.c_str());
}

}  // namespace

int ResolveJobs(const Settings& settings) {
  int jobs = settings.Jobs;
  if (jobs <= 0) {
    cpu_set_t set;
    CPU_ZERO(&set);
    jobs = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
  }
  return std::clamp(jobs, 1, kMaxJobs);
}

int ParallelConversionWorker(Context& context, const InterruptWatch* interrupts,
                             bool show_progress) {
  ParallelRun run(context, interrupts, show_progress);
  return run.Run();
}

}  // namespace pictavo
