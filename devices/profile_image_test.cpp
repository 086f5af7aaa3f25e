#include "devices/profile_image.h"

#include <gtest/gtest.h>

namespace {

using vh::Bytes;

int32_t Int32At(const Bytes& b, size_t at) {
    return static_cast<int32_t>(b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 |
                                static_cast<uint32_t>(b.at(at + 3)) << 24);
}

TEST(ProfileImage, EmptyProfileIsTheHeaderAlone) {
    CControllerData p;
    p.deviceType = {0x0DF6BB65, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
    p.redShiftControl = 3;
    p.greenShiftControl = 4;
    p.blueShiftControl = 5;
    p.cycleShiftControl = 6;
    p.redShiftType = 1;
    p.greenShiftType = 0;
    p.blueShiftType = 1;
    const Bytes image = vh::BuildProfileImage(p, false);
    ASSERT_EQ(image.size(), 92u);
    const Bytes guid = {0x65, 0xBB, 0xF6, 0x0D, 0x74, 0xAE, 0xD4, 0x11,
                        0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22};
    EXPECT_EQ(Bytes(image.begin(), image.begin() + 16), guid);
    // Green comes before blue in the image.
    const int32_t shift[] = {3, 4, 5, 6, 1, 0, 1};
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(Int32At(image, 16 + 4 * i), shift[i]) << i;
    for (size_t at = 44; at < 92; ++at) EXPECT_EQ(image[at], 0) << at;
}

TEST(ProfileImage, TablesFollowTheHeaderInOrderWithTheirOffsets) {
    CControllerData p;
    p.assignments[MODE_NORMAL][1] = {1, BT_KEY, 0x1E};
    p.assignments[MODE_NORMAL][2] = {2, BT_DI_BUTTON, 4};
    p.assignments[MODE_GREEN][9] = {9, BT_MACRO, 300};
    AXIS_INFO axis;
    axis.id = 12;
    axis.outputAxis = AXIS_RZ;
    axis.axisMode = 2;
    axis.useBands = true;
    axis.bands = {{0, 40, BT_KEY, 0x10}, {40, 100, BT_OFF, 0}};
    p.axes[12] = axis;
    MACRO_INFO macro;
    macro.id = 300;
    macro.repeatInterval = 250;
    macro.repeatMode = REPEAT_UNTIL_PRESSED;
    macro.events = {{ME_KEY_PRESS, 0x1E}, {ME_DELAY, 20}, {ME_KEY_RELEASE, 0x1E}};
    p.macros[300] = macro;

    const Bytes image = vh::BuildProfileImage(p, false);
    // 92 header, 24 + 12 buttons, 68 axis (two bands), 60 macro (three events).
    ASSERT_EQ(image.size(), 92u + 36 + 68 + 60);
    const int32_t counts[] = {2, 0, 0, 1};
    const int32_t offsets[] = {92, 0, 0, 116};
    for (size_t m = 0; m < 4; ++m) {
        EXPECT_EQ(Int32At(image, 44 + 4 * m), counts[m]);
        EXPECT_EQ(Int32At(image, 60 + 4 * m), offsets[m]);
    }
    EXPECT_EQ(Int32At(image, 92 + 12), 2);
    EXPECT_EQ(Int32At(image, 92 + 16), BT_DI_BUTTON);
    EXPECT_EQ(Int32At(image, 116 + 8), 300);

    EXPECT_EQ(Int32At(image, 76), 1);
    ASSERT_EQ(Int32At(image, 80), 128);
    const size_t a = 128;
    EXPECT_EQ(Int32At(image, a), 12);
    EXPECT_EQ(Int32At(image, a + 4), AXIS_RZ);
    EXPECT_EQ(Int32At(image, a + 8), 2);
    EXPECT_EQ(Bytes(image.begin() + a + 12, image.begin() + a + 16), (Bytes{1, 1, 0, 0}));
    EXPECT_EQ(Int32At(image, a + 16), 2);
    EXPECT_EQ(Int32At(image, a + 20 + 16 + 4), 100);
    for (size_t at = a + 52; at < a + 68; ++at) EXPECT_EQ(image[at], 0);

    EXPECT_EQ(Int32At(image, 84), 1);
    ASSERT_EQ(Int32At(image, 88), 196);
    const size_t m = 196;
    EXPECT_EQ(Int32At(image, m), 300);
    EXPECT_EQ(Int32At(image, m + 4), 250);
    EXPECT_EQ(image[m + 8], 2);
    for (size_t at = m + 9; at < m + 24; ++at) EXPECT_EQ(image[at], 0);
    EXPECT_EQ(Int32At(image, m + 24), 3);
    EXPECT_EQ(Int32At(image, m + 28 + 8), ME_DELAY);
    EXPECT_EQ(Int32At(image, m + 28 + 12), 20);
    for (size_t at = m + 52; at < m + 60; ++at) EXPECT_EQ(image[at], 0);
}

TEST(ProfileImage, RepeatModeByteCarriesOnlyTheRepeatingModes) {
    for (auto [mode, expected] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}}) {
        CControllerData p;
        p.macros[1].repeatMode = mode;
        EXPECT_EQ(vh::BuildProfileImage(p, false).at(92 + 8), expected) << mode;
    }
}

TEST(ProfileImage, VirtualDeviceRenumbersTheTwoWheels) {
    CControllerData p;
    for (int control : {193, 194, 202, 205}) p.assignments[MODE_RED][control] = {control, 2, 7};
    auto controls = [&](bool virtualDevice) {
        const Bytes image = vh::BuildProfileImage(p, virtualDevice);
        std::vector<int32_t> sent;
        for (size_t at = 92; at < image.size(); at += 12) sent.push_back(Int32At(image, at));
        return sent;
    };
    EXPECT_EQ(controls(false), (std::vector<int32_t>{193, 194, 202, 205}));
    EXPECT_EQ(controls(true), (std::vector<int32_t>{193, 202, 202, 194}));
}

}  // namespace
