// The command pipe and the saved-profile notice as the programs use them: real
// pipes, the real vhpipe.exe from ..\bin, thread timers in this thread's message
// loop, and top-level windows of this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "channel/command_pipe_win.h"
#include "channel/saved_profile_notice_win.h"
#include "run_program_win.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr unsigned kPeriodMs = 200;
const vh::ChannelOptions kEditor{true, kPeriodMs};

std::wstring UniqueName() {
    static int count = 0;
    return L"vh_channel_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(++count);
}

int ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    CloseHandle(snapshot);
    return count;
}

// Runs this thread's message loop, timers included, until DONE or MS have passed.
template <class Done>
bool PumpUntil(Done done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool WaitForThreadCount(int count) {
    const ULONGLONG end = GetTickCount64() + 2000;
    while (ThreadCount() != count) {
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
    return true;
}

vh::test::ProgramResult Vhpipe(const std::wstring& name, const std::wstring& code) {
    vh::test::ProgramResult r =
        vh::test::RunProgram(vh::test::ProgramPath(L"vhpipe.exe"), {name, code});
    std::erase(r.out, '\r');
    std::erase(r.err, '\r');
    return r;
}

HANDLE Connect(const std::wstring& name, DWORD flags = 0) {
    const HANDLE pipe = CreateFileW(vh::PipePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, flags, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) {
        DWORD mode = PIPE_READMODE_MESSAGE;
        SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
    }
    return pipe;
}

// A client that sends any message, where vhpipe always sends two bytes; the reply
// is what arrives within a second.
Bytes Converse(const std::wstring& name, const Bytes& message) {
    const HANDLE pipe = Connect(name, FILE_FLAG_OVERLAPPED);
    EXPECT_NE(pipe, INVALID_HANDLE_VALUE);
    if (pipe == INVALID_HANDLE_VALUE) return {};
    OVERLAPPED io{};
    io.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD done = 0;
    if (!WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), nullptr, &io)) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_IO_PENDING));
    }
    EXPECT_TRUE(GetOverlappedResult(pipe, &io, &done, TRUE));
    Bytes reply(16);
    ResetEvent(io.hEvent);
    if (!ReadFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), nullptr, &io) &&
        GetLastError() == ERROR_IO_PENDING && WaitForSingleObject(io.hEvent, 1000) != WAIT_OBJECT_0)
        CancelIo(pipe);
    if (!GetOverlappedResult(pipe, &io, &done, TRUE)) done = 0;
    reply.resize(done);
    CloseHandle(io.hEvent);
    CloseHandle(pipe);
    return reply;
}

