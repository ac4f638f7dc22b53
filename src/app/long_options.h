#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "app/keywords.h"
#include "settings/settings.h"

namespace pictavo {

// The long options that set `Settings`, declared once and read both by the
// command line and by profile files. (Input, output, conversion, profile and
// the switches debug, quiet, pause, help and version belong to the dispatcher
// and are not in this table, which is also why a profile cannot name them.)

// How an option's value text becomes a field value.
enum class ValueKind : uint8_t {
  Integer,  // ReadIntegerValue; int8 fields keep the low 8 bits
  Decimal,  // ReadDecimalValue
  Keyword,  // KeywordValue of the option's list
  Text,     // stored as given (profile texts: see ApplyLongOption)
  Switch,   // no value; only the fixed fields are set
};

// Where a value comes from; the two differ in what they accept.
enum class OptionSource : uint8_t { CommandLine, Profile };

// Row flags.
inline constexpr uint8_t kOnCommandLine = 1;     // recognised on the command line
inline constexpr uint8_t kInProfile = 2;         // recognised as a profile key
inline constexpr uint8_t kUnquoteInProfile = 4;  // profile text loses its quotes, not its blanks
inline constexpr uint8_t kEverywhere = kOnCommandLine | kInProfile;

using SettingsField = std::variant<std::monostate, int32_t Settings::*, int8_t Settings::*,
                                   float Settings::*, std::string Settings::*>;

// A field set to a fixed value whenever the option is accepted, before the
// value is read ("Do Image Resize = 1").
struct FixedField {
  int8_t Settings::*field = nullptr;
  int8_t value = 0;
};

struct LongOption {
  std::string_view name;  // upper case, with the leading "--"
  ValueKind kind = ValueKind::Switch;
  SettingsField field;                      // where the value goes; empty for switches
  KeywordList list = KeywordList::DdsLoad;  // keyword kind only
  std::array<FixedField, 2> fixed{};
  uint8_t flags = kEverywhere;
};

// Every row of the table, in the order the options are documented.
std::span<const LongOption> LongOptionTable();

// The row named `name` (any case, "--" included) that `source` recognises.
const LongOption* FindLongOption(std::string_view name, OptionSource source);

enum class OptionResult {
  Applied,  // fields set
  Unknown,  // no such option for this source; nothing changed
  Refused,  // command line: value empty or beginning with "--"; nothing changed
};

// Applies one long option. `value` is the option's value text: on the command
// line the OptionValue of its parameter, in a profile the key's value. A
// command-line value that is empty or begins with "--" is refused (a single
// "-" is fine: negative numbers). A profile value is never refused; its texts
// lose blanks at both ends, except texts of kUnquoteInProfile rows, which lose
// double quotes at both ends and keep their blanks.
OptionResult ApplyLongOption(Settings& settings, std::string_view name, std::string_view value,
                             OptionSource source);

}  // namespace pictavo
