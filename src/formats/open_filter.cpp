#include "formats/open_filter.h"

#include <utility>
#include <vector>

namespace pictavo {

std::string BuildOpenFilter(const FormatTables& formats, const MessageTable& messages) {
  std::string all;
  // Descriptions in order of first appearance, each with its patterns.
  std::vector<std::pair<std::string, std::string>> by_description;
  for (const std::string& ext : formats.SupportedExtensions) {
    const std::string pattern = "*." + ext;
    all += pattern + ";";
    const InputFormatRow* row = FindInputFormat(formats, ext);
    const std::string description = row ? std::string(row->description) : ext;
    auto it = by_description.begin();
    while (it != by_description.end() && it->first != description) ++it;
    if (it == by_description.end()) {
      by_description.emplace_back(description, pattern);
    } else {
      it->second = pattern + ";" + it->second;
    }
  }
  if (!all.empty() && all.back() == ';') all.pop_back();

  std::string filter = messages.Text("Dialog", "All Supported Files") + "|" + all + "|";
  for (const auto& [description, patterns] : by_description)
    filter += description + "|" + patterns + "|";
  filter += messages.Text("Dialog", "All Files") + " (*.*)|*.*";
  return filter;
}

}  // namespace pictavo
