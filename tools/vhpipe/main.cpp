// vhpipe NAME CODE: sends one command to a program's command pipe \\.\pipe\NAME and
// prints the reply's bytes in hex on one line (nothing when there is none); for
// trying the channel by hand and for the tests. Exit status: 0 connected and sent,
// 1 usage, 2 no connection.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "channel/command_channel.h"

namespace {

constexpr DWORD kBusyWaitMs = 1000;
constexpr DWORD kReplyWaitMs = 1500;

std::string Narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// One overlapped transfer that gives up after TIMEOUT_MS: a server that never
// answers must not hold vhpipe.
bool Transfer(HANDLE pipe, bool write, void* buffer, DWORD size, DWORD& done, DWORD timeoutMs) {
    OVERLAPPED io{};
    io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    done = 0;
    BOOL ok = write ? WriteFile(pipe, buffer, size, nullptr, &io)
                    : ReadFile(pipe, buffer, size, nullptr, &io);
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(io.hEvent, timeoutMs) != WAIT_OBJECT_0) CancelIo(pipe);
        ok = GetOverlappedResult(pipe, &io, &done, TRUE);
    } else if (ok) {
        GetOverlappedResult(pipe, &io, &done, FALSE);
    }
    // The rest of a longer message stays unread; what came is the reply.
    if (!ok && GetLastError() == ERROR_MORE_DATA) ok = TRUE;
    CloseHandle(io.hEvent);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::optional<uint16_t> code;
    if (argc == 3) {
        std::string digits;
        for (const wchar_t* c = argv[2]; *c; ++c) digits += *c < 0x80 ? static_cast<char>(*c) : '?';
        code = vh::ParseCommandCode(digits);
    }
    if (!code) {
        std::fputs("usage: vhpipe NAME CODE   (CODE 0..65535)\n", stderr);
        return 1;
    }
    const std::wstring path = vh::PipePath(argv[1]);

    HANDLE pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe == INVALID_HANDLE_VALUE && GetLastError() == ERROR_PIPE_BUSY &&
        WaitNamedPipeW(path.c_str(), kBusyWaitMs))
        pipe = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
    if (pipe == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "vhpipe: cannot connect to %s: error %lu\n", Narrow(path).c_str(),
                     GetLastError());
        return 2;
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);

    uint8_t message[2] = {static_cast<uint8_t>(*code & 0xFF), static_cast<uint8_t>(*code >> 8)};
    DWORD done = 0;
    if (!Transfer(pipe, true, message, sizeof message, done, kReplyWaitMs) || done != 2) {
        std::fprintf(stderr, "vhpipe: cannot write to %s: error %lu\n", Narrow(path).c_str(),
                     GetLastError());
        CloseHandle(pipe);
        return 2;
    }
    std::vector<uint8_t> reply(256);
    if (!Transfer(pipe, false, reply.data(), static_cast<DWORD>(reply.size()), done, kReplyWaitMs))
        done = 0;
    reply.resize(done);
    CloseHandle(pipe);
    if (!reply.empty()) std::printf("%s\n", vh::HexBytes(reply).c_str());
    return std::fflush(stdout) == 0 ? 0 : 2;
}
