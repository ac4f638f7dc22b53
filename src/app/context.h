#pragma once

#include "app/message_table.h"
#include "batch/conversion_job.h"
#include "batch/input_list.h"
#include "formats/format_tables.h"
#include "settings/run_state.h"
#include "settings/settings.h"

namespace pictavo {

// Everything a run works on, passed by reference so that tests can build as
// many independent contexts as they need.
struct Context {
  Settings settings;
  RunState run;
  InputList inputs;
  FormatTables formats;
  MessageTable messages;
  ConversionJob job;
};

}  // namespace pictavo
