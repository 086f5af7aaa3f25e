#include <windows.h>

#include "debug_output.h"

namespace vh {

void DebugOutput(const char* line) {
    OutputDebugStringA(line);
}

}  // namespace vh
