#include "profile_json.h"

#include <gtest/gtest.h>

#include <string>

#include "profile/test_profile.h"

namespace {

using vh::ProfileJson;

CControllerData FromText(const std::string& text) {
    return vh::ProfileFromJson(vh::ParseProfileJson(text));
}

TEST(ProfileJson, EveryFieldSurvivesTheTripThroughText) {
    CControllerData p = vh::test::RichProfile();
    // Fields no file stores still belong to the document.
    p.header = kProfileHeaderV1;
    p.version = {};
    p.version.major = 1;
    p.version.minor = -2;
    p.version.reserved = 3;
    p.oldFormat = 1;
    p.unconvertedAxisFound = 1;
    p.legacyShiftControl = 12;

    const ProfileJson json = vh::ProfileToJson(p);
    EXPECT_EQ(vh::ProfileFromJson(json), p);
    const std::string text = vh::FormatProfileJson(json);
    EXPECT_EQ(FromText(text), p);
    EXPECT_EQ(vh::FormatProfileJson(vh::ProfileToJson(FromText(text))), text);

    // The undefined bytes are the C1 controls of the same number, not replacements.
    EXPECT_EQ(json["email"], "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_TRUE(json["comments"].get<std::string>().starts_with("Gr\u00F6\u00DFe \u20AC"));
}

TEST(ProfileJson, PrintsFieldsInTheirFixedOrder) {
    CControllerData p;
    p.author = "A";
    p.deviceType = {0x0DF6BB65, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
    p.SetLabel(MODE_RED, 1, "b");
    p.SetLabel(MODE_NORMAL, 200, "a");
    p.redShiftControl = 4;
    p.assignments[MODE_GREEN][3] = {3, BT_KEY, 30};
    MACRO_INFO m;
    m.id = 2;
    m.name = "M";
    m.events = {{ME_KEY_PRESS, 30}};
    p.macros[2] = m;
    AXIS_INFO a;
    a.id = 1;
    a.bands = {{0, 100, BT_KEY, 16}};
    p.axes[1] = a;

    EXPECT_EQ(vh::FormatProfileJson(vh::ProfileToJson(p)), R"({
  "header": "Varnholt V2 Profile Header",
  "legacyText": "",
  "author": "A",
  "email": "",
  "webPage": "",
  "comments": "",
  "version": {"major": 2, "minor": 6, "reserved": 0},
  "oldFormat": 0,
  "unconvertedAxisFound": 0,
  "redShiftControl": 4,
  "blueShiftControl": -1,
  "greenShiftControl": -1,
  "legacyShiftControl": -1,
  "cycleShiftControl": -1,
  "redShiftType": 0,
  "blueShiftType": 0,
  "greenShiftType": 0,
  "deviceType": "{0DF6BB65-AE74-11D4-9548-005004728F22}",
  "labels": [
    {"mode": 0, "control": 200, "text": "a"},
    {"mode": 1, "control": 1, "text": "b"}
  ],
  "assignments": [
    [],
    [],
    [],
    [
      {"key": 3, "control": 3, "type": 2, "param": 30}
    ]
  ],
  "macros": [
    {
      "key": 2,
      "id": 2,
      "name": "M",
      "repeatInterval": 0,
      "repeatMode": 0,
      "events": [
        [4, 30]
      ]
    }
  ],
  "axes": [
    {
      "key": 1,
      "id": 1,
      "name": "",
      "outputAxis": 11,
      "axisMode": 0,
      "hasOutput": true,
      "useBands": false,
      "invert": false,
      "bands": [
        [0, 100, 2, 16]
      ]
    }
  ]
}
)");
}

TEST(ProfileJson, AcceptsEntriesInAnyOrderAndPrintsThemSorted) {
    const CControllerData p = FromText(R"({
        "axes": [{"key": 9, "id": 9}, {"key": -4, "id": 4}],
        "macros": [{"key": 30, "id": 30}, {"key": 2, "id": 2}, {"key": 11, "id": 11}],
        "assignments": [[{"key": 18, "control": 18}, {"key": 0, "control": 0}]],
        "labels": [{"mode": 2, "control": 0, "text": "c"}, {"mode": 0, "control": 9, "text": "b"},
                   {"mode": 0, "control": 3, "text": "a"}]
    })");
    const ProfileJson json = vh::ProfileToJson(p);
    auto keys = [](const ProfileJson& list) {
        std::vector<int> out;
        for (const auto& entry : list) out.push_back(entry["key"].get<int>());
        return out;
    };
    EXPECT_EQ(keys(json["axes"]), (std::vector<int>{-4, 9}));
    EXPECT_EQ(keys(json["macros"]), (std::vector<int>{2, 11, 30}));
    EXPECT_EQ(keys(json["assignments"][0]), (std::vector<int>{0, 18}));
    std::string labels;
    for (const auto& label : json["labels"]) labels += label["text"].get<std::string>();
    EXPECT_EQ(labels, "abc");
    EXPECT_EQ(p.GetLabel(MODE_BLUE, 0), "c");
}

TEST(ProfileJson, MissingFieldsTakeTheDefaults) {
    EXPECT_EQ(FromText("{}"), CControllerData{});

    CControllerData expected;
    expected.version.minor = 5;
    expected.author = "me";
    expected.macros[4].id = 4;
    expected.macros[4].repeatInterval = 100;  // repeatMode stays REPEAT_ONCE
    expected.macros[-1] = MACRO_INFO{};
    expected.axes[1] = AXIS_INFO{};  // hasOutput true, no output axis
    expected.assignments[MODE_RED][7] = BUTTON_INFO{};
    expected.SetLabel(MODE_NORMAL, 5, "");
    EXPECT_EQ(FromText(R"({
        "version": {"minor": 5},
        "author": "me",
        "macros": [{"key": 4, "id": 4, "repeatInterval": 100}, {"key": -1}],
        "axes": [{"key": 1}],
        "assignments": [[], [{"key": 7}]],
        "labels": [{"mode": 0, "control": 5}]
    })"),
              expected);
}

