#include "profile/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include "profile/archive.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace fs = std::filesystem;

namespace {

class ProfileFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vh_profile_file_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    size_t EntriesInDir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
};

TEST_F(ProfileFile, SaveReplacesAndLoadReadsBack) {
    const fs::path path = dir_ / "game.k33";
    Write(path, "old");
    CControllerData p;
    p.author = "me";
    p.SetAssignment(MODE_RED, 4, BT_MOUSE, 2);
    vh::SaveProfileFile(path, p);
    EXPECT_EQ(fs::file_size(path), 1124u + 2 + 16);
    EXPECT_EQ(EntriesInDir(), 1u);

    CControllerData back;
    vh::LoadProfileFile(path, back);
    EXPECT_EQ(back, p);
}

TEST_F(ProfileFile, FailedLoadLeavesTheProfileAsItWas) {
    const fs::path path = dir_ / "short.k33";
    CControllerData good;
    good.author = "kept";
    vh::SaveProfileFile(path, good);
    Write(path, Contents(path).substr(0, 600));

    CControllerData p;
    p.author = "before";
    try {
        vh::LoadProfileFile(path, p);
        FAIL() << "a truncated file loaded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        EXPECT_NE(std::string(e.what()).find("short.k33"), std::string::npos);
    }
    EXPECT_EQ(p.author, "before");
    EXPECT_THROW(vh::LoadProfileFile(dir_ / "missing.k33", p), std::system_error);
    EXPECT_THROW(vh::LoadProfileFile(dir_, p), std::system_error);
}

TEST_F(ProfileFile, AFailedSaveKeepsWhatWasThere) {
    // The target is a folder: the final move fails after the whole profile was written.
    const fs::path folder = dir_ / "taken.k33";
    fs::create_directories(folder / "inside");
    CControllerData p;
    EXPECT_THROW(vh::SaveProfileFile(folder, p), std::system_error);
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
    EXPECT_EQ(EntriesInDir(), 1u);

    EXPECT_THROW(vh::SaveProfileFile(dir_ / "no-such-folder" / "x.k33", p), std::system_error);
}

#ifndef _WIN32
TEST_F(ProfileFile, AWriteThatRunsOutOfSpaceKeepsTheOldFile) {
    const fs::path path = dir_ / "full.k33";
    Write(path, "the previous profile");
    // A file size limit makes the write fail part way, as a full disk would.
    signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 512;
    setrlimit(RLIMIT_FSIZE, &small);
    CControllerData p;
    bool threw = false;
    try {
        vh::SaveProfileFile(path, p);
    } catch (const std::system_error&) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_TRUE(threw);
    EXPECT_EQ(Contents(path), "the previous profile");
    EXPECT_EQ(EntriesInDir(), 1u);
}
#endif

}  // namespace
