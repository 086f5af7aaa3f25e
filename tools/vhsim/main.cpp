// vhsim: plug simulated controllers in and out, press their buttons, move their
// axes, hold keys, and read what the programs wrote to them; for trying the suite
// without the hardware and for driving it from tests.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "devices/input/input_backend_win.h"
#include "profile/utf8.h"
#endif

#include "vhsim_commands.h"

namespace {

int Finish(const vh::VhsimResult& result) {
    std::fputs(result.out.c_str(), stdout);
    std::fputs(result.err.c_str(), stderr);
    return std::fflush(stdout) == 0 ? result.status : 2;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(vh::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    const wchar_t* folder = _wgetenv(vh::kSimulationVariable);
    return Finish(vh::RunVhsim(args,
                               folder ? std::filesystem::path(folder) : std::filesystem::path(),
                               vh::BroadcastDeviceChange));
}
#else
int main(int argc, char** argv) {
    const char* folder = std::getenv("VH_SIMULATION");
    // Nothing runs here that could hear of a device change.
    return Finish(vh::RunVhsim({argv + 1, argv + argc}, folder ? folder : "", [] {}));
}
#endif
