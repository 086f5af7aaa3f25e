#include "vhsim_commands.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <system_error>

#include "devices/input/sim_world.h"

namespace vh {

namespace {

constexpr char kUsage[] =
    "usage: vhsim [--dir FOLDER] COMMAND [ARGUMENTS]\n"
    "\n"
    "The simulation lives in FOLDER, or in the folder VH_SIMULATION names; the\n"
    "programs use simulated controllers when VH_SIMULATION is set.\n"
    "\n"
    "  list                         the controllers, the keys held\n"
    "  plug FAMILY [--output-report N] [--name TEXT]\n"
    "                               a new controller (g71 g74 k31 k33 w58 q97); prints its id\n"
    "  unplug ID | replug ID | remove ID\n"
    "  press ID BUTTON...           hold buttons 0..31\n"
    "  release ID [BUTTON...]       let go of them (all without BUTTON)\n"
    "  axis ID AXIS POSITION        x y z rx ry rz slider0 slider1; -1000..1000\n"
    "  hat ID DEGREES|centre        the first hat: 0 north, 90 east, ...\n"
    "  keys [CODE...]               hold these DirectInput key codes, nothing else\n"
    "  reports ID                   the output reports written to it, in hex, one a line\n"
    "  clear-reports ID\n";

struct UsageError {
    std::string reason;
};
struct Failure {
    std::string reason;
};

long long Number(const std::string& word, long long low, long long high, const char* what) {
    long long value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || value < low || value > high)
        throw UsageError{std::string(what) + " is " + std::to_string(low) + ".." +
                         std::to_string(high) + ", not \"" + word + "\""};
    return value;
}

class Session {
  public:
    Session(std::filesystem::path folder, std::vector<std::string> args)
        : folder_(std::move(folder)), args_(std::move(args)) {}

    std::string Run(bool& devicesChanged) {
        const std::string command = Next("a command");
        if (command == "list") return Done(List());
        if (command == "plug") {
            devicesChanged = true;
            return Done(Plug());
        }
        if (command == "keys") {
            world_.keys.clear();
            while (!args_.empty()) world_.keys.insert(int(Number(Next(""), 0, 255, "a key code")));
            return Save();
        }
        static const std::set<std::string> onController = {"unplug", "replug",  "remove",
                                                           "press",  "release", "axis",
                                                           "hat",    "reports", "clear-reports"};
        if (!onController.count(command)) throw UsageError{"no command \"" + command + "\""};
        SimController& c = Controller();
        if (command == "unplug" || command == "replug") {
            c.attached = command == "replug";
            devicesChanged = true;
            return Save();
        }
        if (command == "remove") {
            std::erase_if(world_.controllers, [&](const SimController& x) { return x.id == c.id; });
            devicesChanged = true;
            return Save();
        }
        if (command == "press" || command == "release") {
            if (command == "release" && args_.empty()) c.buttons.clear();
            if (command == "press" && args_.empty()) throw UsageError{"press needs a button"};
            while (!args_.empty()) {
                const int button = int(Number(Next(""), 0, 31, "a button"));
                if (command == "press")
                    c.buttons.insert(button);
                else
                    c.buttons.erase(button);
            }
            return Save();
        }
        if (command == "axis") {
            static const char* const names[SIM_AXES] = {"x",  "y",  "z",       "rx",
                                                        "ry", "rz", "slider0", "slider1"};
            const std::string name = Next("an axis");
            int axis = 0;
            while (axis < SIM_AXES && name != names[axis]) ++axis;
            if (axis == SIM_AXES) throw UsageError{"no axis \"" + name + "\""};
            c.axes[axis] = int(Number(Next("a position"), -kAxisTravel, kAxisTravel, "a position"));
            return Save();
        }
        if (command == "hat") {
            const std::string where = Next("degrees or centre");
            c.hats[0] = where == "centre"
                            ? kHatCentred
                            : uint32_t(Number(where, 0, 359, "a hat direction") * 100);
            return Save();
        }
        if (command == "reports") return Done(Reports(c));
        Done("");
        std::error_code ec;  // clear-reports
        std::filesystem::remove(CaptureFile(folder_, c.id), ec);
        if (ec) throw Failure{CaptureFile(folder_, c.id).string() + ": " + ec.message()};
        return "";
    }

