#include "batch/worker_protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

namespace pictavo {
namespace {

// Where one listed field lies in its record.
struct FieldPlace {
  size_t offset = 0;
  size_t size = 0;
  size_t align = 1;
};

template <class Record, class Fields>
std::vector<FieldPlace> PlacesOf(const Fields& fields) {
  static const Record record{};
  const char* base = reinterpret_cast<const char*>(&record);
  std::vector<FieldPlace> places;
  for (const auto& field : fields) {
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(record.*member)>;
          const char* at = reinterpret_cast<const char*>(&(record.*member));
          places.push_back({static_cast<size_t>(at - base), sizeof(Value), alignof(Value)});
        },
        field);
  }
  std::sort(places.begin(), places.end(),
            [](const FieldPlace& a, const FieldPlace& b) { return a.offset < b.offset; });
  return places;
}

size_t AlignUp(size_t value, size_t align) {
  return (value + align - 1) / align * align;
}

// The listed fields tile the record: each one starts where the one before
// ends (after the padding its alignment needs) and the last one ends where
// the record does. A field missing from the list leaves a gap, a field
// listed twice an overlap.
template <class Record, class Fields>
void ExpectFieldsTileRecord(const Fields& fields, const char* record_name) {
  const std::vector<FieldPlace> places = PlacesOf<Record>(fields);
  ASSERT_FALSE(places.empty());
  EXPECT_EQ(places.front().offset, 0u) << record_name;
  for (size_t i = 1; i < places.size(); ++i) {
    const size_t end = places[i - 1].offset + places[i - 1].size;
    EXPECT_EQ(places[i].offset, AlignUp(end, places[i].align))
        << record_name << ": a field between bytes " << end << " and " << places[i].offset
        << " is not listed, or one is listed twice";
  }
  const size_t end = places.back().offset + places.back().size;
  EXPECT_EQ(AlignUp(end, alignof(Record)), sizeof(Record))
      << record_name << ": a field after byte " << end << " is not listed";
}

TEST(WorkerProtocolFields, EveryFieldOfEachRecordIsListedOnce) {
  ExpectFieldsTileRecord<Settings>(SettingsRecordFields(), "Settings");
  ExpectFieldsTileRecord<RunState>(RunStateFields(), "RunState");
  ExpectFieldsTileRecord<FileJob>(FileJobFields(), "FileJob");
}

// Gives every listed field a value of its own that differs from the
// default: numbers count up with the field's place in the list, texts carry
// their number, a multi-byte letter, a line end and a zero byte.
template <class Record, class Fields>
Record DistinctValues(const Fields& fields) {
  Record record{};
  const Record defaults{};
  int k = 0;
  for (const auto& field : fields) {
    ++k;
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(record.*member)>;
          if constexpr (std::is_same_v<Value, std::string>) {
            record.*member = "value " + std::to_string(k) + " \xC3\xA9\r\n" + std::string(1, '\0');
          } else if constexpr (std::is_same_v<Value, float>) {
            record.*member = defaults.*member + 0.25f * static_cast<float>(k);
          } else {
            record.*member = static_cast<Value>(defaults.*member + static_cast<Value>(k % 100 + 1));
          }
        },
        field);
  }
  return record;
}

template <class Record, class Fields>
void ExpectSameFields(const Record& expected, const Record& actual, const Fields& fields,
                      const char* record_name) {
  int k = 0;
  for (const auto& field : fields) {
    ++k;
    std::visit(
        [&](auto member) {
          using Value = std::remove_reference_t<decltype(expected.*member)>;
          if constexpr (std::is_same_v<Value, float>) {
            EXPECT_EQ(std::memcmp(&(expected.*member), &(actual.*member), sizeof(float)), 0)
                << record_name << " field " << k;
          } else {
            EXPECT_EQ(expected.*member, actual.*member) << record_name << " field " << k;
          }
        },
        field);
  }
}

