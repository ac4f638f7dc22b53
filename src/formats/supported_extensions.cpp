#include <algorithm>

#include "formats/format_tables.h"

namespace pictavo {

std::vector<std::string> SupportedExtensionsOf(std::span<const InputFormatRow> table,
                                               const std::vector<std::string>& enabled) {
  std::vector<std::string> extensions;
  for (const std::string& key : enabled) {
    for (const InputFormatRow& row : table)
      if (row.format == key) extensions.emplace_back(row.extension);
  }
  return extensions;
}

void BuildSupportedExtensions(FormatTables& formats) {
  formats.SupportedExtensions =
      SupportedExtensionsOf(formats.InputFormatTable, formats.EnabledInputFormats);
}

bool IsSupportedExtension(const FormatTables& formats, std::string_view ext) {
  const auto& list = formats.SupportedExtensions;
  return std::find(list.begin(), list.end(), ext) != list.end();
}

}  // namespace pictavo