    void Load() {
        std::optional<SimWorld> world = LoadSimWorld(folder_);
        if (!world) {
            // Tell why: the file does not parse, or cannot be read.
            try {
                std::ifstream in(folder_ / kSimWorldFile, std::ios::binary);
                const std::string text{std::istreambuf_iterator<char>(in), {}};
                ParseSimWorld(text);
                throw Failure{(folder_ / kSimWorldFile).string() + ": cannot be read"};
            } catch (const SimWorldError& e) {
                throw Failure{(folder_ / kSimWorldFile).string() + ": " + e.what()};
            }
        }
        world_ = std::move(*world);
    }

  private:
    std::string Next(const char* what) {
        if (args_.empty()) throw UsageError{std::string("missing ") + what};
        std::string word = args_.front();
        args_.erase(args_.begin());
        return word;
    }

    std::string Done(std::string out) {
        if (!args_.empty()) throw UsageError{"unexpected \"" + args_.front() + "\""};
        return out;
    }

    std::string Save() {
        Done("");
        try {
            SaveSimWorld(folder_, world_);
        } catch (const std::system_error& e) {
            throw Failure{(folder_ / kSimWorldFile).string() + ": " + e.code().message()};
        }
        return "";
    }

    SimController& Controller() {
        const int id = int(Number(Next("a controller id"), 1, 9999, "a controller id"));
        SimController* c = world_.Find(id);
        if (!c) throw Failure{"no controller " + std::to_string(id)};
        return *c;
    }

    std::string List() const {
        std::string out;
        for (const SimController& c : world_.controllers) {
            out += std::to_string(c.id) + " " + c.family +
                   (c.attached ? " plugged" : " unplugged") + " \"" + c.instanceName +
                   "\" output-report " + std::to_string(c.outputReportLength);
            if (!c.buttons.empty()) {
                out += " buttons";
                for (int b : c.buttons) out += " " + std::to_string(b);
            }
            out += "\n";
        }
        if (!world_.keys.empty()) {
            out += "keys";
            for (int k : world_.keys) out += " " + std::to_string(k);
            out += "\n";
        }
        return out;
    }

    std::string Plug() {
        const std::string family = Next("a family");
        const DeviceFacts* facts = FindDevice(family);
        if (!facts) throw UsageError{"no device family \"" + family + "\""};
        SimController& c = world_.Add(*facts);
        while (!args_.empty()) {
            const std::string option = Next("");
            if (option == "--output-report")
                c.outputReportLength =
                    uint16_t(Number(Next("a length"), 0, 65535, "a report length"));
            else if (option == "--name")
                c.instanceName = c.productName = Next("a name");
            else
                throw UsageError{"plug takes --output-report N and --name TEXT, not \"" + option +
                                 "\""};
        }
        const std::string id = std::to_string(c.id) + "\n";
        Save();
        return id;
    }

    std::string Reports(const SimController& c) const {
        std::string out;
        for (const auto& report : ReadCaptures(folder_, c.id, c.outputReportLength)) {
            for (uint8_t byte : report) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02x", byte);
                out += hex;
            }
            out += "\n";
        }
        return out;
    }

    std::filesystem::path folder_;
    std::vector<std::string> args_;
    SimWorld world_;
};

}  // namespace

VhsimResult RunVhsim(const std::vector<std::string>& args, const std::filesystem::path& folder,
                     const std::function<void()>& devicesChanged) {
    std::vector<std::string> rest = args;
    std::filesystem::path where = folder;
    if (rest.size() >= 2 && rest[0] == "--dir") {
        where = std::filesystem::path(std::u8string(rest[1].begin(), rest[1].end()));
        rest.erase(rest.begin(), rest.begin() + 2);
    }
    if (rest.empty()) return {1, "", kUsage};
    if (rest[0] == "--help") return {0, kUsage, ""};
    if (where.empty())
        return {1, "", "vhsim: no simulation folder: set VH_SIMULATION or give --dir\n"};
    bool changed = false;
    try {
        Session session(where, rest);
        session.Load();
        VhsimResult result{0, session.Run(changed), ""};
        if (changed) devicesChanged();
        return result;
    } catch (const UsageError& e) {
        return {1, "", "vhsim: " + e.reason + "\n" + kUsage};
    } catch (const Failure& e) {
        return {2, "", "vhsim: " + e.reason + "\n"};
    }
}

}  // namespace vh
