#include "settings/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <limits>

namespace pictavo {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = AsciiUpper(c);
  return upper;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  }
  return true;
}

void AppendCodePoint(std::string& out, uint32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// Length of the valid UTF-8 sequence at the start of `text`, or 0.
size_t ValidSequenceLength(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length;
  uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and values above U+10FFFF are not UTF-8.
  if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return 0;
  }
  return length;
}

}  // namespace

std::string DecodeIniText(std::string_view bytes) {
  std::string text;
  if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
    bytes.remove_prefix(kUtf8Bom.size());
    text.reserve(bytes.size());
    while (!bytes.empty()) {
      const size_t length = ValidSequenceLength(bytes);
      if (length == 0) {
        AppendCodePoint(text, 0xFFFD);
        bytes.remove_prefix(1);
      } else {
        text.append(bytes.substr(0, length));
        bytes.remove_prefix(length);
      }
    }
  } else {
    text.reserve(bytes.size());
    for (const char c : bytes) AppendCodePoint(text, static_cast<unsigned char>(c));
  }
  return text;
}

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int32_t ParseIniInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude, stopping its growth just past the 32-bit range.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

double ParseIniDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  text.remove_prefix(i);
  if (StartsWithIgnoringCase(text, "NAN")) return std::numeric_limits<double>::quiet_NaN();
  bool negative = false;
  std::string_view rest = text;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (StartsWithIgnoringCase(rest, "INFINITY")) {
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  // Only digits and a point may start a number; from_chars would take words
  // such as "inf" as well.
  if (rest.empty() || !((rest.front() >= '0' && rest.front() <= '9') || rest.front() == '.')) {
    return 0.0;
  }
  double value = 0.0;
  const auto result =
      std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity and too small zero, as the C scanners do.
    const std::string_view number(rest.data(), static_cast<size_t>(result.ptr - rest.data()));
    const size_t exponent = number.find_first_of("eE");
    const bool tiny = exponent != std::string_view::npos && exponent + 1 < number.size() &&
                      number[exponent + 1] == '-';
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}

IniFile IniFile::Parse(std::string_view bytes) {
  const std::string text = DecodeIniText(bytes);
  IniFile file;
  std::string_view rest = text;
  while (!rest.empty()) {
    const size_t end = rest.find_first_of("\r\n");
    std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
      rest = {};
    } else {
      // CR LF counts as one line end.
      const size_t next =
          (rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n') ? end + 2 : end + 1;
      rest.remove_prefix(next);
    }

    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      line.remove_prefix(1);
      file.groups_.push_back({std::string(line.substr(0, line.find(']'))), {}});
      continue;
    }
    if (file.groups_.empty()) continue;

    const size_t equals = line.find('=');
    std::string_view key = line.substr(0, equals);
    std::string_view value =
        equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
    while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    if (key.empty()) continue;
    file.groups_.back().entries.push_back({std::string(key), std::string(value)});
  }
  file.BuildIndex();
  return file;
}

std::optional<IniFile> IniFile::Load(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<uint64_t>(info.st_size) > kMaxIniFileBytes) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[8192];
  bool failed = false;
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      failed = true;
      break;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
    // The file may grow while it is read; stay within the limit.
    if (bytes.size() > kMaxIniFileBytes) {
      failed = true;
      break;
    }
  }
  ::close(fd);
  if (failed) return std::nullopt;
  return Parse(bytes);
}

void IniFile::BuildIndex() {
  indexes_.assign(groups_.size(), {});
  group_positions_.clear();
  for (size_t g = 0; g < groups_.size(); ++g) {
    group_positions_.try_emplace(ToUpper(groups_[g].name), g);
    const auto& entries = groups_[g].entries;
    for (size_t e = 0; e < entries.size(); ++e) {
      indexes_[g].keys.try_emplace(ToUpper(entries[e].key), e);
    }
  }
}

const IniGroup* IniFile::FindGroup(std::string_view group) const {
  const auto found = group_positions_.find(ToUpper(group));
  return found == group_positions_.end() ? nullptr : &groups_[found->second];
}

std::span<const IniEntry> IniFile::Entries(std::string_view group) const {
  const IniGroup* found = FindGroup(group);
  if (found == nullptr) return {};
  return found->entries;
}

const IniEntry* IniFile::FindEntry(std::string_view group, std::string_view key) const {
  const auto g = group_positions_.find(ToUpper(group));
  if (g == group_positions_.end()) return nullptr;
  const auto& keys = indexes_[g->second].keys;
  const auto e = keys.find(ToUpper(key));
  if (e == keys.end()) return nullptr;
  return &groups_[g->second].entries[e->second];
}

std::string IniFile::ReadString(std::string_view group, std::string_view key,
                                std::string_view fallback) const {
  const IniEntry* entry = FindEntry(group, key);
  return std::string(entry == nullptr ? fallback : TrimIniBlanks(entry->value));
}

int32_t IniFile::ReadInt(std::string_view group, std::string_view key, int32_t fallback) const {
  const IniEntry* entry = FindEntry(group, key);
  return entry == nullptr ? fallback : ParseIniInteger(TrimIniBlanks(entry->value));
}

int8_t IniFile::ReadInt8(std::string_view group, std::string_view key, int8_t fallback) const {
  const IniEntry* entry = FindEntry(group, key);
  if (entry == nullptr) return fallback;
  // Keep the low 8 bits, read as a signed byte.
  const auto low = static_cast<uint8_t>(static_cast<uint32_t>(ParseIniInteger(entry->value)));
  return static_cast<int8_t>(low);
}

double IniFile::ReadDecimal(std::string_view group, std::string_view key, double fallback) const {
  const IniEntry* entry = FindEntry(group, key);
  return entry == nullptr ? fallback : ParseIniDecimal(TrimIniBlanks(entry->value));
}

}  // namespace pictavo
