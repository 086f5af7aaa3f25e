// The built vhprofile program, run as a user would.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "devices/hid_reports.h"
#include "devices/profile_image.h"
#include "profile/profile_file.h"
#include "profile/test_profile.h"
#include "profile_json.h"

namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Quote(const std::string& arg) {
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::set<std::string> Listing(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
    return names;
}

class VhprofileTool : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = fs::temp_directory_path() / ("vhprofile_test_" + std::to_string(stamp));
        fs::create_directories(dir_ / "work");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Files the tool works on live in work/; its output is kept beside it.
    fs::path Work(const std::string& name) const { return dir_ / "work" / name; }

    Result Run(const std::vector<std::string>& args) const {
        std::string command = Quote(VHPROFILE_EXE);
        for (const std::string& arg : args) command += " " + Quote(arg);
        command += " >" + Quote(dir_ / "stdout") + " 2>" + Quote(dir_ / "stderr") + " </dev/null";
        const int raw = std::system(command.c_str());
        Result r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadFile(dir_ / "stdout");
        r.err = ReadFile(dir_ / "stderr");
        return r;
    }

    fs::path dir_;
};

TEST_F(VhprofileTool, ExitStatusAndOutputFollowTheKindOfFailure) {
    CControllerData rich = vh::test::RichProfile();
    vh::SaveProfileFile(Work("good.k33"), rich);
    const std::string bytes = ReadFile(Work("good.k33"));
    WriteFile(Work("cut.k33"), bytes.substr(0, bytes.size() / 2));
    WriteFile(Work("good.json"), vh::FormatProfileJson(vh::ProfileToJson(rich)));
    WriteFile(Work("type.json"), R"({"labels": [{"mode": 0, "control": 1, "text": 7}]})");
    WriteFile(Work("syntax.json"), "{\"author\": \"me\"\n");
    fs::create_directory(Work("folder"));
    const std::string good = Work("good.k33"), json = Work("good.json");
    const std::string out = Work("out.k33");

    const struct {
        std::vector<std::string> args;
        int status;
        std::string file;  // the one an error line must name
    } cases[] = {
        {{}, 1, ""},
        {{"frobnicate", good}, 1, ""},
        {{"dump"}, 1, ""},
        {{"dump", good, good}, 1, ""},
        {{"dump", good, "--bogus"}, 1, ""},
        {{"--combined", "dump", good}, 1, ""},
        {{"build", json, "--combined", out}, 1, ""},
        {{"build", json}, 1, ""},
        {{"build", json, out, out}, 1, ""},
        {{"dump", good}, 0, ""},
        {{"dump", "--from-k31", good, "--combined"}, 0, ""},
        {{"build", json, out}, 0, ""},
        {{"dump", Work("missing.k33")}, 2, Work("missing.k33")},
        {{"dump", Work("cut.k33")}, 2, Work("cut.k33")},
        {{"dump", Work("folder")}, 2, Work("folder")},
        {{"dump", json}, 2, json},
        {{"build", Work("missing.json"), Work("new.k33")}, 2, Work("missing.json")},
        {{"build", Work("folder"), Work("new.k33")}, 2, Work("folder")},
        {{"build", Work("type.json"), Work("new.k33")}, 2, Work("type.json")},
        {{"build", Work("syntax.json"), Work("new.k33")}, 2, Work("syntax.json")},
        {{"build", json, Work("folder")}, 2, Work("folder")},
        {{"build", json, Work("nowhere/new.k33")}, 2, Work("nowhere/new.k33")},
        {{"image", good, "--virtual"}, 0, ""},
        {{"image", good, "--length", "1033"}, 1, ""},
        {{"image", Work("cut.k33")}, 2, Work("cut.k33")},
        {{"reports", good}, 1, ""},
        {{"reports", good, "--length"}, 1, ""},
        {{"reports", good, "--length", "x12"}, 1, ""},
        {{"reports", good, "--length", "0"}, 1, ""},
        {{"reports", "--length", "1033", good}, 0, ""},
        {{"reports", good, "--length", "1032"}, 2, good},
        {{"reports", Work("missing.k33"), "--length", "1033"}, 2, Work("missing.k33")},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& arg : c.args) shown += " " + arg;
        SCOPED_TRACE("vhprofile" + shown);
        const Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status == 0) {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_EQ(r.out, "");
        }
        if (c.status == 1) {
            EXPECT_NE(r.err.find("usage: vhprofile dump FILE"), std::string::npos);
        }
        if (c.status == 2) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            EXPECT_TRUE(r.err.ends_with('\n'));
            EXPECT_EQ(r.err.rfind("vhprofile: " + c.file + ": ", 0), 0u) << r.err;
        }
    }
    // Failed builds left nothing, not even a temporary file.
    EXPECT_EQ(Listing(dir_ / "work"),
              (std::set<std::string>{"good.k33", "cut.k33", "good.json", "type.json", "syntax.json",
                                     "folder", "out.k33"}));
    EXPECT_TRUE(fs::is_empty(Work("folder")));
}

