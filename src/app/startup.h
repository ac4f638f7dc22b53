#pragma once

namespace pictavo {

// The whole life of the process: single-instance check, dispatch, and the
// window face when the dispatcher hands over. Always returns 0.
int RunProgram(int argc, char** argv);

}  // namespace pictavo
