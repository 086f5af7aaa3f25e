#include "devices/device_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "profile/controller_data.h"

namespace {

std::vector<int> Indices(std::initializer_list<std::pair<int, int>> ranges) {
    std::vector<int> out;
    for (const auto& [first, last] : ranges)
        for (int i = first; i <= last; ++i) out.push_back(i);
    return out;
}

// The devices and their controls as the modules, profiles and firmware number them.
struct Expected {
    const char* code;
    const char* guid;
    std::vector<int> controls;
};
const std::vector<Expected>& ExpectedDevices() {
    static const std::vector<Expected> devices = {
        {"g71", "{0DF6BB62-AE74-11D4-9548-005004728F22}", Indices({{0, 9}, {128, 135}})},
        {"g74", "{0DF6BB61-AE74-11D4-9548-005004728F22}",
         Indices({{0, 12}, {128, 135}, {192, 194}, {197, 197}})},
        {"k31", "{0DF6BB60-AE74-11D4-9548-005004728F22}",
         Indices({{0, 9}, {128, 135}, {194, 194}})},
        {"k33", "{0DF6BB65-AE74-11D4-9548-005004728F22}", Indices({{0, 18}, {128, 135}})},
        {"w58", "{0DF6BB63-AE74-11D4-9548-005004728F22}",
         Indices({{0, 5}, {128, 135}, {192, 194}, {197, 197}})},
        {"q97", "{0DF6BB64-AE74-11D4-9548-005004728F22}",
         Indices({{0, 5}, {10, 23}, {128, 135}, {192, 194}, {197, 197}, {205, 205}})},
    };
    return devices;
}

struct Rect {
    int x, y, width, height;
};

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// Within the margin and clear of the editor's device chooser.
bool InsideMargin(const Rect& r) {
    const Rect chooser{vh::kChooserLeft, vh::kChooserTop, vh::kPictureWidth - vh::kChooserLeft,
                       vh::kPictureHeight - vh::kChooserTop};
    return r.width > 0 && r.height > 0 && r.x >= vh::kPictureMargin && r.y >= vh::kPictureMargin &&
           r.x + r.width <= vh::kPictureWidth - vh::kPictureMargin &&
           r.y + r.height <= vh::kPictureHeight - vh::kPictureMargin && !Overlap(r, chooser);
}

const vh::ControlFact* Control(const vh::DeviceFacts& d, int control) {
    for (const vh::ControlFact& c : d.controls)
        if (c.control == control) return &c;
    return nullptr;
}

TEST(DeviceFacts, CatalogueHoldsTheSixDevicesUnderTheirCodesAndTypes) {
    const auto& catalog = vh::DeviceCatalog();
    ASSERT_EQ(catalog.size(), ExpectedDevices().size());
    std::set<std::string> guids;
    for (const Expected& e : ExpectedDevices()) {
        const vh::DeviceFacts* d = vh::FindDevice(e.code);
        ASSERT_NE(d, nullptr) << e.code;
        EXPECT_EQ(d->code, e.code);
        EXPECT_EQ(vh::GuidToString(d->guid), e.guid) << e.code;
        EXPECT_FALSE(vh::GuidIsZero(d->guid)) << e.code;
        guids.insert(vh::GuidToString(d->guid));
        EXPECT_FALSE(d->displayName.empty()) << e.code;
        EXPECT_FALSE(d->deviceText.empty()) << e.code;
        EXPECT_LE(d->deviceText.size(), 80u) << e.code;
        // Only the combined device has a second picture set; the modules report it
        // as present when its ids are non-zero.
        const bool second = std::string(e.code) == "q97";
        for (size_t mode = 0; mode < 4; ++mode) {
            EXPECT_NE(d->pictures[mode], 0) << e.code;
            EXPECT_EQ(d->secondPictures[mode] != 0, second) << e.code;
        }
    }
    EXPECT_EQ(guids.size(), catalog.size());
    // The profile code's own idea of the first keypad must be this catalogue's.
    EXPECT_TRUE(vh::FindDevice("k31")->guid == kFirstKeypadGuid);

    // Extensions arrive in whatever case the file system has.
    EXPECT_EQ(vh::FindDevice("K33"), vh::FindDevice("k33"));
    for (const char* unknown : {"", "k3", "k333", "x99", "k33 "})
        EXPECT_EQ(vh::FindDevice(unknown), nullptr) << '"' << unknown << '"';
}

TEST(DeviceFacts, ControlIndicesAreTheContractAndAxesHaveTheirRecords) {
    for (const Expected& e : ExpectedDevices()) {
        const vh::DeviceFacts& d = *vh::FindDevice(e.code);
        std::vector<int> controls;
        for (const vh::ControlFact& c : d.controls) controls.push_back(c.control);
        std::sort(controls.begin(), controls.end());
        EXPECT_EQ(controls, e.controls) << e.code;
        EXPECT_LE(d.controls.size(), size_t{VH_MAX_CONTROLS}) << e.code;

        // Analog controls (192..255) each have one axis record and nothing else
        // has one; only a stick's throttle lever is read as a throttle.
        std::map<int, int> records;
        for (const VH_AXIS_RECORD& a : d.axes) {
            ++records[a.control];
            const bool throttle = (d.code == "w58" || d.code == "q97") && a.control == 194;
            EXPECT_EQ(a.throttle, throttle ? 1 : 0) << e.code << " " << a.control;
            // A matching pair: forward/back, up/down or right/left.
            EXPECT_TRUE(a.upperEnd == VH_AXIS_END_FORWARD || a.upperEnd == VH_AXIS_END_UP ||
                        a.upperEnd == VH_AXIS_END_RIGHT)
                << e.code << " " << a.control;
            EXPECT_EQ(a.lowerEnd, a.upperEnd + 1) << e.code << " " << a.control;
        }
        for (const auto& [control, count] : records)
            EXPECT_TRUE(std::binary_search(controls.begin(), controls.end(), control))
                << e.code << " axis record of no control " << control;
        for (int control : controls)
            EXPECT_EQ(records[control], control >= 192 ? 1 : 0) << e.code << " " << control;

        // Every direction-pad position shows an arrow while highlighted.
        std::map<int, int> overlays;
        for (const vh::OverlayFact& o : d.overlays) {
            ++overlays[o.control];
            EXPECT_NE(Control(d, o.control), nullptr) << e.code << " overlay " << o.control;
            EXPECT_GE(o.entries.size(), 1u) << e.code << " " << o.control;
            EXPECT_LE(o.entries.size(), size_t{VH_MAX_OVERLAY_ENTRIES}) << e.code;
        }
        for (int control : controls) {
            if (control >= 128 && control <= 191) {
                EXPECT_EQ(overlays[control], 1) << e.code << " " << control;
            }
        }
        for (const auto& [control, count] : overlays)
            EXPECT_EQ(count, 1) << e.code << " " << control;
    }
}

TEST(DeviceFacts, ButtonsAndArrowsFitTheirPictureWithoutOverlapping) {
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        // What is drawn on each picture, with its name for the messages.
        std::vector<std::pair<Rect, std::string>> drawn[2];
        for (const vh::ControlFact& c : d.controls)
            drawn[vh::OnSecondPicture(d, c)].push_back({{c.x, c.y, c.width, c.height}, c.name});
        std::vector<std::pair<Rect, std::string>> arrows[2];
        for (const vh::OverlayFact& o : d.overlays) {
            const vh::ControlFact& c = *Control(d, o.control);
            for (const VH_OVERLAY_ENTRY& e : o.entries)
                arrows[vh::OnSecondPicture(d, c)].push_back(
                    {{e.x, e.y, vh::kOverlayImageSize, vh::kOverlayImageSize}, c.name + " arrow"});
        }
        for (int picture = 0; picture < 2; ++picture) {
            const auto& buttons = drawn[picture];
            for (size_t i = 0; i < buttons.size(); ++i) {
                EXPECT_TRUE(InsideMargin(buttons[i].first)) << d.code << " " << buttons[i].second;
                for (size_t j = i + 1; j < buttons.size(); ++j)
                    EXPECT_FALSE(Overlap(buttons[i].first, buttons[j].first))
                        << d.code << " " << buttons[i].second << " / " << buttons[j].second;
            }
            // Arrows may share a place with each other (one shows at a time), but
            // must not cover a button.
            for (const auto& [arrow, name] : arrows[picture]) {
                EXPECT_TRUE(InsideMargin(arrow)) << d.code << " " << name;
                for (const auto& [button, buttonName] : buttons)
                    EXPECT_FALSE(Overlap(arrow, button))
                        << d.code << " " << name << " / " << buttonName;
            }
        }
    }
}

