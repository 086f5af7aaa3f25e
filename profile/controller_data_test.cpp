#include "profile/controller_data.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ControllerData, FreshProfileHasTheDefaults) {
    const CControllerData p;
    EXPECT_EQ(p.header, "Varnholt V2 Profile Header");
    EXPECT_EQ(p.version.major, 2);
    EXPECT_EQ(p.version.minor, 6);
    EXPECT_TRUE(vh::GuidIsZero(p.deviceType));
    for (int role :
         {p.redShiftControl, p.blueShiftControl, p.greenShiftControl, p.cycleShiftControl})
        EXPECT_EQ(role, -1);
    EXPECT_EQ(p.redShiftType + p.blueShiftType + p.greenShiftType, 0);
    for (const auto& map : p.assignments) EXPECT_TRUE(map.empty());
    EXPECT_TRUE(p.macros.empty());
    EXPECT_TRUE(p.axes.empty());

    const AXIS_INFO axis;
    EXPECT_EQ(axis.outputAxis, AXIS_NONE);
    EXPECT_TRUE(axis.hasOutput);
    EXPECT_EQ(MACRO_INFO().recordDelays, 1);
}

TEST(ControllerData, SettingTwiceKeepsOneRecordWithTheSecondValues) {
    CControllerData p;
    p.SetAssignment(MODE_BLUE, 7, BT_KEY, 0x1E);
    p.SetAssignment(MODE_BLUE, 7, BT_DI_BUTTON, 3);
    ASSERT_EQ(p.assignments[MODE_BLUE].size(), 1u);
    EXPECT_EQ(p.GetAssignment(MODE_BLUE, 7), (BUTTON_INFO{7, BT_DI_BUTTON, 3}));
    EXPECT_FALSE(p.GetAssignment(MODE_NORMAL, 7));
    p.RemoveAssignment(MODE_BLUE, 7);
    p.RemoveAssignment(MODE_BLUE, 7);
    EXPECT_FALSE(p.GetAssignment(MODE_BLUE, 7));
    EXPECT_THROW(p.SetAssignment(4, 0, BT_OFF, 0), std::out_of_range);
    EXPECT_THROW(p.SetAssignment(0, 256, BT_OFF, 0), std::out_of_range);
}

TEST(ControllerData, ShiftRoleAndAssignmentExcludeEachOther) {
    CControllerData p;
    p.SetAssignment(MODE_NORMAL, 5, BT_KEY, 0x10);
    p.SetAssignment(MODE_GREEN, 5, BT_OFF, 0);
    p.SetAssignment(MODE_NORMAL, 6, BT_KEY, 0x11);

    p.SetShiftRole(CControllerData::ROLE_RED, 5);
    EXPECT_EQ(p.redShiftControl, 5);
    EXPECT_FALSE(p.GetAssignment(MODE_NORMAL, 5));
    EXPECT_FALSE(p.GetAssignment(MODE_GREEN, 5));
    EXPECT_TRUE(p.GetAssignment(MODE_NORMAL, 6));

    // A second Red key replaces the first; one control holds one role.
    p.SetShiftRole(CControllerData::ROLE_RED, 6);
    EXPECT_EQ(p.redShiftControl, 6);
    p.SetShiftRole(CControllerData::ROLE_CYCLE, 6);
    EXPECT_EQ(p.redShiftControl, -1);
    EXPECT_EQ(p.cycleShiftControl, 6);

    p.SetShiftRole(CControllerData::ROLE_RED, 5);
    p.SetAssignment(MODE_NORMAL, 5, BT_KEY, 0x1E);
    EXPECT_EQ(p.redShiftControl, -1);
    EXPECT_EQ(p.cycleShiftControl, 6);
}

TEST(ControllerData, DeletingAMacroRemovesItsAssignmentsInEveryMode) {
    CControllerData p;
    MACRO_INFO m;
    m.id = 42;
    p.SetMacro(m);
    p.SetAssignment(MODE_NORMAL, 1, BT_MACRO, 42);
    p.SetAssignment(MODE_GREEN, 2, BT_MACRO, 42);
    p.SetAssignment(MODE_RED, 3, BT_MACRO, 43);
    p.SetAssignment(MODE_RED, 4, BT_KEY, 42);
    p.DeleteMacro(42);
    EXPECT_FALSE(p.GetMacro(42));
    EXPECT_FALSE(p.GetAssignment(MODE_NORMAL, 1));
    EXPECT_FALSE(p.GetAssignment(MODE_GREEN, 2));
    EXPECT_TRUE(p.GetAssignment(MODE_RED, 3));
    EXPECT_TRUE(p.GetAssignment(MODE_RED, 4));
}

TEST(ControllerData, CopiesOwnTheirLists) {
    MACRO_INFO source;
    source.recordDelays = 0;
    source.events = {{ME_KEY_PRESS, 0x1E}, {ME_KEY_RELEASE, 0x1E}};
    MACRO_INFO copy;
    copy.events = {{ME_DELAY, 10}};
    copy = source;
    source.events.push_back({ME_DELAY, 5});
    source.events[0].value = 0x1F;
    EXPECT_EQ(copy.recordDelays, 0);
    EXPECT_EQ(copy.events,
              (std::vector<MACRO_EVENT>{{ME_KEY_PRESS, 0x1E}, {ME_KEY_RELEASE, 0x1E}}));

    CControllerData p;
    p.SetMacro(copy);
    auto lookedUp = p.GetMacro(copy.id);
    lookedUp->events.clear();
    EXPECT_EQ(p.GetMacro(copy.id)->events.size(), 2u);
}

TEST(ControllerData, UniqueIdAvoidsEveryTakenId) {
    CControllerData p;
    // Thousands of ids in both maps, keyed as usual, plus records whose own id
    // differs from their key (as a file may hold).
    for (int id = 0; id < 30000; ++id) {
        if (id % 2) {
            MACRO_INFO m;
            m.id = id;
            p.SetMacro(m);
        } else {
            AXIS_INFO a;
            a.id = id;
            p.SetAxis(a);
        }
    }
    p.macros[-5].id = 30001;
    p.axes[40000].id = 30002;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const int id = p.GetUniqueId();
        ASSERT_GE(id, 30000);
        ASSERT_LT(id, 32768);
        ASSERT_NE(id, 30001);
        ASSERT_NE(id, 30002);
        seen.insert(id);
    }
    EXPECT_GT(seen.size(), 1u);
}

TEST(ControllerData, UniqueIdFailsClearlyWhenEveryIdIsTaken) {
    CControllerData p;
    for (int id = 0; id < 32768; ++id) p.macros[id].id = id;
    EXPECT_THROW(p.GetUniqueId(), std::length_error);
    p.macros.erase(12345);
    EXPECT_EQ(p.GetUniqueId(), 12345);
}

}  // namespace
