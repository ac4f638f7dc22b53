#pragma once

#include <string>
#include <string_view>

namespace pictavo {

// Grouped, case-insensitive key-to-text lookup over the built-in English
// texts. A miss yields "%NO_STRING_ERROR%".
class MessageTable {
 public:
  // Builds (or rebuilds) the table from the built-in records.
  void Build();
  std::string Text(std::string_view group, std::string_view key) const;
};

}  // namespace pictavo
