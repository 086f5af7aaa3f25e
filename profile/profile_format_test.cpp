#include <gtest/gtest.h>

#include <sstream>

#include "profile/archive.h"
#include "profile/controller_data.h"
#include "profile/test_profile.h"

namespace {

constexpr GUID kSecondKeypad = {
    0x0DF6BB65, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};

std::string Save(CControllerData& p) {
    std::string bytes;
    CArchive ar(bytes);
    p.Serialize(ar);
    return bytes;
}

CControllerData Load(const std::string& bytes, bool combined = false, bool fromK31 = false) {
    CControllerData p;
    p.convertForCombined = combined;
    p.convertFromFirstKeypad = fromK31;
    std::istringstream in(bytes);
    CArchive ar(in, "test.k31");
    p.Serialize(ar);
    return p;
}

std::optional<CArchiveException::Cause> LoadFailure(const std::string& bytes) {
    try {
        Load(bytes);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return std::nullopt;
}

std::string Int32(int32_t v) {
    std::string bytes;
    CArchive(bytes).WriteInt32(v);
    return bytes;
}

TEST(ProfileFormat, EmptyProfileIsTheMinimalFile) {
    CControllerData p;
    const std::string bytes = Save(p);
    std::string expected =
        "\x1A"
        "Varnholt V2 Profile Header";
    expected += Int32(2) + Int32(6) + Int32(0);
    expected += std::string(5 + 16 + 1024, '\0');
    for (int role : {-1, -1, -1, -1, 0, 0, 0}) expected += Int32(role);
    expected += std::string(12, '\0');
    ASSERT_EQ(bytes.size(), 1124u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(Load(bytes), p);
}

TEST(ProfileFormat, EveryFieldSurvivesARoundTripAndWritesTheSameBytes) {
    CControllerData p = vh::test::RichProfile();
    const std::string bytes = Save(p);
    CControllerData back = Load(bytes);
    EXPECT_EQ(back, p);
    EXPECT_EQ(Save(back), bytes);
}

TEST(ProfileFormat, WritingSetsTheCurrentHeaderAndVersion) {
    CControllerData p;
    p.header = "Some Other Header";
    p.version.major = 2;
    p.version.minor = 5;
    p.version.reserved = 3;
    CControllerData back = Load(Save(p));
    EXPECT_EQ(back.header, "Varnholt V2 Profile Header");
    EXPECT_EQ(back.version.minor, 6);
    EXPECT_EQ(back.version.reserved, 3);
}

// A second-generation file written field by field, as older writers did.
struct V2File {
    std::string header = "Varnholt V2 Profile Header";
    int major = 2;
    int minor = 6;
    std::string macroRecord;  // one macro entry, key 5

    std::string Bytes() const {
        std::string bytes;
        CArchive ar(bytes);
        ar.WriteString(header);
        ar.WriteInt32(major);
        ar.WriteInt32(minor);
        ar.WriteInt32(0);
        for (const char* s : {"legacy", "author", "mail", "web", "notes"}) ar.WriteString(s);
        GUID g = kSecondKeypad;
        ar.Exchange(g);
        for (int i = 0; i < 1024; ++i) ar.WriteString(i == 1 ? "one" : "");
        ar.WriteInt32(1);
        ar.WriteInt32(2);
        ar.WriteInt32(3);
        if (static_cast<unsigned>(minor) >= 5) ar.WriteInt32(4);
        ar.WriteInt32(1);
        ar.WriteInt32(0);
        ar.WriteInt32(1);
        for (int mode = 0; mode < 4; ++mode) ar.WriteCount(0);
        ar.WriteCount(macroRecord.empty() ? 0 : 1);
        if (!macroRecord.empty()) {
            ar.WriteInt32(5);
            bytes += macroRecord;
        }
        ar.WriteCount(0);
        return bytes;
    }
};

std::string MacroRecord(int repeatInterval, std::optional<int> repeatMode) {
    std::string bytes;
    CArchive ar(bytes);
    ar.WriteInt32(5);
    ar.WriteString("m");
    ar.WriteInt32(repeatInterval);
    if (repeatMode) ar.WriteInt32(*repeatMode);
    ar.WriteCount(1);
    ar.WriteInt32(ME_KEY_PRESS);
    ar.WriteInt32(0x1E);
    return bytes;
}

TEST(ProfileFormat, MinorVersionsDecideCycleShiftAndMacroForm) {
    struct Case {
        int minor;
        int repeatInterval;
        std::optional<int> storedRepeatMode;
        int cycle;
        int repeatMode;
        int oldFormat;
    };
    const Case cases[] = {
        {4, -1, std::nullopt, -1, REPEAT_ONCE, 1},
        {5, -1, std::nullopt, 4, REPEAT_ONCE, 1},
        {5, 250, std::nullopt, 4, REPEAT_WHILE_DOWN, 1},
        {6, 250, REPEAT_UNTIL_PRESSED, 4, REPEAT_UNTIL_PRESSED, 0},
        {-1, 0, REPEAT_ONCE, 4, REPEAT_ONCE, 0},  // minor compares unsigned
    };
    for (const Case& c : cases) {
        V2File file;
        file.minor = c.minor;
        file.macroRecord = MacroRecord(c.repeatInterval, c.storedRepeatMode);
        const CControllerData p = Load(file.Bytes());
        EXPECT_EQ(p.cycleShiftControl, c.cycle) << c.minor;
        EXPECT_EQ(p.greenShiftControl, 3) << c.minor;
        EXPECT_EQ(p.redShiftType, 1) << c.minor;
        EXPECT_EQ(p.oldFormat, c.oldFormat) << c.minor;
        ASSERT_EQ(p.macros.size(), 1u) << c.minor;
        const MACRO_INFO& m = p.macros.at(5);
        EXPECT_EQ(m.repeatMode, c.repeatMode) << c.minor;
        EXPECT_EQ(m.events, (std::vector<MACRO_EVENT>{{ME_KEY_PRESS, 0x1E}})) << c.minor;
        EXPECT_EQ(p.GetLabel(0, 1), "one");
    }
}

TEST(ProfileFormat, HeaderAndMajorVersion) {
    V2File any;
    any.header = "Whatever Text";
    const CControllerData p = Load(any.Bytes());
    EXPECT_EQ(p.header, "Whatever Text");
    EXPECT_EQ(p.author, "author");

    V2File major3 = any;
    major3.major = 3;
    EXPECT_EQ(LoadFailure(major3.Bytes()), CArchiveException::badVersion);
}

TEST(ProfileFormat, FirstGenerationFileIsReadAndNeverConverted) {
    for (bool convert : {false, true}) {
        const CControllerData p =
            Load(vh::test::FirstGenerationFile(kFirstKeypadGuid), convert, convert);
        EXPECT_EQ(p.header, "Varnholt Profile Header");
        EXPECT_EQ(p.oldFormat, 1);
        EXPECT_EQ(p.legacyText, "old text");
        EXPECT_EQ(p.redShiftControl, 1);
        EXPECT_EQ(p.blueShiftControl, 2);
        EXPECT_EQ(p.greenShiftControl, 7);
        EXPECT_EQ(p.legacyShiftControl, 7);
        EXPECT_EQ(p.cycleShiftControl, -1);
        EXPECT_EQ(p.GetAssignment(0, 3), (BUTTON_INFO{3, BT_KEY, 4}));
        EXPECT_TRUE(p.GetAssignment(0, 194));
        EXPECT_EQ(p.GetLabel(0, 3), "Three");
        EXPECT_EQ(p.macros.at(8).repeatMode, REPEAT_WHILE_DOWN);
    }
}

CControllerData FirstKeypadProfile() {
    CControllerData p;
    p.deviceType = kFirstKeypadGuid;
    for (int mode = 0; mode < 4; ++mode) {
        p.SetAssignment(mode, 3, BT_KEY, 0x20 + mode);
        p.SetLabel(mode, 3, "Three");
        p.SetAssignment(mode, 13, BT_KEY, 0x50);
        p.SetLabel(mode, 13, "Thirteen");
        for (int dir = 128; dir <= 135; ++dir) {
            p.SetAssignment(mode, dir, BT_DI_BUTTON, dir - 128);
            p.SetLabel(mode, dir, "Dir" + std::to_string(dir));
        }
    }
    p.SetAssignment(MODE_NORMAL, 194, BT_AXIS_UP, AXIS_RZ);
    p.SetLabel(MODE_NORMAL, 194, "Wheel");
    p.SetAssignment(MODE_RED, 194, BT_AXIS_DEFINITION, 77);
    p.SetLabel(MODE_RED, 194, "Bands");
    return p;
}

TEST(ProfileFormat, CombinedDeviceConversionRenumbersTheKeypad) {
    CControllerData original = FirstKeypadProfile();
    const CControllerData p = Load(Save(original), true, false);
    for (int mode = 0; mode < 4; ++mode) {
        EXPECT_EQ(p.GetAssignment(mode, 13), (BUTTON_INFO{13, BT_KEY, 0x20 + mode}));
        EXPECT_EQ(p.GetLabel(mode, 13), "Three");
        EXPECT_FALSE(p.GetAssignment(mode, 3));
        EXPECT_EQ(p.GetLabel(mode, 3), "");
        const std::pair<int, int> moves[] = {{128, 20}, {130, 21}, {132, 22}, {134, 23}};
        for (auto [from, to] : moves) {
            EXPECT_EQ(p.GetAssignment(mode, to), (BUTTON_INFO{to, BT_DI_BUTTON, from - 128}));
            EXPECT_EQ(p.GetLabel(mode, to), "Dir" + std::to_string(from));
            EXPECT_FALSE(p.GetAssignment(mode, from));
        }
        for (int diagonal : {129, 131, 133, 135}) {
            EXPECT_FALSE(p.GetAssignment(mode, diagonal));
            EXPECT_EQ(p.GetLabel(mode, diagonal), "");
        }
    }
    EXPECT_TRUE(p.GetAssignment(MODE_NORMAL, 194));
}

TEST(ProfileFormat, WheelConversionSplitsTheThumbWheel) {
    CControllerData original = FirstKeypadProfile();
    const CControllerData p = Load(Save(original), false, true);
    EXPECT_EQ(p.GetAssignment(MODE_NORMAL, 16), (BUTTON_INFO{16, BT_AXIS_UP, AXIS_RZ}));
    EXPECT_EQ(p.GetAssignment(MODE_NORMAL, 18), (BUTTON_INFO{18, BT_AXIS_DOWN, AXIS_RZ}));
    EXPECT_EQ(p.GetLabel(MODE_NORMAL, 16), "Wheel");
    EXPECT_EQ(p.GetLabel(MODE_NORMAL, 18), "Wheel");
    EXPECT_FALSE(p.GetAssignment(MODE_NORMAL, 194));
    EXPECT_EQ(p.GetLabel(MODE_NORMAL, 194), "");
    // A banded wheel cannot be converted and is left as it is.
    EXPECT_TRUE(p.GetAssignment(MODE_RED, 194));
    EXPECT_EQ(p.GetLabel(MODE_RED, 194), "Bands");
    EXPECT_EQ(p.unconvertedAxisFound, 1);
    EXPECT_EQ(p.GetAssignment(MODE_NORMAL, 3), (BUTTON_INFO{3, BT_KEY, 0x20}));
}

TEST(ProfileFormat, ConversionsApplyOnlyWhenSwitchedOnAndOnlyToTheFirstKeypad) {
    CControllerData k31 = FirstKeypadProfile();
    EXPECT_EQ(Load(Save(k31)), k31);
    CControllerData other = FirstKeypadProfile();
    other.deviceType = kSecondKeypad;
    CControllerData loaded = Load(Save(other), true, true);
    loaded.convertForCombined = loaded.convertFromFirstKeypad = 0;
    EXPECT_EQ(loaded, other);
}

TEST(ProfileFormat, LaterEntriesReplaceEarlierOnesUnderTheFileKey) {
    std::string bytes;
    {
        CControllerData p;
        bytes = Save(p);
    }
    // Replace the six empty tables by hand-made ones.
    bytes.resize(bytes.size() - 12);
    CArchive ar(bytes);
    ar.WriteCount(2);
    for (int v : {4, 4, int{BT_KEY}, 1, 4, 4, int{BT_KEY}, 2}) ar.WriteInt32(v);
    for (int mode = 1; mode < 4; ++mode) ar.WriteCount(0);
    ar.WriteCount(1);
    ar.WriteInt32(100);
    bytes += MacroRecord(-1, REPEAT_ONCE);  // record id 5, stored under 100
    ar.WriteCount(0);
    const CControllerData p = Load(bytes);
    EXPECT_EQ(p.GetAssignment(0, 4), (BUTTON_INFO{4, BT_KEY, 2}));
    EXPECT_EQ(p.macros.count(100), 1u);
    EXPECT_EQ(p.macros.at(100).id, 5);
}

TEST(ProfileFormat, EveryTruncationIsAnEndOfFileError) {
    CControllerData p = vh::test::RichProfile();
    const std::string bytes = Save(p);
    for (size_t length = 0; length < bytes.size(); ++length)
        ASSERT_EQ(LoadFailure(bytes.substr(0, length)), CArchiveException::endOfFile) << length;
}

}  // namespace