// image and reports write exactly the bytes the loadout manager sends.
TEST_F(VhprofileTool, ImageAndReportsAreTheControllerBytes) {
    CControllerData p = vh::test::RichProfile();
    vh::SaveProfileFile(Work("p.k33"), p);
    CControllerData loaded;
    vh::LoadProfileFile(Work("p.k33"), loaded);
    for (bool virtualDevice : {false, true}) {
        const vh::Bytes image = vh::BuildProfileImage(loaded, virtualDevice);
        std::vector<std::string> args = {"image", Work("p.k33")};
        if (virtualDevice) args.push_back("--virtual");
        EXPECT_EQ(Run(args).out, std::string(image.begin(), image.end()));

        std::string reports;
        for (const vh::Bytes& r : vh::DownloadReports(image, 1100))
            reports.append(r.begin(), r.end());
        args = {"reports", Work("p.k33"), "--length", "1100"};
        if (virtualDevice) args.push_back("--virtual");
        EXPECT_EQ(Run(args).out, reports);
    }
}

TEST_F(VhprofileTool, BuildThenDumpGivesBackTheSameText) {
    const std::string json = vh::FormatProfileJson(vh::ProfileToJson(vh::test::RichProfile()));
    WriteFile(Work("in.json"), json);
    ASSERT_EQ(Run({"build", Work("in.json"), Work("p.k33")}).status, 0);
    const Result dumped = Run({"dump", Work("p.k33")});
    EXPECT_EQ(dumped.status, 0);
    EXPECT_EQ(dumped.out, json);
}

TEST_F(VhprofileTool, BuildReplacesOutOnlyWhenTheJsonIsGood) {
    const std::string precious = "not touched";
    WriteFile(Work("out.k33"), precious);
    WriteFile(Work("bad.json"), R"({"author": "me", "axes": [{"key": 1, "bands": [[1, 2]]}]})");
    WriteFile(Work("good.json"), R"({"author": "me"})");

    EXPECT_EQ(Run({"build", Work("bad.json"), Work("out.k33")}).status, 2);
    EXPECT_EQ(ReadFile(Work("out.k33")), precious);
    EXPECT_EQ(Listing(dir_ / "work"), (std::set<std::string>{"out.k33", "bad.json", "good.json"}));

    EXPECT_EQ(Run({"build", Work("good.json"), Work("out.k33")}).status, 0);
    CControllerData built;
    vh::LoadProfileFile(Work("out.k33"), built);
    CControllerData expected;
    expected.author = "me";
    EXPECT_EQ(built, expected);
    EXPECT_EQ(Listing(dir_ / "work"), (std::set<std::string>{"out.k33", "bad.json", "good.json"}));
}

// The switches reach the loader: each converts a first-keypad profile its own way.
TEST_F(VhprofileTool, DumpSwitchesConvertFirstKeypadProfiles) {
    CControllerData k31;
    k31.deviceType = kFirstKeypadGuid;
    k31.assignments[MODE_NORMAL][0] = {0, BT_KEY, 0x11};
    k31.assignments[MODE_NORMAL][194] = {194, BT_AXIS_OUTPUT, AXIS_Z};
    vh::SaveProfileFile(Work("k31.k31"), k31);

    const struct {
        std::vector<std::string> switches;
        std::vector<int> keys;
    } cases[] = {
        {{}, {0, 194}},
        {{"--combined"}, {10, 194}},
        {{"--from-k31"}, {0, 16, 18}},
        {{"--combined", "--from-k31"}, {10, 16, 18}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"dump", Work("k31.k31")};
        args.insert(args.end(), c.switches.begin(), c.switches.end());
        const Result r = Run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<int> keys;
        const vh::ProfileJson dumped = vh::ParseProfileJson(r.out);
        for (const auto& entry : dumped["assignments"][0]) keys.push_back(entry["key"].get<int>());
        EXPECT_EQ(keys, c.keys) << testing::PrintToString(c.switches);
    }
}

TEST_F(VhprofileTool, SampleBuildsAndDumpsBackToAnEqualDocument) {
    const fs::path sample = fs::path(VH_SAMPLES_DIR) / "flight-sim.k33.json";
    ASSERT_EQ(Run({"build", sample, Work("sample.k33")}).status, 0);
    const Result r = Run({"dump", Work("sample.k33")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json::parse(ReadFile(sample)));
}

}  // namespace
