#include "profile_json.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <set>
#include <utility>

#include "profile/cp1252.h"
#include "profile/guid.h"
#include "profile/utf8.h"

namespace vh {

namespace {

// --- text ----------------------------------------------------------------

std::string Utf8FromProfileText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char32_t cp : Cp1252Decode(bytes)) AppendUtf8(out, cp);
    return out;
}

// --- reading -------------------------------------------------------------

// A value of the document with its place there, which every error message starts with.
struct Node {
    const ProfileJson* value;
    std::string path;

    [[noreturn]] void Fail(const std::string& what) const {
        throw ProfileJsonError(path.empty() ? what : path + ": " + what);
    }
    Node Field(std::string_view name) const {
        return {&value->at(std::string(name)),
                path.empty() ? std::string(name) : path + "." + std::string(name)};
    }
    Node Item(size_t index) const {
        return {&value->at(index), path + "[" + std::to_string(index) + "]"};
    }
};

int ToInt(const Node& node) {
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    const ProfileJson& v = *node.value;
    // Checked first: is_number_integer() holds for unsigned numbers too.
    if (v.is_number_unsigned()) {
        const auto u = v.get<uint64_t>();
        if (u > static_cast<uint64_t>(kMax)) node.Fail("outside the int32 range");
        return static_cast<int>(u);
    }
    if (!v.is_number_integer()) node.Fail("expected an integer");
    const auto i = v.get<int64_t>();
    if (i < kMin || i > kMax) node.Fail("outside the int32 range");
    return static_cast<int>(i);
}

bool ToBool(const Node& node) {
    if (!node.value->is_boolean()) node.Fail("expected true or false");
    return node.value->get<bool>();
}

std::string ToProfileText(const Node& node) {
    if (!node.value->is_string()) node.Fail("expected a string");
    const auto text = DecodeUtf8(node.value->get_ref<const std::string&>());
    if (!text) node.Fail("not valid UTF-8");
    return Cp1252Encode(*text);
}

GUID ToGuid(const Node& node) {
    if (!node.value->is_string()) node.Fail("expected a string");
    const auto guid = GuidFromString(node.value->get_ref<const std::string&>());
    if (!guid) node.Fail("expected a GUID like {0DF6BB65-AE74-11D4-9548-005004728F22}");
    return *guid;
}

template <class F>
void ForEachItem(const Node& list, F&& read) {
    if (!list.value->is_array()) list.Fail("expected an array");
    for (size_t i = 0; i < list.value->size(); ++i) read(list.Item(i));
}

// [a, b, ...] of exactly N integers; `shape` names them for the error message.
template <size_t N>
std::array<int, N> ToInts(const Node& node, const char* shape) {
    if (!node.value->is_array() || node.value->size() != N)
        node.Fail(std::string("expected ") + shape);
    std::array<int, N> out{};
    for (size_t i = 0; i < N; ++i) out[i] = ToInt(node.Item(i));
    return out;
}

// An object whose fields all come from `names`: a misspelt field is an error rather
// than a value silently left at its default.
class ObjectReader {
  public:
    ObjectReader(const Node& node, std::initializer_list<std::string_view> names) : m_node(node) {
        if (!node.value->is_object()) node.Fail("expected an object");
        for (const auto& item : node.value->items()) {
            bool known = false;
            for (std::string_view name : names) known = known || item.key() == name;
            if (!known) node.Field(item.key()).Fail("unknown field");
        }
    }

    std::optional<Node> Find(std::string_view name) const {
        if (!m_node.value->contains(name)) return std::nullopt;
        return m_node.Field(name);
    }
    Node Required(std::string_view name) const {
        if (!m_node.value->contains(name)) m_node.Fail("missing \"" + std::string(name) + "\"");
        return m_node.Field(name);
    }

    void Int(std::string_view name, int& out) const {
        if (const auto node = Find(name)) out = ToInt(*node);
    }
    void Bool(std::string_view name, bool& out) const {
        if (const auto node = Find(name)) out = ToBool(*node);
    }
    void Text(std::string_view name, std::string& out) const {
        if (const auto node = Find(name)) out = ToProfileText(*node);
    }

  private:
    Node m_node;
};

int ToIntIn(const Node& node, int first, int last) {
    const int value = ToInt(node);
    if (value < first || value > last)
        node.Fail("must be " + std::to_string(first) + ".." + std::to_string(last));
    return value;
}

void ReadLabels(const Node& list, CControllerData& p) {
    std::set<int> seen;
    ForEachItem(list, [&](const Node& item) {
        const ObjectReader r(item, {"mode", "control", "text"});
        const int mode = ToIntIn(r.Required("mode"), 0, kModeCount - 1);
        const int control = ToIntIn(r.Required("control"), 0, kControlCount - 1);
        if (!seen.insert(mode * kControlCount + control).second)
            item.Fail("a second label for mode " + std::to_string(mode) + ", control " +
                      std::to_string(control));
        r.Text("text", p.labels[static_cast<size_t>(mode * kControlCount + control)]);
    });
}

