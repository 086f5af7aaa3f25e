// Diagnostic lines for a developer's debugger; never shown to the user, never logged.
#pragma once

namespace vh {

void DebugOutput(const char* line);

}  // namespace vh
