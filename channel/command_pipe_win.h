// A program's command pipe: \\.\pipe\NAME, served once by a worker thread, and the
// timer that acts on the last command in the program's message loop.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

#include "channel/command_channel.h"

class CCommandPipe {
  public:
    // Creates the pipe, starts its worker and the timer. When the pipe cannot be
    // created the program runs without a channel: IsOpen() is false, and there is
    // no worker and no timer. Make and destroy it on the thread whose message loop
    // runs the timer; EXIT runs there, and may destroy this object.
    // LAST_COMMAND is the process's command variable; tests pass their own.
    CCommandPipe(std::wstring_view name, vh::ChannelOptions options, std::function<void()> exit,
                 std::atomic<uint16_t>& lastCommand = ProcessLastCommand());
    // Stops the timer, ends the worker wherever it waits, and closes the pipe.
    ~CCommandPipe();
    CCommandPipe(const CCommandPipe&) = delete;
    CCommandPipe& operator=(const CCommandPipe&) = delete;

    bool IsOpen() const { return m_pipe != INVALID_HANDLE_VALUE; }

    // The last command any client sent, initially 0.
    static std::atomic<uint16_t>& ProcessLastCommand();

  private:
    static DWORD WINAPI WorkerMain(void* self);
    static void CALLBACK TimerMain(HWND, UINT, UINT_PTR id, DWORD);
    void Serve();
    void Tick();
    void StartTimer();
    void StopTimer();

    vh::ChannelOptions m_options;
    std::function<void()> m_exit;
    std::atomic<uint16_t>& m_lastCommand;
    HANDLE m_pipe = INVALID_HANDLE_VALUE;
    HANDLE m_worker = nullptr;
    std::atomic<bool> m_stopping{false};
    UINT_PTR m_timerId = 0;
    bool* m_destroyed = nullptr;  // set while EXIT runs, so Tick sees the object go
};