TEST(ProfileJson, TextIsMappedToWindows1252) {
    const struct {
        const char* json;
        std::string bytes;
    } cases[] = {
        {R"("\u00e9\u20ac\u0178")", "\xE9\x80\x9F"},
        {"\"\xC3\xA9\xE2\x82\xAC\"", "\xE9\x80"},  // the same as raw UTF-8
        {R"("\u0081\u009d")", "\x81\x9D"},
        {R"("\u0000 nul")", std::string("\0 nul", 5)},
        // Beyond Windows-1252, one '?' per character, also for a surrogate pair.
        {"\"\xC4\x80\xF0\x9F\x98\x80\"", "??"},
        {R"("\ud83d\ude00")", "?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromText(std::string(R"({"comments": )") + c.json + "}").comments, c.bytes)
            << c.json;

    // A document built in memory skips the parser's own UTF-8 check.
    ProfileJson json = {{"author", "\xC0\x80"}};
    EXPECT_THROW(vh::ProfileFromJson(json), vh::ProfileJsonError);
}

TEST(ProfileJson, RejectsWhatNoProfileCanHoldNamingThePlace) {
    const struct {
        const char* json;
        const char* message;  // how the error starts
    } cases[] = {
        {"{", "parse error at line 1, column 2"},
        {"{\"author\": \"\xFF\"}", "parse error"},
        {"{\"oldFormat\": 1e999}", "number overflow"},
        {"[]", "expected an object"},
        {R"({"autor": "me"})", "autor: unknown field"},
        {R"({"author": 5})", "author: expected a string"},
        {R"({"author": null})", "author: expected a string"},
        {R"({"version": 3})", "version: expected an object"},
        {R"({"version": {"major": "2"}})", "version.major: expected an integer"},
        {R"({"version": {"patch": 1}})", "version.patch: unknown field"},
        {R"({"oldFormat": 1.0})", "oldFormat: expected an integer"},
        {R"({"oldFormat": true})", "oldFormat: expected an integer"},
        {R"({"redShiftControl": 2147483648})", "redShiftControl: outside the int32 range"},
        {R"({"redShiftControl": -2147483649})", "redShiftControl: outside the int32 range"},
        {R"({"redShiftControl": 18446744073709551615})", "redShiftControl: outside"},
        {R"({"deviceType": "0DF6BB65-AE74-11D4-9548-005004728F22"})",
         "deviceType: expected a GUID"},
        {R"({"deviceType": "{0DF6BB65-AE74-11D4-9548-005004728F2G}"})",
         "deviceType: expected a GUID"},
        {R"({"labels": {}})", "labels: expected an array"},
        {R"({"labels": [{"mode": 4, "control": 0, "text": "x"}]})", "labels[0].mode: must be 0..3"},
        {R"({"labels": [{"mode": -1, "control": 0}]})", "labels[0].mode: must be 0..3"},
        {R"({"labels": [{"mode": 0, "control": 256}]})", "labels[0].control: must be 0..255"},
        {R"({"labels": [{"control": 1, "text": "x"}]})", "labels[0]: missing \"mode\""},
        {R"({"labels": [{"mode": 1, "control": 2}, {"mode": 1, "control": 2}]})",
         "labels[1]: a second label for mode 1, control 2"},
        {R"({"assignments": [[], [], [], [], []]})", "assignments: expected at most 4"},
        {R"({"assignments": [{}]})", "assignments[0]: expected an array"},
        {R"({"assignments": [[], [{"key": 1, "type": "2"}]]})", "assignments[1][0].type: expected"},
        {R"({"assignments": [[{"type": 2}]]})", "assignments[0][0]: missing \"key\""},
        {R"({"assignments": [[{"key": 5}, {"key": 5}]]})",
         "assignments[0][1].key: a second entry with key 5"},
        {R"({"macros": [{"key": 1}, {"key": 1}]})", "macros[1].key: a second entry"},
        {R"({"macros": [{"key": 1, "repeat": 1}]})", "macros[0].repeat: unknown field"},
        {R"({"macros": [{"key": 1, "events": [[4]]}]})",
         "macros[0].events[0]: expected [type, value]"},
        {R"({"macros": [{"key": 1, "events": [[4, 2, 1]]}]})", "macros[0].events[0]: expected"},
        {R"({"macros": [{"key": 1, "events": [[4, "x"]]}]})",
         "macros[0].events[0][1]: expected an integer"},
        {R"({"axes": [{"key": 1, "bands": [[0, 1, 2]]}]})",
         "axes[0].bands[0]: expected [start, end, type, param]"},
        {R"({"axes": [{"key": 1, "invert": 1}]})", "axes[0].invert: expected true or false"},
        {R"({"axes": [{"key": 1, "name": ["x"]}]})", "axes[0].name: expected a string"},
    };
    for (const auto& c : cases) {
        try {
            FromText(c.json);
            ADD_FAILURE() << "accepted " << c.json;
        } catch (const vh::ProfileJsonError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u)
                << c.json << "\n  gave: " << e.what();
        }
    }
}

}  // namespace
