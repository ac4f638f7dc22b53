#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_records.h"

namespace pictavo {

inline constexpr std::string_view kNoStringError = "%NO_STRING_ERROR%";

// Grouped, case-insensitive key-to-text lookup over the built-in English
// texts. A miss yields "%NO_STRING_ERROR%".
//
// Groups and keys are stored upper-cased; the entries of each group are sorted
// by key and indexed by their first byte, so a lookup only compares the keys
// sharing that byte. Once built, the table is read-only and may be read from
// several threads at once.
class MessageTable {
 public:
  MessageTable() = default;
  MessageTable(const MessageTable& other);
  MessageTable& operator=(const MessageTable& other);

  // Builds (or rebuilds) the table from the built-in records.
  void Build();
  // Builds (or rebuilds) the table from `records`, which end at "_END_" or
  // at their end. Entries before the first group are ignored.
  void BuildFrom(std::span<const MessageRecord> records);

  std::string Text(std::string_view group, std::string_view key) const;

 private:
  struct Group {
    std::string name;  // upper case
    uint32_t first = 0;
    uint32_t last = 0;  // first > last for an empty group
    // Number of the first entry whose key begins with each byte, 0 for none.
    std::array<uint32_t, 256> index{};
  };
  struct Entry {
    std::string key;  // upper case
    std::string text;
  };

  uint32_t FindGroup(std::string_view upper_group) const;

  // Slot 0 of both arrays stays empty so that 0 can mean "none".
  std::vector<Group> groups_;
  std::vector<Entry> entries_;
  // The group found by the last lookup; consecutive lookups in one group skip
  // the group search. Atomic because lookups may come from several threads.
  mutable std::atomic<uint32_t> last_group_{0};
};

// Free form of MessageTable::Text.
std::string MessageText(const MessageTable& table, std::string_view group, std::string_view key);

// Replaces every "%s1%" .. "%s4%" (found without regard to case) by s1 .. s4,
// in that order, so a placeholder inside an earlier value is filled too. An
// empty value leaves its placeholder in the text.
std::string FillPlaceholders(std::string_view text, std::string_view s1, std::string_view s2 = {},
                             std::string_view s3 = {}, std::string_view s4 = {});

}  // namespace pictavo