TEST(WorkerProtocol, SetupRoundTripKeepsEverySettingAndRunStateField) {
  WorkerSetup setup;
  setup.settings = DistinctValues<Settings>(SettingsRecordFields());
  setup.run = DistinctValues<RunState>(RunStateFields());
  // The values really differ from a fresh record's, so a field that did not
  // cross would show.
  EXPECT_NE(setup.settings.Jobs, Settings{}.Jobs);
  EXPECT_NE(setup.run.RunMode, RunState{}.RunMode);

  std::optional<WorkerSetup> decoded = DecodeSetup(EncodeSetup(setup));
  ASSERT_TRUE(decoded);
  ExpectSameFields(setup.settings, decoded->settings, SettingsRecordFields(), "Settings");
  ExpectSameFields(setup.run, decoded->run, RunStateFields(), "RunState");
}

TEST(WorkerProtocol, RequestAndResultRoundTripsKeepEveryFileJobField) {
  const FileJob file = DistinctValues<FileJob>(FileJobFields());

  std::optional<WorkerRequest> request =
      DecodeRequest(EncodeRequest({file, "/out/.pictavo-1-2.part"}));
  ASSERT_TRUE(request);
  ExpectSameFields(file, request->file, FileJobFields(), "FileJob in a request");
  EXPECT_EQ(request->temporaryPath, "/out/.pictavo-1-2.part");

  for (bool ok : {true, false}) {
    std::optional<WorkerResult> result = DecodeResult(EncodeResult({ok, file}));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->ok, ok);
    ExpectSameFields(file, result->file, FileJobFields(), "FileJob in a result");
  }
}

TEST(WorkerProtocol, MalformedPayloadsAreRefused) {
  const std::string setup = EncodeSetup({});
  const std::string request = EncodeRequest({FileJob{}, "/tmp/x"});
  const std::string result = EncodeResult({true, FileJob{}});
  // Cut short, one byte too many, and a text length beyond the end.
  EXPECT_FALSE(DecodeSetup(setup.substr(0, setup.size() - 1)));
  EXPECT_FALSE(DecodeSetup(setup + "x"));
  EXPECT_FALSE(DecodeRequest(request.substr(0, 3)));
  EXPECT_FALSE(DecodeRequest(request + "x"));
  EXPECT_FALSE(DecodeResult(result.substr(0, result.size() - 1)));
  EXPECT_FALSE(DecodeResult(std::string("\x01\xff\xff\xff\x7f", 5)));
  // A setup from something other than a driver of this kind.
  std::string foreign = setup;
  foreign[0] ^= 0x55;
  EXPECT_FALSE(DecodeSetup(foreign));
  // An outcome other than 0 or 1.
  std::string odd = result;
  odd[0] = 2;
  EXPECT_FALSE(DecodeResult(odd));
}

TEST(WorkerMessageReader, CutsFramesArrivingInPiecesOfAnySize) {
  const std::string stream = FrameMessage(WorkerMessageKind::kConvert, "first") +
                             FrameMessage(WorkerMessageKind::kResult, "") +
                             FrameMessage(WorkerMessageKind::kSetup, std::string(5000, 's'));
  for (size_t piece : {size_t{1}, size_t{3}, size_t{4096}}) {
    MessageReader reader;
    std::vector<WorkerMessage> messages;
    for (size_t at = 0; at < stream.size(); at += piece) {
      reader.Append(stream.data() + at, std::min(piece, stream.size() - at));
      while (std::optional<WorkerMessage> message = reader.Next()) messages.push_back(*message);
    }
    ASSERT_EQ(messages.size(), 3u) << "pieces of " << piece;
    EXPECT_EQ(messages[0].kind, WorkerMessageKind::kConvert);
    EXPECT_EQ(messages[0].payload, "first");
    EXPECT_EQ(messages[1].kind, WorkerMessageKind::kResult);
    EXPECT_EQ(messages[1].payload, "");
    EXPECT_EQ(messages[2].payload, std::string(5000, 's'));
    EXPECT_EQ(reader.pending(), 0u);
    EXPECT_FALSE(reader.broken());
  }
}

TEST(WorkerMessageReader, ALengthOutOfRangeBreaksTheStream) {
  for (uint32_t length : {0u, kMaxWorkerMessageBytes + 1}) {
    MessageReader reader;
    std::string bytes(sizeof length, '\0');
    std::memcpy(bytes.data(), &length, sizeof length);
    bytes += FrameMessage(WorkerMessageKind::kResult, "after");
    reader.Append(bytes.data(), bytes.size());
    EXPECT_FALSE(reader.Next()) << length;
    EXPECT_TRUE(reader.broken()) << length;
  }
}

}  // namespace
}  // namespace pictavo
