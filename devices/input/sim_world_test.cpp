#include "devices/input/sim_world.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(SimWorld, TextRoundTripsEveryField) {
    vh::SimWorld world;
    const int padId = world.Add(*vh::FindDevice("g74")).id;
    const int keypadId = world.Add(*vh::FindDevice("k33")).id;
    vh::SimController& pad = *world.Find(padId);
    pad.axes[vh::SIM_X] = -1000;
    pad.axes[vh::SIM_RZ] = 250;
    pad.axes[vh::SIM_SLIDER1] = 1000;
    pad.hats[0] = 27000;
    pad.buttons = {0, 12, 31};
    vh::SimController& keypad = *world.Find(keypadId);
    keypad.attached = false;
    keypad.outputReportLength = 3;
    keypad.instanceName = "Keypad \xC3\xA9";
    world.keys = {1, 30, 255};

    EXPECT_EQ(padId, 1);
    EXPECT_EQ(keypadId, 2);
    EXPECT_EQ(pad.instanceName, "Varnholt g74 Dual Analog Gamepad");
    EXPECT_EQ(pad.outputReportLength, 1033);

    const std::string text = vh::FormatSimWorld(world);
    const vh::SimWorld back = vh::ParseSimWorld(text);
    EXPECT_EQ(vh::FormatSimWorld(back), text);
    ASSERT_EQ(back.controllers.size(), 2u);
    const vh::SimController& b = *back.Find(1);
    EXPECT_EQ(b.family, "g74");
    EXPECT_EQ(b.axes, pad.axes);
    EXPECT_EQ(b.hats, pad.hats);
    EXPECT_EQ(b.buttons, pad.buttons);
    EXPECT_EQ(b.vendorId, pad.vendorId);
    EXPECT_FALSE(back.Find(2)->attached);
    EXPECT_EQ(back.Find(2)->instanceName, "Keypad \xC3\xA9");
    EXPECT_EQ(back.keys, world.keys);
    EXPECT_EQ(back.Find(3), nullptr);
}

TEST(SimWorld, ParseNamesTheLineOfEveryMistake) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"family = k33", "line 1: \"family\" outside a section"},
        {"[controller 1]\nfamily = x99", "line 2: no device family \"x99\""},
        {"[controller 1]\nfamily = k33\nx = 1001", "line 3: 1001 is outside -1000..1000"},
        {"[controller 1]\nfamily = k33\nbuttons = 3 32", "line 3: 32 is outside 0..31"},
        {"[controller 1]\nfamily = k33\nhats = 0 -1", "line 3: four hats, -1 when centred"},
        {"[controller 1]\nfamily = k33\ncolour = red", "line 3: unknown key \"colour\""},
        {"[controller 1]\nfamily = k33\n[controller 1]", "line 3: controller 1 appears twice"},
        {"[controller one]", "line 1: \"one\" is not a number"},
        {"[controller 1]\nattached = 1", "line 2: controller 1 has no family"},
        {"[mouse]", "line 1: sections are [controller ID] and [keyboard]"},
        {"[keyboard\n", "line 1: a section needs its closing ]"},
        {"[keyboard]\nkeys = 256", "line 2: 256 is outside 0..255"},
        {"[controller 1]\nfamily k33", "line 2: expected key = value"},
    };
    for (const Case& c : cases) {
        try {
            vh::ParseSimWorld(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const vh::SimWorldError& e) {
            EXPECT_STREQ(e.what(), c.error) << c.text;
        }
    }
    // Comments, blank lines, CR LF and any case of the family's code are fine.
    const vh::SimWorld w = vh::ParseSimWorld("# a\r\n\r\n[controller 7]\r\nfamily = K31\r\n");
    EXPECT_EQ(w.Find(7)->family, "k31");
}

TEST(SimWorld, LayoutFollowsTheFamilysControls) {
    struct Case {
        const char* family;
        int buttons, povs, axes;
    };
    const Case cases[] = {
        {"g71", 10, 0, 2},                     // the direction pad is X and Y
        {"k31", 10, 0, 3},                     // and the thumb wheel Z
        {"k33", 19, 0, 2}, {"g74", 13, 1, 4},  // with sticks, the direction pad is a hat
        {"w58", 6, 1, 4},
    };
    for (const Case& c : cases) {
        const vh::SimLayout layout = vh::LayoutOf(*vh::FindDevice(c.family));
        EXPECT_EQ(layout.buttons, c.buttons) << c.family;
        EXPECT_EQ(layout.povs, c.povs) << c.family;
        EXPECT_EQ(layout.axes, c.axes) << c.family;
    }
}

TEST(SimWorld, FolderKeepsTheWorldAndTheCapturesInOrder) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("vh-sim-world-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(vh::LoadSimWorld(folder).has_value());  // no folder: nothing plugged in
    EXPECT_TRUE(vh::LoadSimWorld(folder)->controllers.empty());

    vh::SimWorld world;
    world.Add(*vh::FindDevice("k31"));
    vh::SaveSimWorld(folder, world);
    EXPECT_EQ(vh::FormatSimWorld(*vh::LoadSimWorld(folder)), vh::FormatSimWorld(world));

    vh::AppendCapture(folder, 1, {1, 2, 3, 4});
    vh::AppendCapture(folder, 1, {5, 6, 7, 8});
    const auto reports = vh::ReadCaptures(folder, 1, 4);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], (std::vector<uint8_t>{5, 6, 7, 8}));
    EXPECT_TRUE(vh::ReadCaptures(folder, 2, 4).empty());

    // A file that does not parse is not taken for an empty world.
    std::filesystem::path file = folder / vh::kSimWorldFile;
    { std::ofstream(file) << "[controller 1]\nfamily = nope\n"; }
    EXPECT_FALSE(vh::LoadSimWorld(folder).has_value());
    std::filesystem::remove_all(folder);
}

}  // namespace
