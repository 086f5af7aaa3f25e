#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "channel/command_channel.h"

namespace {

using vh::ChannelOptions;
using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

const ChannelOptions kEditor{true};
const ChannelOptions kManager{false};

TEST(CommandChannel, EachCommandIsAnsweredAndLoggedAsTheProgramDoes) {
    struct Case {
        const char* what;
        ChannelOptions options;
        uint16_t command;
        Lines onRead;
        Bytes reply;
        std::string afterDisconnect;
        bool exit;
        std::string tickLine;
    };
    const char* keep = "Keep running, no action from the pipe\n";
    const Case cases[] = {
        {"editor, exit",
         kEditor,
         105,
         {"Cmd read from pipe is 105", "Got an 'Exit' CMD"},
         {0x69, 0x00},
         "Incoming command 105 received\n",
         true,
         ""},
        {"editor, other",
         kEditor,
         7,
         {"Cmd read from pipe is 7"},
         {},
         "Incoming command 7 received\n",
         false,
         keep},
        {"editor, exit's low byte in a wider code",
         kEditor,
         0x0169,
         {"Cmd read from pipe is 361"},
         {},
         "Incoming command 361 received\n",
         false,
         keep},
        {"editor, nothing yet",
         kEditor,
         0,
         {"Cmd read from pipe is 0"},
         {},
         "Incoming command 0 received\n",
         false,
         keep},
        {"editor, top code",
         kEditor,
         65535,
         {"Cmd read from pipe is 65535"},
         {},
         "Incoming command 65535 received\n",
         false,
         keep},
        {"manager, exit", kManager, 105, {}, {0x69, 0x00}, "", true, ""},
        {"manager, other", kManager, 7, {}, {}, "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const vh::CommandResponse response = vh::RespondTo(c.command, c.options);
        EXPECT_EQ(response.linesOnRead, c.onRead);
        EXPECT_EQ(response.reply, c.reply);
        EXPECT_EQ(response.lineAfterDisconnect, c.afterDisconnect);
        const vh::TickAction tick = vh::OnTick(c.command, c.options);
        EXPECT_EQ(tick.exit, c.exit);
        EXPECT_EQ(tick.line, c.tickLine);
    }
    EXPECT_EQ(vh::CreatePipeFailedLine(231), "Create Pipe failed with error 231");
    EXPECT_EQ(vh::CreatePipeFailedLine(0x80070005), "Create Pipe failed with error -2147024891");
}

TEST(CommandChannel, OnlyTheBytesThatCameReplaceTheCommand) {
    struct Case {
        uint16_t previous;
        Bytes message;
        uint16_t expected;
    };
    const Case cases[] = {
        {0x1234, {0x69, 0x00}, 105},
        {0x1234, {0x69, 0x00, 0x07}, 105},  // a longer message is answered by its first two
        {0x1234, {0x69}, 0x1269},
        {0x0000, {0x69}, 105},
        {0x1234, {}, 0x1234},
        {0x0000, {0xFF, 0xFF}, 0xFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.previous << " + " << c.message.size() << " bytes");
        EXPECT_EQ(vh::ReceiveCommandBytes(c.previous, c.message.data(), c.message.size()),
                  c.expected);
    }
}

TEST(CommandChannel, NamesCodesAndTitles) {
    EXPECT_EQ(vh::PipePath(L"vhedit"), L"\\\\.\\pipe\\vhedit");

    const std::pair<const char*, std::optional<uint16_t>> codes[] = {
        {"105", 105}, {"0", 0},     {"65535", 65535}, {"007", 7},     {"65536", {}}, {"-1", {}},
        {"", {}},     {"0x69", {}}, {"10 5", {}},     {"999999", {}}, {"+5", {}},
    };
    for (const auto& [text, code] : codes) EXPECT_EQ(vh::ParseCommandCode(text), code) << text;

    EXPECT_EQ(vh::HexBytes({0x69, 0x00}), "69 00");
    EXPECT_EQ(vh::HexBytes({0xAB}), "ab");
    EXPECT_EQ(vh::HexBytes({}), "");

    const std::wstring prefix = L"Varnholt Loadout Manager";
    EXPECT_TRUE(vh::TitleStartsWith(L"Varnholt Loadout Manager - x", prefix));
    EXPECT_TRUE(vh::TitleStartsWith(prefix, prefix));
    EXPECT_FALSE(vh::TitleStartsWith(L"Varnholt Loadout", prefix));
    EXPECT_FALSE(vh::TitleStartsWith(L"Other", prefix));
    EXPECT_FALSE(vh::TitleStartsWith(L"varnholt loadout manager", prefix));
    EXPECT_FALSE(vh::TitleStartsWith(L" Varnholt Loadout Manager", prefix));
    EXPECT_FALSE(vh::TitleStartsWith(L"Other", L""));
}

}  // namespace
