// Conversion of wide (UTF-16) text into the ANSI code page profiles are stored in:
// the system's on Windows, Windows-1252 elsewhere. A character the code page cannot
// hold becomes "?".
#pragma once

#include <string>
#include <string_view>

namespace vh {

std::string WideToAnsi(std::u16string_view text);

}  // namespace vh
