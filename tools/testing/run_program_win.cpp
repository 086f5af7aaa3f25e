#include "run_program_win.h"

#include <stdexcept>
#include <thread>

namespace vh::test {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

}  // namespace

fs::path TestFolder() {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (n < self.size()) {
            self.resize(n);
            break;
        }
        self.resize(self.size() * 2);
    }
    return fs::path(self).parent_path();
}

fs::path ProgramPath(const std::wstring& name) {
    return TestFolder().parent_path() / L"bin" / name;
}

std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

ProgramResult RunProgram(const fs::path& program, const std::vector<fs::path>& args) {
    std::wstring command = QuoteArgument(program.wstring());
    for (const fs::path& arg : args) command += L" " + QuoteArgument(arg.wstring());

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    // Only the child may hold the write ends now, or the reads below never end.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        throw std::runtime_error("cannot start " + program.string());
    }
    ProgramResult r;
    // Both at once: a child blocked on a full pipe would never exit.
    std::thread errReader([&] { r.err = ReadAll(errRead); });
    r.out = ReadAll(outRead);
    errReader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &r.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return r;
}

}  // namespace vh::test
