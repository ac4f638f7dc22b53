#pragma once

#include <span>
#include <string_view>

namespace pictavo {

// One record of the built-in texts. A record keyed "_GROUP_" opens the group
// named by its text; "_END_" ends the records; every other record is an entry
// of the group opened last.
struct MessageRecord {
  std::string_view key;
  std::string_view text;
};

inline constexpr std::string_view kGroupRecordKey = "_GROUP_";
inline constexpr std::string_view kEndRecordKey = "_END_";

// The English texts compiled into the program, in their source order.
std::span<const MessageRecord> BuiltInMessageRecords();

}  // namespace pictavo
