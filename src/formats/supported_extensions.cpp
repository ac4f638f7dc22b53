#include "formats/format_tables.h"

namespace pictavo {

void BuildSupportedExtensions(FormatTables& formats) { formats.SupportedExtensions = {"psd"}; }

}  // namespace pictavo
