// The INI reader of the settings file and profile files, on arbitrary bytes.

#include "fuzz_target.h"
#include "settings/ini_file.h"

namespace pictavo::fuzz {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool HasLineEnd(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

int FuzzIniFile(const uint8_t* data, size_t size) {
  const std::string_view bytes = AsText(data, size);
  FUZZ_CHECK(IsValidUtf8(DecodeIniText(bytes)));

  const IniFile file = IniFile::Parse(bytes);
  for (const IniGroup& group : file.groups()) {
    FUZZ_CHECK(IsValidUtf8(group.name));
    FUZZ_CHECK(!HasLineEnd(group.name) && group.name.find(']') == std::string::npos);
    // Lookup by any spelling of the name finds the first group of that name.
    const IniGroup* first = file.FindGroup(group.name);
    FUZZ_CHECK(first != nullptr && first <= &group);
    FUZZ_CHECK(EqualsIgnoringAsciiCase(first->name, group.name));

    for (const IniEntry& entry : group.entries) {
      FUZZ_CHECK(!entry.key.empty());
      FUZZ_CHECK(!IsBlank(entry.key.front()) && !IsBlank(entry.key.back()));
      FUZZ_CHECK(entry.key.front() != '[' && entry.key.front() != ';');
      FUZZ_CHECK(entry.key.find('=') == std::string::npos && !HasLineEnd(entry.key));
      FUZZ_CHECK(entry.value.empty() || !IsBlank(entry.value.front()));
      FUZZ_CHECK(!HasLineEnd(entry.value));
      FUZZ_CHECK(IsValidUtf8(entry.key) && IsValidUtf8(entry.value));
      if (first != &group) continue;

      const IniEntry* found = file.FindEntry(group.name, entry.key);
      FUZZ_CHECK(found != nullptr && found <= &entry);
      FUZZ_CHECK(EqualsIgnoringAsciiCase(found->key, entry.key));
      const std::string text = file.ReadString(group.name, entry.key, "");
      FUZZ_CHECK(text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back())));
      (void)file.ReadInt(group.name, entry.key, 0);
      (void)file.ReadInt8(group.name, entry.key, 0);
      (void)file.ReadDecimal(group.name, entry.key, 0.0);
    }
    FUZZ_CHECK(file.Entries(group.name).size() == first->entries.size());
  }

  // The number readers take any text, not only what a line leaves.
  (void)ParseIniInteger(bytes);
  (void)ParseIniDecimal(bytes);
  return 0;
}

}  // namespace pictavo::fuzz

PICTAVO_FUZZ_ENTRY(pictavo::fuzz::FuzzIniFile)
