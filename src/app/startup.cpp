#include "app/startup.h"

namespace pictavo {

int RunProgram(int, char**) { return 0; }

}  // namespace pictavo
