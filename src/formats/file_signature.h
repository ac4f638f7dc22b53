#pragma once

// Names the kind of a file from its first bytes, for the worker's diagnostic
// "File Format: " line. Independent of the format tables: it knows about
// eighty kinds of file, many of them not images.

#include <cstdint>
#include <span>
#include <string>

namespace pictavo {

inline constexpr const char* kUnrecognizedSignature = "[ERROR] UNRECOGNIZED";

// At most this many bytes of a file are read.
inline constexpr size_t kSignatureBytes = 20;

// The label of the file at `path` ("PSD", "TIFF (LE)", ...), or
// "[ERROR] UNRECOGNIZED" when the file is unknown, empty, missing or
// unreadable. When two signatures match, the later one in the table wins.
std::string DetectFileSignature(const std::string& path);

// The same for a header already read (the first bytes of a file).
std::string SignatureOfHeader(std::span<const uint8_t> header);

}  // namespace pictavo
