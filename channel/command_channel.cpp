#include "command_channel.h"

#include <cstdio>

namespace vh {

namespace {

std::string Format(const char* format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::wstring PipePath(std::wstring_view name) {
    return L"\\\\.\\pipe\\" + std::wstring(name);
}

uint16_t ReceiveCommandBytes(uint16_t previous, const uint8_t* bytes, size_t count) {
    uint16_t command = previous;
    if (count >= 1) command = static_cast<uint16_t>((command & 0xFF00) | bytes[0]);
    if (count >= 2) command = static_cast<uint16_t>((command & 0x00FF) | (bytes[1] << 8));
    return command;
}

CommandResponse RespondTo(uint16_t command, const ChannelOptions& options) {
    CommandResponse response;
    if (options.editorLines)
        response.linesOnRead.push_back(Format("Cmd read from pipe is %d", command));
    if (command == kExitCommand) {
        if (options.editorLines) response.linesOnRead.push_back("Got an 'Exit' CMD");
        response.reply = {static_cast<uint8_t>(command & 0xFF), static_cast<uint8_t>(command >> 8)};
    }
    if (options.editorLines)
        response.lineAfterDisconnect = Format("Incoming command %d received\n", command);
    return response;
}

TickAction OnTick(uint16_t command, const ChannelOptions& options) {
    if (command == kExitCommand) return {true, ""};
    return {false, options.editorLines ? "Keep running, no action from the pipe\n" : ""};
}

std::string CreatePipeFailedLine(unsigned long error) {
    // As the system's %d shows it: codes above 0x7FFFFFFF come out negative.
    return Format("Create Pipe failed with error %d", static_cast<int>(error));
}

std::optional<uint16_t> ParseCommandCode(std::string_view text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    if (value > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(value);
}

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (uint8_t b : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

bool TitleStartsWith(std::wstring_view title, std::wstring_view prefix) {
    return !prefix.empty() && title.starts_with(prefix);
}

}  // namespace vh
