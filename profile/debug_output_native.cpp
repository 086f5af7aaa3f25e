#include "debug_output.h"

namespace vh {

// Outside Windows there is no debugger channel to write to.
void DebugOutput(const char*) {}

}  // namespace vh
