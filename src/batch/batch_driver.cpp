#include "batch/batch_driver.h"

#include "platform/console.h"

namespace pictavo {

int RunBatch(Context&, bool quiet) {
  if (!quiet) PrintLine("Preparing...");
  return 0;
}

}  // namespace pictavo
