#pragma once

namespace pictavo {

// What the frame and watermark steps need that is loaded once per run (the
// watermark font, the watermark picture) rather than once per file.
struct DecorResources {};

}  // namespace pictavo
