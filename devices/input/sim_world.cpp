#include "devices/input/sim_world.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

#include "devices/hid_reports.h"
#include "profile/replace_file.h"

namespace vh {

namespace {

// Made-up identifiers that no real device reports, so that a simulated controller
// is never mistaken for one.
constexpr uint16_t kSimVendorId = 0x7648;

constexpr const char* kAxisNames[SIM_AXES] = {"x",  "y",  "z",       "rx",
                                              "ry", "rz", "slider0", "slider1"};

std::string Trim(std::string_view s) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front())) s.remove_prefix(1);
    while (!s.empty() && space(s.back())) s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string> Words(std::string_view s) {
    std::istringstream in{std::string(s)};
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    SimWorld Parse() {
        SimWorld world;
        SimController* controller = nullptr;
        bool keyboard = false;
        size_t start = 0;
        while (start <= text_.size()) {
            size_t end = text_.find('\n', start);
            if (end == std::string_view::npos) end = text_.size();
            ++line_;
            const std::string line = Trim(text_.substr(start, end - start));
            start = end + 1;
            if (line.empty() || line[0] == '#') continue;
            if (line.front() == '[') {
                if (line.back() != ']') Fail("a section needs its closing ]");
                const std::vector<std::string> words = Words(line.substr(1, line.size() - 2));
                keyboard = words.size() == 1 && words[0] == "keyboard";
                controller = nullptr;
                if (keyboard) continue;
                if (words.size() != 2 || words[0] != "controller")
                    Fail("sections are [controller ID] and [keyboard]");
                const int id = Number(words[1], 1, 9999);
                if (world.Find(id)) Fail("controller " + words[1] + " appears twice");
                world.controllers.push_back({});
                controller = &world.controllers.back();
                controller->id = id;
                continue;
            }
            const size_t eq = line.find('=');
            if (eq == std::string::npos) Fail("expected key = value");
            const std::string key = Trim(std::string_view(line).substr(0, eq));
            const std::string value = Trim(std::string_view(line).substr(eq + 1));
            if (keyboard)
                Keyboard(world, key, value);
            else if (controller)
                Controller(*controller, key, value);
            else
                Fail("\"" + key + "\" outside a section");
        }
        for (const SimController& c : world.controllers)
            if (c.family.empty()) Fail("controller " + std::to_string(c.id) + " has no family");
        return world;
    }

  private:
    [[noreturn]] void Fail(const std::string& why) const {
        throw SimWorldError("line " + std::to_string(line_) + ": " + why);
    }

    int Number(const std::string& word, long long low, long long high) const {
        long long value = 0;
        int base = 10;
        std::string_view digits = word;
        if (digits.starts_with("0x")) {
            base = 16;
            digits.remove_prefix(2);
        }
        const auto [end, ec] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
        if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
            Fail("\"" + word + "\" is not a number");
        if (value < low || value > high)
            Fail(word + " is outside " + std::to_string(low) + ".." + std::to_string(high));
        return static_cast<int>(value);
    }

    std::vector<int> Numbers(const std::string& value, long long low, long long high) const {
        std::vector<int> out;
        for (const std::string& w : Words(value)) out.push_back(Number(w, low, high));
        return out;
    }

    void Keyboard(SimWorld& world, const std::string& key, const std::string& value) const {
        if (key != "keys") Fail("the keyboard has only \"keys\"");
        for (int k : Numbers(value, 0, 255)) world.keys.insert(k);
    }

    void Controller(SimController& c, const std::string& key, const std::string& value) const {
        if (key == "family") {
            if (!FindDevice(value)) Fail("no device family \"" + value + "\"");
            c.family = FindDevice(value)->code;
        } else if (key == "instance") {
            c.instanceName = value;
        } else if (key == "product") {
            c.productName = value;
        } else if (key == "attached") {
            c.attached = Number(value, 0, 1) == 1;
        } else if (key == "vendor-id") {
            c.vendorId = static_cast<uint16_t>(Number(value, 0, 0xFFFF));
        } else if (key == "product-id") {
            c.productId = static_cast<uint16_t>(Number(value, 0, 0xFFFF));
        } else if (key == "version") {
            c.versionNumber = static_cast<uint16_t>(Number(value, 0, 0xFFFF));
        } else if (key == "input-report") {
            c.inputReportLength = static_cast<uint16_t>(Number(value, 0, 0xFFFF));
        } else if (key == "output-report") {
            c.outputReportLength = static_cast<uint16_t>(Number(value, 0, 0xFFFF));
        } else if (key == "buttons") {
            c.buttons.clear();
            for (int b : Numbers(value, 0, 31)) c.buttons.insert(b);
        } else if (key == "hats") {
            const std::vector<std::string> words = Words(value);
            if (words.size() != c.hats.size()) Fail("four hats, -1 when centred");
            for (size_t i = 0; i < words.size(); ++i)
                c.hats[i] = words[i] == "-1" ? kHatCentred : Number(words[i], 0, 35999);
        } else if (const auto* name = std::find(std::begin(kAxisNames), std::end(kAxisNames), key);
                   name != std::end(kAxisNames)) {
            c.axes[name - std::begin(kAxisNames)] = Number(value, -kAxisTravel, kAxisTravel);
        } else {
            Fail("unknown key \"" + key + "\"");
        }
    }

    std::string_view text_;
    int line_ = 0;
};

