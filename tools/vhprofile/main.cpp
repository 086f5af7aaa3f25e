// vhprofile: profiles as JSON, to look into, diff and script them, and as the bytes
// a controller receives.
//
// Exit status: 0 done, 1 a command line that does not fit (the usage text on
// standard error), 2 a file that cannot be read or written (one line naming it).
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include "devices/hid_reports.h"
#include "devices/profile_image.h"
#include "profile/archive.h"
#include "profile/profile_file.h"
#include "profile_json.h"

namespace {

constexpr char kProgram[] = "vhprofile";

struct UsageError {
    std::string reason;
};

// What() is "FILE: reason".
class FileError : public std::runtime_error {
  public:
    FileError(const std::string& file, const std::string& reason)
        : std::runtime_error(file + ": " + reason) {}
};

// A subcommand's arguments, already checked against what it accepts.
struct Invocation {
    std::vector<std::string> files;
    std::vector<std::string> switches;
    std::vector<std::pair<std::string, std::string>> values;  // switches that take one

    const std::string* Value(std::string_view name) const {
        for (const auto& [key, value] : values)
            if (key == name) return &value;
        return nullptr;
    }

    bool Has(std::string_view name) const {
        for (const std::string& s : switches)
            if (s == name) return true;
        return false;
    }
};

struct Switch {
    std::string_view name;
    std::string_view help;
    std::string_view value = {};  // placeholder of the value it takes, if any
    bool required = false;
};

struct Command {
    std::string_view name;
    std::vector<std::string_view> files;  // placeholders, in order
    std::vector<Switch> switches;
    std::string_view help;
    void (*run)(const Invocation&);
};

// Arguments are UTF-8 on every platform; Windows paths need the conversion to UTF-16.
std::filesystem::path PathFromArgument(const std::string& argument) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
#else
    return std::filesystem::path(argument);
#endif
}

void WriteStandardOutput(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        throw FileError("standard output", std::generic_category().message(errno ? errno : EIO));
}

std::string ReadTextFile(const std::string& file) {
    const std::filesystem::path path = PathFromArgument(file);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw FileError(file, std::generic_category().message(EISDIR));
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileError(file, std::generic_category().message(errno ? errno : ENOENT));
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw FileError(file, std::generic_category().message(errno ? errno : EIO));
    return text;
}

// --- subcommands ---------------------------------------------------------

CControllerData LoadProfileArgument(const std::string& file, bool combined, bool fromK31) {
    CControllerData profile;
    profile.convertForCombined = combined;
    profile.convertFromFirstKeypad = fromK31;
    try {
        vh::LoadProfileFile(PathFromArgument(file), profile);
    } catch (const CArchiveException& e) {
        throw FileError(file, CArchiveException::CauseText(e.m_cause));
    } catch (const std::system_error& e) {
        throw FileError(file, e.code().message());
    }
    return profile;
}

void Dump(const Invocation& args) {
    const CControllerData profile =
        LoadProfileArgument(args.files[0], args.Has("--combined"), args.Has("--from-k31"));
    WriteStandardOutput(vh::FormatProfileJson(vh::ProfileToJson(profile)));
}

void Image(const Invocation& args) {
    const vh::Bytes image = vh::BuildProfileImage(LoadProfileArgument(args.files[0], false, false),
                                                  args.Has("--virtual"));
    WriteStandardOutput(std::string(image.begin(), image.end()));
}

size_t ReportLength(const std::string& text) {
    size_t length = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (ec != std::errc() || end != text.data() + text.size() || length == 0 || length > 65535)
        throw UsageError{"--length takes a report length from 1 to 65535, not \"" + text + "\""};
    return length;
}

void Reports(const Invocation& args) {
    const size_t length = ReportLength(*args.Value("--length"));
    const std::string& file = args.files[0];
    const vh::Bytes image =
        vh::BuildProfileImage(LoadProfileArgument(file, false, false), args.Has("--virtual"));
    std::string out;
    try {
        for (const vh::Bytes& report : vh::DownloadReports(image, length))
            out.append(report.begin(), report.end());
    } catch (const vh::DownloadRefused& e) {
        throw FileError(file, e.what());
    }
    WriteStandardOutput(out);
}