// Keys are the identity of a table entry: required, and each at most once.
template <class Map>
int ReadKey(const ObjectReader& r, const Map& map) {
    const Node node = r.Required("key");
    const int key = ToInt(node);
    if (map.count(key)) node.Fail("a second entry with key " + std::to_string(key));
    return key;
}

void ReadAssignments(const Node& modes, CControllerData& p) {
    if (!modes.value->is_array()) modes.Fail("expected an array");
    if (modes.value->size() > static_cast<size_t>(kModeCount))
        modes.Fail("expected at most " + std::to_string(kModeCount) + " arrays, one per mode");
    for (size_t mode = 0; mode < modes.value->size(); ++mode) {
        auto& map = p.assignments[mode];
        ForEachItem(modes.Item(mode), [&](const Node& item) {
            const ObjectReader r(item, {"key", "control", "type", "param"});
            const int key = ReadKey(r, map);
            BUTTON_INFO info;
            r.Int("control", info.control);
            r.Int("type", info.type);
            r.Int("param", info.param);
            map.emplace(key, info);
        });
    }
}

void ReadMacros(const Node& list, CControllerData& p) {
    ForEachItem(list, [&](const Node& item) {
        const ObjectReader r(item, {"key", "id", "name", "repeatInterval", "repeatMode", "events"});
        const int key = ReadKey(r, p.macros);
        MACRO_INFO macro;
        r.Int("id", macro.id);
        r.Text("name", macro.name);
        r.Int("repeatInterval", macro.repeatInterval);
        r.Int("repeatMode", macro.repeatMode);
        if (const auto events = r.Find("events")) {
            ForEachItem(*events, [&](const Node& event) {
                const auto [type, value] = ToInts<2>(event, "[type, value]");
                macro.events.push_back(MACRO_EVENT{type, value});
            });
        }
        p.macros.emplace(key, std::move(macro));
    });
}

void ReadAxes(const Node& list, CControllerData& p) {
    ForEachItem(list, [&](const Node& item) {
        const ObjectReader r(item, {"key", "id", "name", "outputAxis", "axisMode", "hasOutput",
                                    "useBands", "invert", "bands"});
        const int key = ReadKey(r, p.axes);
        AXIS_INFO axis;
        r.Int("id", axis.id);
        r.Text("name", axis.name);
        r.Int("outputAxis", axis.outputAxis);
        r.Int("axisMode", axis.axisMode);
        r.Bool("hasOutput", axis.hasOutput);
        r.Bool("useBands", axis.useBands);
        r.Bool("invert", axis.invert);
        if (const auto bands = r.Find("bands")) {
            ForEachItem(*bands, [&](const Node& band) {
                const auto [start, end, type, param] = ToInts<4>(band, "[start, end, type, param]");
                axis.bands.push_back(BAND_INFO{start, end, type, param});
            });
        }
        p.axes.emplace(key, std::move(axis));
    });
}

}  // namespace

// --- writing -------------------------------------------------------------

ProfileJson ProfileToJson(const CControllerData& p) {
    const auto text = [](const std::string& bytes) { return Utf8FromProfileText(bytes); };
    ProfileJson j = ProfileJson::object();
    j["header"] = text(p.header);
    j["legacyText"] = text(p.legacyText);
    j["author"] = text(p.author);
    j["email"] = text(p.email);
    j["webPage"] = text(p.webPage);
    j["comments"] = text(p.comments);
    j["version"] = {
        {"major", p.version.major}, {"minor", p.version.minor}, {"reserved", p.version.reserved}};
    j["oldFormat"] = p.oldFormat;
    j["unconvertedAxisFound"] = p.unconvertedAxisFound;
    j["redShiftControl"] = p.redShiftControl;
    j["blueShiftControl"] = p.blueShiftControl;
    j["greenShiftControl"] = p.greenShiftControl;
    j["legacyShiftControl"] = p.legacyShiftControl;
    j["cycleShiftControl"] = p.cycleShiftControl;
    j["redShiftType"] = p.redShiftType;
    j["blueShiftType"] = p.blueShiftType;
    j["greenShiftType"] = p.greenShiftType;
    j["deviceType"] = GuidToString(p.deviceType);

    ProfileJson& labels = j["labels"] = ProfileJson::array();
    for (int mode = 0; mode < kModeCount; ++mode) {
        for (int control = 0; control < kControlCount; ++control) {
            const std::string& label =
                p.labels[static_cast<size_t>(mode * kControlCount + control)];
            if (!label.empty())
                labels.push_back({{"mode", mode}, {"control", control}, {"text", text(label)}});
        }
    }

    ProfileJson& modes = j["assignments"] = ProfileJson::array();
    for (const auto& map : p.assignments) {
        ProfileJson& list = modes.emplace_back(ProfileJson::array());
        for (const auto& [key, info] : map)
            list.push_back({{"key", key},
                            {"control", info.control},
                            {"type", info.type},
                            {"param", info.param}});
    }

    ProfileJson& macros = j["macros"] = ProfileJson::array();
    for (const auto& [key, macro] : p.macros) {
        ProfileJson events = ProfileJson::array();
        for (const MACRO_EVENT& e : macro.events)
            events.push_back(ProfileJson::array({e.type, e.value}));
        macros.push_back({{"key", key},
                          {"id", macro.id},
                          {"name", text(macro.name)},
                          {"repeatInterval", macro.repeatInterval},
                          {"repeatMode", macro.repeatMode},
                          {"events", std::move(events)}});
    }

    ProfileJson& axes = j["axes"] = ProfileJson::array();
    for (const auto& [key, axis] : p.axes) {
        ProfileJson bands = ProfileJson::array();
        for (const BAND_INFO& b : axis.bands)
            bands.push_back(ProfileJson::array({b.start, b.end, b.type, b.param}));
        axes.push_back({{"key", key},
                        {"id", axis.id},
                        {"name", text(axis.name)},
                        {"outputAxis", axis.outputAxis},
                        {"axisMode", axis.axisMode},
                        {"hasOutput", axis.hasOutput},
                        {"useBands", axis.useBands},
                        {"invert", axis.invert},
                        {"bands", std::move(bands)}});
    }
    return j;
}

