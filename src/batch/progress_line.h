#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pictavo {

// The text of the progress line: "file 3 of 24: name.psd, about 1 min 5 s
// left" (without the estimate before there is one), cut to fit `width`
// columns by shortening the file name, counted in characters.
std::string FormatProgress(int32_t number, int32_t total, std::string_view name,
                           std::optional<int64_t> seconds_left, size_t width);

// "45 s", "1 min 5 s", "2 h 3 min".
std::string FormatTimeLeft(int64_t seconds);

// One line on standard error that shows how far a conversion is, redrawn
// in place at most ten times a second and erased when the conversion ends,
// so that nothing of it stays above the summary. Only drawn when asked for
// and standard error is a terminal; standard output is never touched.
class ProgressLine {
 public:
  ProgressLine(bool wanted, int32_t total);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  bool active() const { return active_; }

  // The file in hand (the highest number started), how many files are
  // done and the monotonic time in milliseconds. Redraws unless the line
  // was drawn less than a tenth of a second ago.
  void Update(int32_t number, std::string_view path, int32_t done, int64_t now);

  // Removes the line; later updates draw nothing.
  void Erase();

 private:
  bool active_ = false;
  bool drawn_ = false;
  int32_t total_ = 0;
  int64_t started_ = 0;
  int64_t last_draw_ = 0;
};

}  // namespace pictavo
