#include "vhsim_commands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "devices/hid_device.h"
#include "devices/hid_reports.h"
#include "devices/input/sim_backend.h"

namespace {

class Vhsim : public ::testing::Test {
  protected:
    Vhsim() { std::filesystem::remove_all(folder_); }
    ~Vhsim() override { std::filesystem::remove_all(folder_); }

    vh::VhsimResult Run(std::vector<std::string> args) {
        return vh::RunVhsim(args, folder_, [this] { ++changes_; });
    }

    const std::filesystem::path folder_ = std::filesystem::temp_directory_path() / "vh-vhsim-test";
    int changes_ = 0;
};

TEST_F(Vhsim, CommandsChangeWhatTheProgramsRead) {
    vh::CSimInputBackend backend(folder_);
    EXPECT_EQ(Run({"plug", "g74"}).out, "1\n");
    EXPECT_EQ(Run({"plug", "k31", "--output-report", "3", "--name", "Bench keypad"}).out, "2\n");
    EXPECT_EQ(changes_, 2);

    EXPECT_EQ(Run({"press", "1", "0", "12"}).status, 0);
    EXPECT_EQ(Run({"axis", "1", "rz", "-750"}).status, 0);
    EXPECT_EQ(Run({"hat", "1", "270"}).status, 0);
    EXPECT_EQ(Run({"keys", "30", "42"}).status, 0);
    EXPECT_EQ(changes_, 2);  // nothing was plugged or unplugged

    const vh::SimWorld& world = backend.World();
    const vh::SimController& pad = *world.Find(1);
    EXPECT_EQ(pad.buttons, (std::set<int>{0, 12}));
    EXPECT_EQ(pad.axes[vh::SIM_RZ], -750);
    EXPECT_EQ(pad.hats[0], 27000u);
    EXPECT_EQ(world.keys, (std::set<int>{30, 42}));
    EXPECT_EQ(world.Find(2)->instanceName, "Bench keypad");
    EXPECT_EQ(Run({"list"}).out,
              "1 g74 plugged \"Varnholt g74 Dual Analog Gamepad\" output-report 1033 buttons 0 12\n"
              "2 k31 plugged \"Bench keypad\" output-report 3\n"
              "keys 30 42\n");

    EXPECT_EQ(Run({"release", "1", "12"}).status, 0);
    EXPECT_EQ(backend.World().Find(1)->buttons, std::set<int>{0});
    EXPECT_EQ(Run({"release", "1"}).status, 0);
    EXPECT_TRUE(backend.World().Find(1)->buttons.empty());
    EXPECT_EQ(Run({"hat", "1", "centre"}).status, 0);
    EXPECT_EQ(backend.World().Find(1)->hats[0], vh::kHatCentred);

    EXPECT_EQ(Run({"unplug", "1"}).status, 0);
    EXPECT_TRUE(backend.EnumGameControllers().size() == 1);
    EXPECT_EQ(Run({"replug", "1"}).status, 0);
    EXPECT_EQ(Run({"remove", "2"}).status, 0);
    EXPECT_EQ(changes_, 5);
    ASSERT_EQ(backend.EnumGameControllers().size(), 1u);
    EXPECT_EQ(backend.EnumGameControllers()[0].instanceName, u"Varnholt g74 Dual Analog Gamepad");
}

TEST_F(Vhsim, ReportsShowWhatWasWrittenInHex) {
    Run({"plug", "k33", "--output-report", "4"});
    vh::CSimInputBackend backend(folder_);
    CHidDevice hid(backend.Hid());
    hid.Open(vh::SimHidPath(1));
    hid.SendOption(vh::OPTION_CONFIGURING, true);
    hid.SendOption(vh::OPTION_PAD_SWAP, false);
    EXPECT_EQ(Run({"reports", "1"}).out, "05000100\n05010000\n");
    EXPECT_EQ(Run({"clear-reports", "1"}).status, 0);
    EXPECT_EQ(Run({"reports", "1"}).out, "");
}

TEST_F(Vhsim, BadCommandLinesAndWorldsAreRefusedWithoutChangingAnything) {
    Run({"plug", "w58"});
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string firstLine;
    };
    const Case cases[] = {
        {{}, 1, "usage: vhsim [--dir FOLDER] COMMAND [ARGUMENTS]"},
        {{"jump"}, 1, "vhsim: no command \"jump\""},
        {{"plug", "x99"}, 1, "vhsim: no device family \"x99\""},
        {{"plug", "k33", "--colour", "red"},
         1,
         "vhsim: plug takes --output-report N and --name TEXT, not \"--colour\""},
        {{"press", "1"}, 1, "vhsim: press needs a button"},
        {{"press", "1", "32"}, 1, "vhsim: a button is 0..31, not \"32\""},
        {{"press", "7", "1"}, 2, "vhsim: no controller 7"},
        {{"axis", "1", "w", "0"}, 1, "vhsim: no axis \"w\""},
        {{"axis", "1", "x", "1001"}, 1, "vhsim: a position is -1000..1000, not \"1001\""},
        {{"hat", "1", "north"}, 1, "vhsim: a hat direction is 0..359, not \"north\""},
        {{"unplug", "1", "2"}, 1, "vhsim: unexpected \"2\""},
        {{"unplug"}, 1, "vhsim: missing a controller id"},
    };
    const std::string before = vh::FormatSimWorld(*vh::LoadSimWorld(folder_));
    for (const Case& c : cases) {
        const vh::VhsimResult r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
    }
    EXPECT_EQ(vh::FormatSimWorld(*vh::LoadSimWorld(folder_)), before);
    EXPECT_EQ(changes_, 1);

    EXPECT_EQ(vh::RunVhsim({"list"}, "", [] {}).status, 1);  // no folder at all
    { std::ofstream(folder_ / vh::kSimWorldFile) << "[controller 1]\nfamily = x\n"; }
    const vh::VhsimResult broken = Run({"list"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_NE(broken.err.find("simulation.txt: line 2: no device family \"x\""), std::string::npos)
        << broken.err;
}

}  // namespace