CControllerData ProfileFromJson(const ProfileJson& json) {
    CControllerData p;
    const ObjectReader top(Node{&json, ""}, {"header",
                                             "legacyText",
                                             "author",
                                             "email",
                                             "webPage",
                                             "comments",
                                             "version",
                                             "oldFormat",
                                             "unconvertedAxisFound",
                                             "redShiftControl",
                                             "blueShiftControl",
                                             "greenShiftControl",
                                             "legacyShiftControl",
                                             "cycleShiftControl",
                                             "redShiftType",
                                             "blueShiftType",
                                             "greenShiftType",
                                             "deviceType",
                                             "labels",
                                             "assignments",
                                             "macros",
                                             "axes"});
    top.Text("header", p.header);
    top.Text("legacyText", p.legacyText);
    top.Text("author", p.author);
    top.Text("email", p.email);
    top.Text("webPage", p.webPage);
    top.Text("comments", p.comments);
    if (const auto version = top.Find("version")) {
        const ObjectReader r(*version, {"major", "minor", "reserved"});
        r.Int("major", p.version.major);
        r.Int("minor", p.version.minor);
        r.Int("reserved", p.version.reserved);
    }
    top.Int("oldFormat", p.oldFormat);
    top.Int("unconvertedAxisFound", p.unconvertedAxisFound);
    top.Int("redShiftControl", p.redShiftControl);
    top.Int("blueShiftControl", p.blueShiftControl);
    top.Int("greenShiftControl", p.greenShiftControl);
    top.Int("legacyShiftControl", p.legacyShiftControl);
    top.Int("cycleShiftControl", p.cycleShiftControl);
    top.Int("redShiftType", p.redShiftType);
    top.Int("blueShiftType", p.blueShiftType);
    top.Int("greenShiftType", p.greenShiftType);
    if (const auto guid = top.Find("deviceType")) p.deviceType = ToGuid(*guid);
    if (const auto labels = top.Find("labels")) ReadLabels(*labels, p);
    if (const auto modes = top.Find("assignments")) ReadAssignments(*modes, p);
    if (const auto macros = top.Find("macros")) ReadMacros(*macros, p);
    if (const auto axes = top.Find("axes")) ReadAxes(*axes, p);
    return p;
}

namespace {

// A container of scalars stays on one line ("version", a label, an assignment, an
// event), so that a dump reads and diffs one record per line.
void AppendFormatted(const ProfileJson& value, size_t indent, std::string& out) {
    if (value.is_primitive() || value.empty()) {
        out += value.dump();
        return;
    }
    const bool flat = std::all_of(value.begin(), value.end(),
                                  [](const ProfileJson& member) { return member.is_primitive(); });
    const bool object = value.is_object();
    out += object ? '{' : '[';
    bool first = true;
    for (auto it = value.begin(); it != value.end(); ++it) {
        if (!first) out += ',';
        if (flat) {
            if (!first) out += ' ';
        } else {
            out += '\n';
            out.append(indent + 2, ' ');
        }
        first = false;
        if (object) out += ProfileJson(it.key()).dump() + ": ";
        AppendFormatted(*it, indent + 2, out);
    }
    if (!flat) {
        out += '\n';
        out.append(indent, ' ');
    }
    out += object ? '}' : ']';
}

}  // namespace

std::string FormatProfileJson(const ProfileJson& json) {
    std::string out;
    AppendFormatted(json, 0, out);
    return out + "\n";
}

ProfileJson ParseProfileJson(std::string_view text) {
    try {
        return ProfileJson::parse(text.begin(), text.end());
    } catch (const nlohmann::json::exception& e) {
        // what() opens with the library's own tag, "[json.exception.parse_error.101] ".
        std::string_view message = e.what();
        if (const size_t tag = message.find("] ");
            !message.empty() && message[0] == '[' && tag != std::string_view::npos)
            message.remove_prefix(tag + 2);
        throw ProfileJsonError(std::string(message));
    }
}

}  // namespace vh
