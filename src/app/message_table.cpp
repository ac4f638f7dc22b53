#include "app/message_table.h"

namespace pictavo {

void MessageTable::Build() {}
std::string MessageTable::Text(std::string_view, std::string_view) const {
  return "%NO_STRING_ERROR%";
}

}  // namespace pictavo
