#pragma once

// Malformed Photoshop documents, each made by damaging one thing in a
// document the fixture writer made: truncations at every section boundary,
// impossible header fields, bad section lengths, inconsistent thumbnails,
// RLE rows that decode short or long. The validator must refuse every one;
// end-to-end tests feed them to the executable, which must neither crash nor
// write an output for them.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace pictavo::test_support {

struct PsdCorruption {
  std::string name;  // unique, usable as a file name: "rle-row-decodes-long"
  std::vector<uint8_t> bytes;
  std::string reason;  // a part of the validator's reason for refusing it
};

std::vector<PsdCorruption> MakePsdCorruptions();

// Test output names the case only.
inline void PrintTo(const PsdCorruption& c, std::ostream* os) { *os << c.name; }

}  // namespace pictavo::test_support
