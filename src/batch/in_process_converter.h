#pragma once

#include "batch/conversion_worker.h"
#include "decor/decor_resources.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

// Converts each file with the image pipeline on the calling thread. Reads the
// run-wide output fields of `run` at each call; the references must outlive
// the converter.
class InProcessConverter final : public FileConverter {
 public:
  InProcessConverter(const Settings& settings, const RunState& run, const DecorResources& decor)
      : settings_(settings), run_(run), decor_(decor) {}
  bool Convert(FileJob& file) override;

 private:
  const Settings& settings_;
  const RunState& run_;
  const DecorResources& decor_;
};

}  // namespace pictavo
