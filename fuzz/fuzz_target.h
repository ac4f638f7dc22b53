#pragma once

// Every fuzz target is one function over a byte buffer. In the fuzz build
// PICTAVO_FUZZ_ENTRY turns it into the target's libFuzzer entry; the test
// suite compiles the same files without it and replays the committed crash
// inputs through the functions.
//
// A target feeds the buffer to a parser and then checks what the parser
// promises about its result; a broken promise stops the process the way a
// sanitizer report does, so the fuzzer keeps the input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace pictavo::fuzz {

int FuzzCommandLine(const uint8_t* data, size_t size);
int FuzzIniFile(const uint8_t* data, size_t size);
int FuzzListFile(const uint8_t* data, size_t size);
int FuzzPsdValidator(const uint8_t* data, size_t size);
int FuzzSettingsFile(const uint8_t* data, size_t size);

[[noreturn]] inline void FailCheck(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, condition);
  std::abort();
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += length;
  }
  return true;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace pictavo::fuzz

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::pictavo::fuzz::FailCheck(#condition, __FILE__, __LINE__))

#ifdef PICTAVO_FUZZ_ENTRY_POINTS
#define PICTAVO_FUZZ_ENTRY(function)                                        \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
    return function(data, size);                                            \
  }
#else
#define PICTAVO_FUZZ_ENTRY(function)
#endif