TEST(DeviceFacts, IdsAreUniqueWhereTheModulesAndProgramsLookThemUp) {
    std::map<int, std::string> labelIds;  // the programs carry all devices' labels
    for (const vh::DeviceFacts& d : vh::DeviceCatalog()) {
        std::set<int> bitmaps;
        std::set<std::string> names;
        for (const vh::ControlFact& c : d.controls) {
            const std::string where = d.code + " " + std::to_string(c.control);
            EXPECT_FALSE(c.defaultLabel.empty()) << where;
            EXPECT_TRUE(names.insert(c.name).second) << where << " " << c.name;
            EXPECT_NE(c.labelId, VH_DEVICE_TEXT_ID) << where;
            const auto [it, fresh] = labelIds.emplace(c.labelId, where);
            EXPECT_TRUE(fresh) << where << " shares label id " << c.labelId << " with "
                               << it->second;
            for (int bitmap : {c.normalBitmap, c.highlightBitmap}) {
                EXPECT_NE(bitmap, 0) << where;
                EXPECT_TRUE(bitmaps.insert(bitmap).second) << where << " bitmap " << bitmap;
            }
        }
        for (const vh::OverlayFact& o : d.overlays)
            for (const VH_OVERLAY_ENTRY& e : o.entries) {
                EXPECT_GT(e.bitmap & 0xFFFF, 0) << d.code << " overlay " << o.control;
                EXPECT_TRUE(bitmaps.insert(e.bitmap & 0xFFFF).second)
                    << d.code << " overlay " << o.control << " bitmap " << e.bitmap;
            }
    }
}

