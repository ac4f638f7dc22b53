#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pictavo {

// The INI-style syntax shared by the settings file and profile files.
//
// Reading rules: a file that begins with the UTF-8 byte-order mark is UTF-8
// (invalid sequences become U+FFFD); any other file is ISO 8859-1, each byte
// turned into the UTF-8 form of the character of the same code. Lines end in
// CR, LF or CR LF; blanks and tabs at the start of a line are skipped. A line
// beginning with ";" is a comment, one beginning with "[" names a group (up to
// the next "]", or the end of the line). Any other line is an entry: the key
// runs to the first "=" (trailing blanks and tabs removed), the value follows
// it (leading blanks and tabs removed) and may itself hold "=". A line without
// "=" is a key with an empty value. Entries belong to the group named last;
// entries before any group belong to no group and are dropped.
//
// Group names and keys match without regard to ASCII case. When a group
// occurs twice the first one is used; when a key occurs twice in a group its
// first occurrence is found.

struct IniEntry {
  std::string key;    // as written, trailing blanks and tabs removed
  std::string value;  // as written, leading blanks and tabs removed
};

struct IniGroup {
  std::string name;               // as written between "[" and "]"
  std::vector<IniEntry> entries;  // in file order
};

// Files above this size are refused rather than read into memory.
inline constexpr size_t kMaxIniFileBytes = 16u << 20;

class IniFile {
 public:
  // Parses the bytes of a whole file.
  static IniFile Parse(std::string_view bytes);
  // Reads and parses the file at `path`; nothing when it cannot be opened or
  // read, is not a regular file, or is larger than kMaxIniFileBytes.
  static std::optional<IniFile> Load(const std::string& path);

  // Every group in file order, repeated names included.
  const std::vector<IniGroup>& groups() const { return groups_; }
  // The first group of that name, or nullptr.
  const IniGroup* FindGroup(std::string_view group) const;
  bool HasGroup(std::string_view group) const { return FindGroup(group) != nullptr; }
  // The entries of the first group of that name in file order; empty when the
  // group is missing.
  std::span<const IniEntry> Entries(std::string_view group) const;
  // The first entry of `key` in the first group of that name, or nullptr.
  const IniEntry* FindEntry(std::string_view group, std::string_view key) const;

  // The value trimmed of blanks and tabs at both ends, or `fallback` when the
  // group or the key is missing.
  std::string ReadString(std::string_view group, std::string_view key,
                         std::string_view fallback) const;
  // A present key is read by ParseIniInteger, so a word reads 0.
  int32_t ReadInt(std::string_view group, std::string_view key, int32_t fallback) const;
  // As ReadInt, keeping the low 8 bits (257 reads 1).
  int8_t ReadInt8(std::string_view group, std::string_view key, int8_t fallback) const;
  // A present key is read by ParseIniDecimal.
  double ReadDecimal(std::string_view group, std::string_view key, double fallback) const;

 private:
  struct GroupIndex {
    // Upper-cased key -> position of its first entry.
    std::unordered_map<std::string, size_t> keys;
  };

  void BuildIndex();

  std::vector<IniGroup> groups_;
  std::vector<GroupIndex> indexes_;  // parallel to groups_
  // Upper-cased name -> position of the first group of that name.
  std::unordered_map<std::string, size_t> group_positions_;
};

// Blanks and tabs removed at both ends.
std::string_view TrimIniBlanks(std::string_view text);

// A decimal integer: leading blanks and tabs, an optional sign, then digits up
// to the first other character. No digits gives 0; values beyond the 32-bit
// range are clamped to it.
int32_t ParseIniInteger(std::string_view text);

// A decimal number with "." as decimal point (an exponent is accepted), or
// one of the words "+Infinity", "-Infinity", "Infinity" and "NaN" in any case.
// Leading blanks and tabs are skipped; reading stops at the first character
// that does not fit; no number gives 0.
double ParseIniDecimal(std::string_view text);

// The bytes of a file as UTF-8 text: a leading byte-order mark is dropped and
// the rest checked, otherwise every byte is read as ISO 8859-1.
std::string DecodeIniText(std::string_view bytes);

}  // namespace pictavo
