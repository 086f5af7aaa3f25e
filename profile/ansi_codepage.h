// Conversion between wide (UTF-16) text and the ANSI code page profiles are stored in:
// the system's on Windows, Windows-1252 elsewhere. A character the code page cannot
// hold becomes "?".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vh {

std::string WideToAnsi(std::u16string_view text);
std::u16string AnsiToWide(std::string_view text);
// A path held as ANSI text (profile and loadout paths are), for the file system.
std::filesystem::path PathFromAnsi(std::string_view text);

}  // namespace vh
