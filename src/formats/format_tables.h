#pragma once

// The format catalogue: every input extension and output format the
// conversion engine can name, which of them this build enables, and the
// extensions accepted as input.
//
// The rows are constant data declared once (input_formats.cpp,
// output_formats.cpp); a FormatTables refers to them and carries the enabled
// lists, so every Context has its own catalogue and a test can enable other
// keys. Keys and extensions compare exactly: callers lower-case first.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pictavo {

struct InputFormatRow {
  std::string_view extension;  // lower case, no dot: the table's key
  std::string_view format;     // the format key shared by all its extensions
  std::string_view description;
};

struct OutputFormatRow {
  std::string_view key;
  int32_t freeImageFormat;     // FreeImage's FREE_IMAGE_FORMAT number
  std::string_view extension;  // equal to the key in every row
  std::string_view description;
  std::string_view depths;  // permitted bit depths, ascending: "8,24"
};

// The 79 input rows and 20 output rows in the order they are entered.
std::span<const InputFormatRow> BuiltInInputFormats();
std::span<const OutputFormatRow> BuiltInOutputFormats();

// The extensions of the enabled format keys: for each key in order, every
// extension of that key in table order.
std::vector<std::string> SupportedExtensionsOf(std::span<const InputFormatRow> table,
                                               const std::vector<std::string>& enabled);

struct FormatTables {
  std::span<const InputFormatRow> InputFormatTable = BuiltInInputFormats();
  std::span<const OutputFormatRow> OutputFormatTable = BuiltInOutputFormats();
  std::vector<std::string> EnabledInputFormats{"psd"};
  std::vector<std::string> EnabledOutputFormats{"jpg"};  // the first is the default conversion
  std::vector<std::string> SupportedExtensions =
      SupportedExtensionsOf(InputFormatTable, EnabledInputFormats);
};

// Rebuilds SupportedExtensions from the enabled input formats.
void BuildSupportedExtensions(FormatTables& formats);
// Exact membership of `ext` in SupportedExtensions.
bool IsSupportedExtension(const FormatTables& formats, std::string_view ext);

// The row of an extension or output key, or nullptr.
const InputFormatRow* FindInputFormat(const FormatTables& formats, std::string_view extension);
const OutputFormatRow* FindOutputFormat(const FormatTables& formats, std::string_view key);

// Exact membership of `key` in EnabledOutputFormats.
bool IsEnabledOutputFormat(const FormatTables& formats, std::string_view key);
// Whether a depth setting value is acceptable for an output format: 0 (automatic) always is;
// otherwise the value must be in the row's list. A key without a row permits only 0.
bool IsPermittedDepth(const FormatTables& formats, std::string_view key, int bpp);

}  // namespace pictavo
