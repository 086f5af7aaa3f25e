// The command channel apart from Windows: the message a program's command pipe
// carries, how each command is answered, what the debugger is told, and the title a
// loadout manager's window is recognised by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vh {

// The only command with a meaning: the program is asked to end.
inline constexpr uint16_t kExitCommand = 105;

// The id a program asks for its channel timer; Windows picks a thread timer's id
// itself.
inline constexpr unsigned kChannelTimerId = 522;
inline constexpr unsigned kChannelTimerPeriodMs = 5000;

// What differs between the programs: only the editor tells the debugger about the
// conversation. The period is the programs' five seconds; tests shorten it.
struct ChannelOptions {
    bool editorLines = false;
    unsigned timerPeriodMs = kChannelTimerPeriodMs;
};

// "\\.\pipe\" + NAME.
std::wstring PipePath(std::wstring_view name);

// The command variable after a message's first COUNT bytes (at most two are read)
// went into its little-endian bytes: bytes that did not come keep their old value.
uint16_t ReceiveCommandBytes(uint16_t previous, const uint8_t* bytes, size_t count);

// What the pipe thread does with a command it read.
struct CommandResponse {
    std::vector<std::string> linesOnRead;  // before the reply
    std::vector<uint8_t> reply;            // empty: no reply
    std::string lineAfterDisconnect;       // empty: none
};
CommandResponse RespondTo(uint16_t command, const ChannelOptions& options);

// What a timer tick does with the last command received.
struct TickAction {
    bool exit = false;
    std::string line;  // empty: none
};
TickAction OnTick(uint16_t command, const ChannelOptions& options);

std::string CreatePipeFailedLine(unsigned long error);

// vhpipe's command line and output: CODE in decimal, 0..65535; bytes as "69 00".
std::optional<uint16_t> ParseCommandCode(std::string_view text);
std::string HexBytes(const std::vector<uint8_t>& bytes);

// Whether a window title is a loadout manager's. An empty prefix matches nothing, so
// a missing string never sends the notice to every window.
bool TitleStartsWith(std::wstring_view title, std::wstring_view prefix);

}  // namespace vh
