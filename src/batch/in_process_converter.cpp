#include "batch/in_process_converter.h"

#include "pipeline/convert_image.h"

namespace pictavo {

bool InProcessConverter::Convert(FileJob& file) {
  return ConvertImage(settings_, run_, decor_, file);
}

}  // namespace pictavo
