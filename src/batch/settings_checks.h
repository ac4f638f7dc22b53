#pragma once

#include <string>

#include "decor/decor_resources.h"
#include "formats/format_tables.h"
#include "settings/settings.h"

namespace pictavo {

// The batch driver's settings echo and the checks of the settings that would
// make every conversion fail, section by section: input format, output
// format, transform and adjustment, frame, watermark, naming. Echo lines are
// printed only when `debug` is set; the checks run always. The first failed
// check prints its "Error: " line and ends the walk with false; the echo
// lines before it stay printed. A text-watermark run loads its font into
// `decor` here.
bool EchoAndCheckSettings(const Settings& settings, const FormatTables& formats,
                          const std::string& input_format, const std::string& output_format,
                          bool debug, DecorResources& decor);

}  // namespace pictavo
