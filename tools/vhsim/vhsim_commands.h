// vhsim's commands over a simulation folder, apart from the program's entry point
// so that they run in tests as they run from the command line.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vh {

struct VhsimResult {
    int status = 0;  // 0 done, 1 a command line that does not fit, 2 a failure
    std::string out;
    std::string err;
};

// `args` are the arguments after the program name. `folder` is the simulation's
// folder from the environment (empty when unset); --dir overrides it.
// `devicesChanged` runs after a command that plugged, unplugged or removed a
// controller.
VhsimResult RunVhsim(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::function<void()>& devicesChanged);

}  // namespace vh
