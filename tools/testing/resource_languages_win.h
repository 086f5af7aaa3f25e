// For the Windows tests: a program's texts in all eight languages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vh::test {

// Every English (0x409) string, dialog, menu and accelerator table of the module
// that some language lacks, as "string 5010 de", "dialog 100 sv", ...
std::vector<std::string> MissingTranslations(HMODULE module);

}  // namespace vh::test