void Build(const Invocation& args) {
    const std::string& json = args.files[0];
    const std::string& out = args.files[1];
    CControllerData profile;
    try {
        profile = vh::ProfileFromJson(vh::ParseProfileJson(ReadTextFile(json)));
    } catch (const vh::ProfileJsonError& e) {
        throw FileError(json, e.what());
    }
    try {
        vh::SaveProfileFile(PathFromArgument(out), profile);
    } catch (const std::system_error& e) {
        throw FileError(out, e.code().message());
    }
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"dump",
         {"FILE"},
         {{"--combined", "renumber a k31 profile for the combined device"},
          {"--from-k31", "turn a k31 profile's thumb wheel into wheel up and down"}},
         "print the profile in FILE as JSON",
         Dump},
        {"build",
         {"JSON", "OUT"},
         {},
         "write the profile that JSON describes to OUT, as a version 2.6 file",
         Build},
        {"image",
         {"FILE"},
         {{"--virtual", "number the controls as the combined virtual controller does"}},
         "write the profile image the controller runs FILE from to standard output",
         Image},
        {"reports",
         {"FILE"},
         {{"--length", "the controller's output report length in bytes", "N", true},
          {"--virtual", "number the controls as the combined virtual controller does"}},
         "write the download reports of FILE's image, N bytes each, to standard output",
         Reports},
    };
    return commands;
}

// --- command line --------------------------------------------------------

std::string UsageText() {
    std::string text;
    for (const Command& c : Commands()) {
        text += text.empty() ? "usage: " : "       ";
        text += std::string(kProgram) + " " + std::string(c.name);
        for (std::string_view file : c.files) text += " " + std::string(file);
        for (const Switch& s : c.switches) {
            std::string item(s.name);
            if (!s.value.empty()) item += " " + std::string(s.value);
            text += s.required ? " " + item : " [" + item + "]";
        }
        text += "\n";
    }
    for (const Command& c : Commands()) {
        text += "\n  " + std::string(c.name) + ": " + std::string(c.help) + "\n";
        for (const Switch& s : c.switches)
            text += "    " + std::string(s.name) + "  " + std::string(s.help) + "\n";
    }
    return text;
}

// Switches may stand anywhere after the subcommand.
Invocation Parse(const Command& command, const std::vector<std::string>& args) {
    Invocation result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            result.files.push_back(arg);
            continue;
        }
        const Switch* known = nullptr;
        for (const Switch& s : command.switches)
            if (arg == s.name) known = &s;
        if (!known)
            throw UsageError{"unknown switch \"" + arg + "\" for " + std::string(command.name)};
        if (known->value.empty()) {
            result.switches.push_back(arg);
        } else if (i + 1 < args.size()) {
            result.values.emplace_back(arg, args[++i]);
        } else {
            throw UsageError{arg + " needs a value"};
        }
    }
    for (const Switch& s : command.switches)
        if (s.required && !result.Value(s.name))
            throw UsageError{std::string(command.name) + " needs " + std::string(s.name)};
    if (result.files.size() != command.files.size())
        throw UsageError{std::string(command.name) + " takes " +
                         std::to_string(command.files.size()) + " file arguments, not " +
                         std::to_string(result.files.size())};
    return result;
}

// Error lines stay lines whatever a file name or a message holds.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    try {
        if (args.empty()) throw UsageError{"no subcommand given"};
        const Command* command = nullptr;
        for (const Command& c : Commands())
            if (args[0] == c.name) command = &c;
        if (!command) throw UsageError{"unknown subcommand \"" + args[0] + "\""};
        command->run(Parse(*command, {args.begin() + 1, args.end()}));
        return 0;
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s: %s\n%s", kProgram, OneLine(e.reason).c_str(),
                     UsageText().c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, OneLine(e.what()).c_str());
        return 2;
    }
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so that any file name reaches the program intact.
int wmain(int argc, wchar_t** argv) {
    // Byte-for-byte the same JSON as on every other platform.
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? static_cast<size_t>(size) : 1, '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, arg.data(), size, nullptr, nullptr);
        arg.resize(arg.size() - 1);
        args.push_back(std::move(arg));
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run({argv + 1, argv + argc});
}
#endif
