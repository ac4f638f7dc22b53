#pragma once

#include <string>
#include <string_view>

namespace pictavo {

// Replaces the contents of the file at `path` with `bytes` so that the file
// is either wholly old or wholly new, whatever happens on the way: the bytes
// go to a temporary file in the same folder, which is flushed to disk and then
// renamed over the old one. A symbolic link is followed, so the file it names
// is replaced and the link stays. An existing file's permissions are kept.
// Returns false, with the old file untouched and no temporary file left, when
// any step fails.
bool ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace pictavo
