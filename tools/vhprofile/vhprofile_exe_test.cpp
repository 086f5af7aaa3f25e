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

namespace {

namespace fs = std::filesystem;

struct Result {
    DWORD status = 0;
    std::string out;
    std::string err;
};

fs::path ToolPath() {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (n < self.size()) {
            self.resize(n);
            break;
        }
        self.resize(self.size() * 2);
    }
    return fs::path(self).parent_path().parent_path() / L"bin" / L"vhprofile.exe";
}

// Quoting as the C runtime splits a command line: backslashes count only before a quote.
std::wstring QuoteArgument(const std::wstring& arg) {
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

Result RunTool(const std::vector<fs::path>& args) {
    std::wstring command = QuoteArgument(ToolPath().wstring());
    for (const fs::path& arg : args) command += L" " + QuoteArgument(arg.wstring());

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    // Only the child may hold the write ends now, or the reads below never end.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        throw std::runtime_error("cannot start " + ToolPath().string());
    }
    Result r;
    // Both at once: a child blocked on a full pipe would never exit.
    std::thread errReader([&] { r.err = ReadAll(errRead); });
    r.out = ReadAll(outRead);
    errReader.join();
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &r.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(outRead);
    CloseHandle(errRead);
    return r;
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
        ASSERT_TRUE(fs::exists(ToolPath())) << ToolPath().string();
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

    const Result build = RunTool({L"build", dir_ / L"in.json", dir_ / L"p.k33"});
    ASSERT_EQ(build.status, 0u) << build.err;
    EXPECT_EQ(build.out + build.err, "");
    const Result dump = RunTool({L"dump", dir_ / L"p.k33"});
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

    const Result bad = RunTool({L"build", dir_ / L"bad.json", out});
    EXPECT_EQ(bad.status, 2u);
    EXPECT_EQ(bad.out, "");
    EXPECT_NE(bad.err.find("bad.json: macros[0].events[0]"), std::string::npos) << bad.err;
    EXPECT_EQ(bad.err.find('\n'), bad.err.size() - 1) << bad.err;
    EXPECT_EQ(ReadBytes(out), precious);

    const Result good = RunTool({L"build", dir_ / L"good.json", out});
    ASSERT_EQ(good.status, 0u) << good.err;
    const Result dump = RunTool({L"dump", out});
    ASSERT_EQ(dump.status, 0u) << dump.err;
    const vh::ProfileJson json = vh::ParseProfileJson(dump.out);
    EXPECT_EQ(json["author"], "me");
    EXPECT_EQ(json["comments"], "Gr\u00f6\u00dfe");

    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 3u) << "no temporary file is left";
}

}  // namespace