// The combined device is the stick and the first keypad as its firmware numbers them.
TEST(DeviceFacts, CombinedDeviceIsTheStickAndTheRenumberedKeypad) {
    const vh::DeviceFacts& q97 = *vh::FindDevice("q97");
    const vh::DeviceFacts& w58 = *vh::FindDevice("w58");
    const vh::DeviceFacts& k31 = *vh::FindDevice("k31");
    // combined control -> the part and control it stands for
    std::map<int, std::pair<const vh::DeviceFacts*, int>> source;
    for (const vh::ControlFact& c : w58.controls) source[c.control] = {&w58, c.control};
    for (int key = 0; key <= 9; ++key) source[key + 10] = {&k31, key};
    for (int i = 0; i < 4; ++i) source[20 + i] = {&k31, 128 + 2 * i};  // N, E, S, W
    source[205] = {&k31, 194};

    ASSERT_EQ(q97.controls.size(), source.size());
    for (const vh::ControlFact& c : q97.controls) {
        ASSERT_TRUE(source.count(c.control)) << c.control;
        const auto [part, control] = source[c.control];
        const vh::ControlFact* original = Control(*part, control);
        ASSERT_NE(original, nullptr) << c.control;
        const bool keypad = part == &k31;
        EXPECT_EQ(c.name, (keypad ? "AP " : "JS ") + original->name) << c.control;
        EXPECT_EQ(vh::OnSecondPicture(q97, c), keypad) << c.name;
        EXPECT_EQ(c.defaultLabel, original->defaultLabel) << c.name;
    }
}

}  // namespace