TEST(CommandPipe, ExitIsEchoedAndRequestedAtEveryTick) {
    const int threadsBefore = ThreadCount();
    std::atomic<uint16_t> command{0};
    int exits = 0;
    const std::wstring name = UniqueName();
    CCommandPipe pipe(
        name, kEditor, [&] { ++exits; }, command);
    ASSERT_TRUE(pipe.IsOpen());
    EXPECT_EQ(ThreadCount(), threadsBefore + 1);

    const vh::test::ProgramResult r = Vhpipe(name, L"105");
    EXPECT_EQ(r.status, 0u) << r.err;
    EXPECT_EQ(r.out, "69 00\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(command.load(), 105);
    // One client, then the worker is gone.
    EXPECT_TRUE(WaitForThreadCount(threadsBefore));

    EXPECT_TRUE(PumpUntil([&] { return exits > 0; }, 4 * kPeriodMs));
    EXPECT_EQ(exits, 1);
    // The command stays, so a program that keeps running is asked again.
    EXPECT_TRUE(PumpUntil([&] { return exits >= 3; }, 6 * kPeriodMs));
}

TEST(CommandPipe, OtherCodesGetNoReplyAndNoSecondClientIsServed) {
    const int threadsBefore = ThreadCount();
    std::atomic<uint16_t> command{0};
    int exits = 0;
    const std::wstring name = UniqueName();
    CCommandPipe pipe(
        name, kEditor, [&] { ++exits; }, command);
    ASSERT_TRUE(pipe.IsOpen());

    const vh::test::ProgramResult first = Vhpipe(name, L"7");
    EXPECT_EQ(first.status, 0u) << first.err;
    EXPECT_EQ(first.out, "");
    EXPECT_EQ(command.load(), 7);
    EXPECT_TRUE(WaitForThreadCount(threadsBefore));

    // The instance stays, disconnected and not listening: Wine, as Windows, calls
    // it busy, and vhpipe gives up after its wait.
    const vh::test::ProgramResult second = Vhpipe(name, L"105");
    EXPECT_EQ(second.status, 2u);
    EXPECT_EQ(second.out, "");
    EXPECT_NE(
        second.err.find("cannot connect to \\\\.\\pipe\\" + std::string(name.begin(), name.end())),
        std::string::npos)
        << second.err;
    EXPECT_EQ(command.load(), 7);

    Pump(3 * kPeriodMs);
    EXPECT_EQ(exits, 0);
}

TEST(CommandPipe, AMessageIsReadByItsFirstTwoBytes) {
    struct Case {
        const char* what;
        uint16_t before;
        Bytes message;
        uint16_t after;
        Bytes reply;
    };
    const Case cases[] = {
        {"longer", 0, {0x69, 0x00, 0x07}, 105, {0x69, 0x00}},
        {"one byte onto 0", 0, {0x69}, 105, {0x69, 0x00}},
        {"one byte keeps the high byte", 0x0100, {0x69}, 0x0169, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::atomic<uint16_t> command{c.before};
        int exits = 0;
        const std::wstring name = UniqueName();
        CCommandPipe pipe(
            name, kEditor, [&] { ++exits; }, command);
        ASSERT_TRUE(pipe.IsOpen());
        EXPECT_EQ(Converse(name, c.message), c.reply);
        EXPECT_EQ(command.load(), c.after);
        PumpUntil([&] { return exits > 0; }, 2 * kPeriodMs);
        EXPECT_EQ(exits > 0, c.after == vh::kExitCommand);
    }
}

TEST(CommandPipe, AnExitActionMayEndTheChannel) {
    std::atomic<uint16_t> command{0};
    int exits = 0;
    const std::wstring name = UniqueName();
    std::unique_ptr<CCommandPipe> pipe;
    pipe = std::make_unique<CCommandPipe>(
        name, vh::ChannelOptions{false, kPeriodMs},
        [&] {
            ++exits;
            pipe.reset();
        },
        command);
    ASSERT_TRUE(pipe->IsOpen());
    EXPECT_EQ(Vhpipe(name, L"105").out, "69 00\n");
    EXPECT_TRUE(PumpUntil([&] { return !pipe; }, 4 * kPeriodMs));
    Pump(3 * kPeriodMs);
    EXPECT_EQ(exits, 1);
}

TEST(CommandPipe, WithoutAPipeThereIsNoWorkerAndNoTimer) {
    // Another program holds the name with a single instance.
    const std::wstring held = UniqueName();
    const HANDLE holder =
        CreateNamedPipeW(vh::PipePath(held).c_str(), PIPE_ACCESS_DUPLEX,
                         PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE, 1, 4, 4, 1, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    for (const std::wstring& name : {held, std::wstring(300, L'x')}) {
        SCOPED_TRACE(name.size());
        const int threadsBefore = ThreadCount();
        // The exit command already waiting: a timer would act on it.
        std::atomic<uint16_t> command{vh::kExitCommand};
        int exits = 0;
        CCommandPipe pipe(
            name, kEditor, [&] { ++exits; }, command);
        EXPECT_FALSE(pipe.IsOpen());
        EXPECT_EQ(ThreadCount(), threadsBefore);
        Pump(3 * kPeriodMs);
        EXPECT_EQ(exits, 0);
    }
    CloseHandle(holder);
}

TEST(CommandPipe, EndsItsWorkerWhereverItWaits) {
    enum class Client { None, Silent, NotReading };
    for (Client client : {Client::None, Client::Silent, Client::NotReading}) {
        SCOPED_TRACE(static_cast<int>(client));
        const int threadsBefore = ThreadCount();
        std::atomic<uint16_t> command{0};
        const std::wstring name = UniqueName();
        auto pipe = std::make_unique<CCommandPipe>(
            name, kEditor, [] {}, command);
        ASSERT_TRUE(pipe->IsOpen());
        HANDLE other = INVALID_HANDLE_VALUE;
        if (client != Client::None) {
            other = Connect(name);
            ASSERT_NE(other, INVALID_HANDLE_VALUE);
        }
        if (client == Client::NotReading) {
            // The reply waits in the pipe; the worker waits for it to be read.
            const uint8_t exit[2] = {0x69, 0x00};
            DWORD written = 0;
            ASSERT_TRUE(WriteFile(other, exit, 2, &written, nullptr));
            ASSERT_TRUE(PumpUntil([&] { return command.load() == vh::kExitCommand; }, 2000));
        }
        Sleep(100);
        const ULONGLONG start = GetTickCount64();
        pipe.reset();
        EXPECT_LT(GetTickCount64() - start, 1000u);
        EXPECT_TRUE(WaitForThreadCount(threadsBefore));
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    }
}

TEST(SavedProfileNotice, ReachesTheLoadoutManagersButNotTheEditorItself) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VhChannelTestWindow";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    const auto make = [&](const wchar_t* title) {
        return CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 100,
                               100, nullptr, nullptr, windowClass.hInstance, nullptr);
    };
    const HWND editor = make(L"Varnholt Loadout Manager - editor");
    const HWND manager = make(L"Varnholt Loadout Manager - x");
    const HWND other = make(L"Other");
    ASSERT_TRUE(editor && manager && other);

    EXPECT_GE(PostSavedProfileNotice(editor, L"Varnholt Loadout Manager"), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, manager, kSavedProfileMessage, kSavedProfileMessage, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_EQ(msg.lParam, 0);
    EXPECT_FALSE(
        PeekMessageW(&msg, manager, kSavedProfileMessage, kSavedProfileMessage, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&msg, editor, kSavedProfileMessage, kSavedProfileMessage, PM_REMOVE));
    EXPECT_FALSE(PeekMessageW(&msg, other, kSavedProfileMessage, kSavedProfileMessage, PM_REMOVE));

    DestroyWindow(editor);
    DestroyWindow(manager);
    DestroyWindow(other);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
