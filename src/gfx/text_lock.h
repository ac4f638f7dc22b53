#pragma once

#include <mutex>

namespace pictavo::gfx {

// Serialises every use of Pango and fontconfig in the process: a Pango font
// map must not be used by two threads at once, and the font set-up runs on
// another thread than the conversions.
std::mutex& TextLock();

}  // namespace pictavo::gfx
