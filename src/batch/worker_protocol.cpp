#include "batch/worker_protocol.h"

#include <cstring>
#include <type_traits>

#include "settings/settings_keys.h"

namespace pictavo {
namespace {

using S = Settings;
using R = RunState;
using F = FileJob;

// The fields of Settings that the settings file does not hold; with the
// file's keys they are the whole record.
const RecordField<Settings> kUnstoredSettings[] = {
    &S::SettingsPath, &S::InstanceMutex, &S::MenuHeight, &S::ToolbarHeight, &S::TopOffset,
    &S::ListHeight,   &S::StatusHeight,  &S::MaxMemory,  &S::Jobs,
};

const RecordField<RunState> kRunStateFields[] = {
    &R::ProgramFolder,    &R::CurrentInput, &R::InputPath,       &R::RelativeFolder,
    &R::CurrentOutput,    &R::OutputFolder, &R::RandomNumber,    &R::FileCounter,
    &R::InputFormat,      &R::LoadedBpp,    &R::OutputFif,       &R::OutputExtension,
    &R::OutputBpp,        &R::SaveFlags,    &R::AutoBpp,         &R::PendingRefresh,
    &R::CommandLineInput, &R::RunMode,      &R::ResultWidth,     &R::ResultHeight,
    &R::ConverterFrom,    &R::ConverterTo,  &R::PreferencesPage,
};

const RecordField<FileJob> kFileJobFields[] = {
    &F::inputPath, &F::relativeFolder, &F::fileCounter,  &F::randomNumber, &F::loadedBpp,
    &F::outputBpp, &F::resultWidth,    &F::resultHeight, &F::outputPath,   &F::failure,
};

// "PXW1": tells a worker that the setup comes from a driver of its own kind.
constexpr uint32_t kSetupMagic = 0x31575850;

class Encoder {
 public:
  template <class T>
  void Put(const T& value) {
    if constexpr (std::is_same_v<T, std::string>) {
      Put(static_cast<uint32_t>(value.size()));
      out_.append(value);
    } else {
      static_assert(std::is_arithmetic_v<T>);
      char bytes[sizeof(T)];
      std::memcpy(bytes, &value, sizeof(T));
      out_.append(bytes, sizeof(T));
    }
  }
  template <class Record, class Fields>
  void PutRecord(const Record& record, const Fields& fields) {
    for (const auto& field : fields) {
      std::visit([&](auto member) { Put(record.*member); }, field);
    }
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

class Decoder {
 public:
  explicit Decoder(std::string_view in) : in_(in) {}

  template <class T>
  void Get(T& value) {
    if (!ok_) return;
    if constexpr (std::is_same_v<T, std::string>) {
      uint32_t size = 0;
      Get(size);
      if (!ok_ || size > in_.size()) {
        ok_ = false;
        return;
      }
      value.assign(in_.data(), size);
      in_.remove_prefix(size);
    } else {
      static_assert(std::is_arithmetic_v<T>);
      if (in_.size() < sizeof(T)) {
        ok_ = false;
        return;
      }
      std::memcpy(&value, in_.data(), sizeof(T));
      in_.remove_prefix(sizeof(T));
    }
  }
  template <class Record, class Fields>
  void GetRecord(Record& record, const Fields& fields) {
    for (const auto& field : fields) {
      std::visit([&](auto member) { Get(record.*member); }, field);
    }
  }
  // Every byte read and nothing malformed.
  bool Complete() const { return ok_ && in_.empty(); }

 private:
  std::string_view in_;
  bool ok_ = true;
};

}  // namespace

std::vector<RecordField<Settings>> SettingsRecordFields() {
  std::vector<RecordField<Settings>> fields;
  for (const SettingsKey& key : SettingsKeys()) {
    std::visit([&](auto member) { fields.emplace_back(member); }, key.field);
  }
  fields.insert(fields.end(), std::begin(kUnstoredSettings), std::end(kUnstoredSettings));
  return fields;
}

std::span<const RecordField<RunState>> RunStateFields() {
  return kRunStateFields;
}

std::span<const RecordField<FileJob>> FileJobFields() {
  return kFileJobFields;
}

std::string EncodeSetup(const WorkerSetup& setup) {
  Encoder out;
  out.Put(kSetupMagic);
  out.PutRecord(setup.settings, SettingsRecordFields());
  out.PutRecord(setup.run, RunStateFields());
  return out.Take();
}

std::optional<WorkerSetup> DecodeSetup(std::string_view payload) {
  Decoder in(payload);
  uint32_t magic = 0;
  in.Get(magic);
  if (magic != kSetupMagic) return std::nullopt;
  WorkerSetup setup;
  in.GetRecord(setup.settings, SettingsRecordFields());
  in.GetRecord(setup.run, RunStateFields());
  if (!in.Complete()) return std::nullopt;
  return setup;
}

std::string EncodeRequest(const WorkerRequest& request) {
  Encoder out;
  out.PutRecord(request.file, FileJobFields());
  out.Put(request.temporaryPath);
  return out.Take();
}

std::optional<WorkerRequest> DecodeRequest(std::string_view payload) {
  Decoder in(payload);
  WorkerRequest request;
  in.GetRecord(request.file, FileJobFields());
  in.Get(request.temporaryPath);
  if (!in.Complete()) return std::nullopt;
  return request;
}

std::string EncodeResult(const WorkerResult& result) {
  Encoder out;
  out.Put(static_cast<int8_t>(result.ok ? 1 : 0));
  out.PutRecord(result.file, FileJobFields());
  return out.Take();
}

std::optional<WorkerResult> DecodeResult(std::string_view payload) {
  Decoder in(payload);
  int8_t ok = 0;
  in.Get(ok);
  WorkerResult result;
  result.ok = ok == 1;
  in.GetRecord(result.file, FileJobFields());
  if (!in.Complete() || (ok != 0 && ok != 1)) return std::nullopt;
  return result;
}

std::string FrameMessage(WorkerMessageKind kind, std::string_view payload) {
  const uint32_t length = static_cast<uint32_t>(payload.size() + 1);
  std::string frame(sizeof length, '\0');
  std::memcpy(frame.data(), &length, sizeof length);
  frame.push_back(static_cast<char>(kind));
  frame.append(payload);
  return frame;
}

std::optional<WorkerMessage> MessageReader::Next() {
  if (broken_ || buffer_.size() < sizeof(uint32_t)) return std::nullopt;
  uint32_t length = 0;
  std::memcpy(&length, buffer_.data(), sizeof length);
  if (length == 0 || length > kMaxWorkerMessageBytes) {
    broken_ = true;
    return std::nullopt;
  }
  if (buffer_.size() < sizeof length + length) return std::nullopt;
  WorkerMessage message;
  message.kind = static_cast<WorkerMessageKind>(buffer_[sizeof length]);
  message.payload = buffer_.substr(sizeof length + 1, length - 1);
  buffer_.erase(0, sizeof length + length);
  return message;
}

}  // namespace pictavo