std::string Joined(const auto& numbers) {
    std::string out;
    for (const auto n : numbers) {
        if (!out.empty()) out += ' ';
        out += std::to_string(n);
    }
    return out;
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

}  // namespace

SimController* SimWorld::Find(int id) {
    for (SimController& c : controllers)
        if (c.id == id) return &c;
    return nullptr;
}

const SimController* SimWorld::Find(int id) const {
    return const_cast<SimWorld*>(this)->Find(id);
}

SimController& SimWorld::Add(const DeviceFacts& family) {
    int id = 1;
    for (const SimController& c : controllers) id = std::max(id, c.id + 1);
    SimController c;
    c.id = id;
    c.family = family.code;
    c.instanceName = family.displayName;
    c.productName = family.displayName;
    c.vendorId = kSimVendorId;
    const auto& catalog = DeviceCatalog();
    const auto known = std::find_if(catalog.begin(), catalog.end(),
                                    [&](const DeviceFacts& d) { return d.code == family.code; });
    c.productId = static_cast<uint16_t>(0x0100 + (known - catalog.begin()));
    c.inputReportLength = 16;
    c.outputReportLength = static_cast<uint16_t>(kMinDownloadReportLength);
    controllers.push_back(std::move(c));
    return controllers.back();
}

std::string FormatSimWorld(const SimWorld& world) {
    std::string out = "# Simulated controllers; change them with vhsim.\n";
    for (const SimController& c : world.controllers) {
        out += "\n[controller " + std::to_string(c.id) + "]\n";
        out += "family = " + c.family + "\n";
        out += "instance = " + c.instanceName + "\n";
        out += "product = " + c.productName + "\n";
        out += "attached = " + std::string(c.attached ? "1" : "0") + "\n";
        out += "vendor-id = " + Hex(c.vendorId) + "\n";
        out += "product-id = " + Hex(c.productId) + "\n";
        out += "version = " + Hex(c.versionNumber) + "\n";
        out += "input-report = " + std::to_string(c.inputReportLength) + "\n";
        out += "output-report = " + std::to_string(c.outputReportLength) + "\n";
        for (int a = 0; a < SIM_AXES; ++a)
            out += std::string(kAxisNames[a]) + " = " + std::to_string(c.axes[a]) + "\n";
        std::vector<long long> hats;
        for (uint32_t h : c.hats)
            hats.push_back(h == kHatCentred ? -1LL : static_cast<long long>(h));
        out += "hats = " + Joined(hats) + "\n";
        out += "buttons = " + Joined(c.buttons) + "\n";
    }
    out += "\n[keyboard]\nkeys = " + Joined(world.keys) + "\n";
    return out;
}

SimWorld ParseSimWorld(std::string_view text) {
    return Parser(text).Parse();
}

std::filesystem::path CaptureFile(const std::filesystem::path& folder, int id) {
    return folder / ("controller-" + std::to_string(id) + ".hid");
}

std::optional<SimWorld> LoadSimWorld(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kSimWorldFile;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return ec ? std::nullopt : std::optional(SimWorld{});
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (!(in && text << in.rdbuf())) return std::nullopt;
    try {
        return ParseSimWorld(text.str());
    } catch (const SimWorldError&) {
        return std::nullopt;
    }
}

void SaveSimWorld(const std::filesystem::path& folder, const SimWorld& world) {
    std::filesystem::create_directories(folder);
    // A program reading the file at this moment keeps it from being replaced on
    // Windows; it lets go within milliseconds.
    for (int attempt = 1;; ++attempt) {
        try {
            ReplaceFileContents(folder / kSimWorldFile, FormatSimWorld(world));
            return;
        } catch (const std::system_error&) {
            if (attempt == 50) throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void AppendCapture(const std::filesystem::path& folder, int id,
                   const std::vector<uint8_t>& report) {
    std::ofstream out(CaptureFile(folder, id), std::ios::binary | std::ios::app);
    out.write(reinterpret_cast<const char*>(report.data()),
              static_cast<std::streamsize>(report.size()));
    out.close();
    if (!out)
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "cannot capture a report of controller " + std::to_string(id));
}

std::vector<std::vector<uint8_t>> ReadCaptures(const std::filesystem::path& folder, int id,
                                               size_t reportLength) {
    std::ifstream in(CaptureFile(folder, id), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::vector<uint8_t>> reports;
    if (reportLength == 0) return reports;
    for (size_t at = 0; at < bytes.size(); at += reportLength)
        reports.emplace_back(bytes.begin() + at,
                             bytes.begin() + std::min(bytes.size(), at + reportLength));
    return reports;
}

SimLayout LayoutOf(const DeviceFacts& family) {
    SimLayout layout;
    bool stick = false, pad = false;
    for (const ControlFact& c : family.controls) {
        if (c.control < 128)
            ++layout.buttons;
        else if (c.control < 192)
            pad = true;
        else
            ++layout.axes;
        stick = stick || c.control == 192;
    }
    // With a stick on X and Y the direction pad is a hat; without, the pad is X and Y.
    if (pad && stick) layout.povs = 1;
    if (pad && !stick) layout.axes += 2;
    return layout;
}

}  // namespace vh
