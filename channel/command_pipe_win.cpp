#include "command_pipe_win.h"

#include <map>
#include <mutex>

#include "profile/debug_output.h"

namespace {

// A thread timer's procedure is told only the timer's id.
std::mutex g_timersLock;
std::map<UINT_PTR, CCommandPipe*> g_timers;

constexpr DWORD kBufferSize = 4;
constexpr DWORD kDefaultTimeoutMs = 1;

}  // namespace

std::atomic<uint16_t>& CCommandPipe::ProcessLastCommand() {
    static std::atomic<uint16_t> command{0};
    return command;
}

CCommandPipe::CCommandPipe(std::wstring_view name, vh::ChannelOptions options,
                           std::function<void()> exit, std::atomic<uint16_t>& lastCommand)
    : m_options(options), m_exit(std::move(exit)), m_lastCommand(lastCommand) {
    const std::wstring path = vh::PipePath(name);
    m_pipe = CreateNamedPipeW(
        path.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
        PIPE_UNLIMITED_INSTANCES, kBufferSize, kBufferSize, kDefaultTimeoutMs, nullptr);
    if (m_pipe == INVALID_HANDLE_VALUE) {
        vh::DebugOutput(vh::CreatePipeFailedLine(GetLastError()).c_str());
        return;
    }
    m_worker = CreateThread(nullptr, 0, &WorkerMain, this, 0, nullptr);
    StartTimer();
}

CCommandPipe::~CCommandPipe() {
    if (m_destroyed) *m_destroyed = true;
    StopTimer();
    if (m_worker) {
        // The worker may be blocked in any of its calls, or just about to enter one:
        // cancel until it has ended.
        m_stopping = true;
        do {
            CancelSynchronousIo(m_worker);
        } while (WaitForSingleObject(m_worker, 10) == WAIT_TIMEOUT);
        CloseHandle(m_worker);
    }
    if (m_pipe != INVALID_HANDLE_VALUE) CloseHandle(m_pipe);
}

DWORD WINAPI CCommandPipe::WorkerMain(void* self) {
    static_cast<CCommandPipe*>(self)->Serve();
    return 0;
}

// One client, then the thread ends: later clients find the pipe busy.
void CCommandPipe::Serve() {
    if (m_stopping) return;
    if (!ConnectNamedPipe(m_pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return;
    if (m_stopping) return;

    uint8_t bytes[2] = {};
    DWORD got = 0;
    // A longer message fails with ERROR_MORE_DATA and has still delivered two bytes.
    if (!ReadFile(m_pipe, bytes, sizeof bytes, &got, nullptr) && GetLastError() != ERROR_MORE_DATA)
        got = 0;
    if (m_stopping) return;
    const uint16_t command = vh::ReceiveCommandBytes(m_lastCommand.load(), bytes, got);
    m_lastCommand.store(command);

    const vh::CommandResponse response = vh::RespondTo(command, m_options);
    for (const std::string& line : response.linesOnRead) vh::DebugOutput(line.c_str());
    if (!response.reply.empty()) {
        DWORD written = 0;
        WriteFile(m_pipe, response.reply.data(), static_cast<DWORD>(response.reply.size()),
                  &written, nullptr);
    }
    if (m_stopping) return;
    FlushFileBuffers(m_pipe);
    DisconnectNamedPipe(m_pipe);
    if (!response.lineAfterDisconnect.empty())
        vh::DebugOutput(response.lineAfterDisconnect.c_str());
}

void CALLBACK CCommandPipe::TimerMain(HWND, UINT, UINT_PTR id, DWORD) {
    CCommandPipe* pipe = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_timersLock);
        const auto found = g_timers.find(id);
        if (found == g_timers.end()) return;
        pipe = found->second;
    }
    pipe->Tick();
}

// Stopped while it acts, so a save prompt's message loop cannot tick again inside
// the exit action.
void CCommandPipe::Tick() {
    StopTimer();
    const vh::TickAction action = vh::OnTick(m_lastCommand.load(), m_options);
    if (!action.line.empty()) vh::DebugOutput(action.line.c_str());
    if (action.exit && m_exit) {
        bool destroyed = false;
        m_destroyed = &destroyed;
        m_exit();
        if (destroyed) return;
        m_destroyed = nullptr;
    }
    StartTimer();
}

void CCommandPipe::StartTimer() {
    m_timerId = SetTimer(nullptr, vh::kChannelTimerId, m_options.timerPeriodMs, &TimerMain);
    if (!m_timerId) return;
    std::lock_guard<std::mutex> lock(g_timersLock);
    g_timers[m_timerId] = this;
}

void CCommandPipe::StopTimer() {
    if (!m_timerId) return;
    KillTimer(nullptr, m_timerId);
    std::lock_guard<std::mutex> lock(g_timersLock);
    g_timers.erase(m_timerId);
    m_timerId = 0;
}
