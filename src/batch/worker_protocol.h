#pragma once

// The messages between the batch driver and its conversion workers.
//
// A message is a frame: its length (4 bytes, this machine's byte order, the
// kind byte included), one kind byte and the payload. Both ends are the same
// executable, so the encoding needs no versioning beyond a magic number in
// the setup. Numbers are written in their own width, texts as a 4-byte
// length and their bytes. Pixels never cross: the worker writes its result
// into a file and reports the values of the file's record.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "batch/file_job.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

enum class WorkerMessageKind : uint8_t {
  kSetup = 1,    // driver to worker, once: settings record and run state
  kConvert = 2,  // driver to worker, per file: WorkerRequest
  kResult = 3,   // worker to driver, per file: WorkerResult
};

struct WorkerMessage {
  WorkerMessageKind kind = WorkerMessageKind::kSetup;
  std::string payload;
};

// What a worker needs for the whole run.
struct WorkerSetup {
  Settings settings;
  RunState run;
};

// One file to convert: its record (the values the driver hands out filled
// in) and the file the encoded result goes to. The temporary file is chosen
// by the driver so that it can remove it whatever becomes of the worker.
struct WorkerRequest {
  FileJob file;
  std::string temporaryPath;
};

// The outcome of one request: the record as the conversion left it, and
// whether the temporary file holds the result.
struct WorkerResult {
  bool ok = false;
  FileJob file;
};

// Messages larger than this are refused as garbage.
inline constexpr uint32_t kMaxWorkerMessageBytes = 1u << 20;

std::string EncodeSetup(const WorkerSetup& setup);
std::string EncodeRequest(const WorkerRequest& request);
std::string EncodeResult(const WorkerResult& result);
// Nothing when the payload is malformed, truncated or has bytes left over.
std::optional<WorkerSetup> DecodeSetup(std::string_view payload);
std::optional<WorkerRequest> DecodeRequest(std::string_view payload);
std::optional<WorkerResult> DecodeResult(std::string_view payload);

// The frame of a message, ready to be written.
std::string FrameMessage(WorkerMessageKind kind, std::string_view payload);

// Collects bytes as they arrive and cuts them into messages.
class MessageReader {
 public:
  void Append(const char* data, size_t size) { buffer_.append(data, size); }
  // The next whole message; nothing when more bytes are needed or the
  // stream is broken (a length beyond kMaxWorkerMessageBytes or zero).
  std::optional<WorkerMessage> Next();
  bool broken() const { return broken_; }
  // Bytes received that do not yet form a whole message.
  size_t pending() const { return buffer_.size(); }

 private:
  std::string buffer_;
  bool broken_ = false;
};

// The fields that cross, one list per record, in the order they are
// encoded. The settings are the keys of the settings file followed by the
// fields the file does not hold.
template <class Record>
using RecordField = std::variant<int8_t Record::*, int32_t Record::*, int64_t Record::*,
                                 float Record::*, std::string Record::*>;

std::vector<RecordField<Settings>> SettingsRecordFields();
std::span<const RecordField<RunState>> RunStateFields();
std::span<const RecordField<FileJob>> FileJobFields();

}  // namespace pictavo
