// For the Windows tests: the suite's programs as Windows runs them, found in ..\bin
// beside the tests' folder, started with CreateProcessW, their output read through
// pipes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vh::test {

struct ProgramResult {
    DWORD status = 0;
    std::string out;
    std::string err;
};

// The folder of the running test program.
std::filesystem::path TestFolder();
std::filesystem::path ProgramPath(const std::wstring& name);

// Quoting as the C runtime splits a command line: backslashes count only before a quote.
std::wstring QuoteArgument(const std::wstring& arg);

// Waits for the program to end; it inherits this process's environment.
ProgramResult RunProgram(const std::filesystem::path& program,
                         const std::vector<std::filesystem::path>& args);

}  // namespace vh::test
