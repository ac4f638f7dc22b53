#include "app/message_table.h"

#include <algorithm>

namespace pictavo {
namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

// Finds `needle` (already upper case) in `text` ignoring ASCII case.
size_t FindIgnoringCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.empty() || text.size() < needle.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    bool equal = true;
    for (size_t j = 0; j < needle.size() && equal; ++j) {
      equal = AsciiUpper(text[i + j]) == needle[j];
    }
    if (equal) return i;
  }
  return std::string_view::npos;
}

}  // namespace

MessageTable::MessageTable(const MessageTable& other)
    : groups_(other.groups_), entries_(other.entries_) {}

MessageTable& MessageTable::operator=(const MessageTable& other) {
  if (this != &other) {
    groups_ = other.groups_;
    entries_ = other.entries_;
    last_group_.store(0, std::memory_order_relaxed);
  }
  return *this;
}

void MessageTable::Build() {
  BuildFrom(BuiltInMessageRecords());
}

void MessageTable::BuildFrom(std::span<const MessageRecord> records) {
  groups_.assign(1, Group{});
  entries_.assign(1, Entry{});
  last_group_.store(0, std::memory_order_relaxed);

  for (const MessageRecord& record : records) {
    if (record.key == kEndRecordKey) break;
    if (record.key == kGroupRecordKey) {
      Group group;
      group.name = ToUpper(record.text);
      group.first = static_cast<uint32_t>(entries_.size());
      groups_.push_back(std::move(group));
      continue;
    }
    if (groups_.size() == 1) continue;  // no group opened yet
    entries_.push_back({ToUpper(record.key), std::string(record.text)});
  }

  // Each group ends where the next begins; then sort and index its entries.
  for (size_t g = 1; g < groups_.size(); ++g) {
    Group& group = groups_[g];
    const uint32_t end =
        g + 1 < groups_.size() ? groups_[g + 1].first : static_cast<uint32_t>(entries_.size());
    group.last = end - 1;
    if (group.first >= end) continue;
    std::stable_sort(entries_.begin() + group.first, entries_.begin() + end,
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    int previous = -1;
    for (uint32_t e = group.first; e < end; ++e) {
      const std::string& key = entries_[e].key;
      if (key.empty()) continue;  // an empty key can never be looked up
      const int first = static_cast<unsigned char>(key.front());
      if (first != previous) group.index[first] = e;
      previous = first;
    }
  }
}

uint32_t MessageTable::FindGroup(std::string_view upper_group) const {
  const uint32_t remembered = last_group_.load(std::memory_order_relaxed);
  if (remembered != 0 && remembered < groups_.size() && groups_[remembered].name == upper_group) {
    return remembered;
  }
  uint32_t found = 0;
  for (uint32_t g = 1; g < groups_.size(); ++g) {
    if (groups_[g].name == upper_group) {
      found = g;
      break;
    }
  }
  last_group_.store(found, std::memory_order_relaxed);
  return found;
}

std::string MessageTable::Text(std::string_view group, std::string_view key) const {
  const std::string upper_key = ToUpper(key);
  const uint32_t g = FindGroup(ToUpper(group));
  if (g == 0 || upper_key.empty()) return std::string(kNoStringError);
  const Group& found = groups_[g];
  uint32_t e = found.index[static_cast<unsigned char>(upper_key.front())];
  if (e == 0) return std::string(kNoStringError);
  for (; e <= found.last; ++e) {
    const std::string& entry_key = entries_[e].key;
    if (entry_key == upper_key) return entries_[e].text;
    if (upper_key < entry_key) break;
  }
  return std::string(kNoStringError);
}

std::string MessageText(const MessageTable& table, std::string_view group, std::string_view key) {
  return table.Text(group, key);
}

std::string FillPlaceholders(std::string_view text, std::string_view s1, std::string_view s2,
                             std::string_view s3, std::string_view s4) {
  std::string result(text);
  if (result.empty()) return result;
  const std::string_view values[] = {s1, s2, s3, s4};
  const std::string_view placeholders[] = {"%S1%", "%S2%", "%S3%", "%S4%"};
  for (size_t n = 0; n < 4; ++n) {
    if (values[n].empty()) continue;
    // Search on after each inserted value, so a value containing its own
    // placeholder cannot make the loop run forever.
    size_t at = FindIgnoringCase(result, placeholders[n], 0);
    while (at != std::string::npos) {
      result.replace(at, placeholders[n].size(), values[n]);
      at = FindIgnoringCase(result, placeholders[n], at + values[n].size());
    }
  }
  return result;
}

}  // namespace pictavo
