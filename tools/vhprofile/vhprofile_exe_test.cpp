// vhprofile.exe as Windows runs it: found beside the tests, started with
// CreateProcessW, its output read through pipes.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "profile/test_profile.h"
#include "profile_json.h"
#include "run_program_win.h"

namespace {

namespace fs = std::filesystem;

vh::test::ProgramResult RunTool(const std::vector<fs::path>& args) {
    return vh::test::RunProgram(vh::test::ProgramPath(L"vhprofile.exe"), args);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class VhprofileExe : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
        dir_ = fs::path(temp) / (L"vhprofile_exe_test_" + std::to_wstring(GetCurrentProcessId()) +
                                 L"_" + std::to_wstring(GetTickCount64()));
        fs::create_directories(dir_);
        ASSERT_TRUE(fs::exists(vh::test::ProgramPath(L"vhprofile.exe")))
            << vh::test::ProgramPath(L"vhprofile.exe").string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

TEST_F(VhprofileExe, BuildThenDumpGivesBackTheDocument) {
    const std::string json = vh::FormatProfileJson(vh::ProfileToJson(vh::test::RichProfile()));
    WriteBytes(dir_ / L"in.json", json);

    const vh::test::ProgramResult build = RunTool({L"build", dir_ / L"in.json", dir_ / L"p.k33"});
    ASSERT_EQ(build.status, 0u) << build.err;
    EXPECT_EQ(build.out + build.err, "");
    const vh::test::ProgramResult dump = RunTool({L"dump", dir_ / L"p.k33"});
    ASSERT_EQ(dump.status, 0u) << dump.err;
    EXPECT_EQ(vh::ParseProfileJson(dump.out), vh::ParseProfileJson(json));
    EXPECT_EQ(dump.out, json) << "same bytes as on other platforms, without carriage returns";
}

TEST_F(VhprofileExe, BuildReplacesAnExistingOutOnlyWithGoodJson) {
    const fs::path out = dir_ / L"out.k33";
    const std::string precious = "precious bytes";
    WriteBytes(out, precious);
    WriteBytes(dir_ / L"bad.json", R"({"macros": [{"key": 1, "events": [[4]]}]})");
    WriteBytes(dir_ / L"good.json", R"({"author": "me", "comments": "Gr\u00f6\u00dfe"})");

    const vh::test::ProgramResult bad = RunTool({L"build", dir_ / L"bad.json", out});
    EXPECT_EQ(bad.status, 2u);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("bad.json: macros[0].events[0]"), std::string::npos) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << bad.err;
    EXPECT_EQ(ReadBytes(out), precious);

    const vh::test::ProgramResult good = RunTool({L"build", dir_ / L"good.json", out});
    ASSERT_EQ(good.status, 0u) << good.err;
    const vh::test::ProgramResult dump = RunTool({L"dump", out});
    ASSERT_EQ(dump.status, 0u) << dump.err;
    const vh::ProfileJson json = vh::ParseProfileJson(dump.out);
    EXPECT_EQ(json["author"], "me");
    EXPECT_EQ(json["comments"], "Gr\u00f6\u00dfe");

    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 3u) << "no temporary file is left";
}

}  // namespace
