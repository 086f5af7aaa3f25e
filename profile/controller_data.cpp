#include "controller_data.h"

#include <algorithm>
#include <bitset>
#include <stdexcept>

#include "archive.h"
#include "debug_output.h"
#include "unique_id.h"

namespace {

// Smallest stored sizes of a table entry: key plus the record's fixed fields.
constexpr uint32_t kAssignmentEntryBytes = 16;
constexpr uint32_t kMacroEntryBytes = 4 + 4 + 1 + 4 + 2;
constexpr uint32_t kAxisEntryBytes = 4 + 4 + 1 + 5 * 4 + 2;
constexpr uint32_t kEventBytes = 8;
constexpr uint32_t kBandBytes = 16;

size_t LabelIndex(int mode, int control) {
    if (mode < 0 || mode >= kModeCount || control < 0 || control >= kControlCount)
        throw std::out_of_range("mode or control index out of range");
    return static_cast<size_t>(mode * kControlCount + control);
}

// Stored before repeatMode existed: a repeat interval meant repeat-while-down.
int RepeatModeFromInterval(int repeatInterval) {
    return repeatInterval != -1 ? REPEAT_WHILE_DOWN : REPEAT_ONCE;
}

}  // namespace

// --- records -------------------------------------------------------------

void MACRO_INFO::Serialize(CArchive& ar) {
    Exchange(ar, true);
}

void MACRO_INFO::LoadWithoutRepeatMode(CArchive& ar) {
    Exchange(ar, false);
}

void MACRO_INFO::Exchange(CArchive& ar, bool withRepeatMode) {
    vh::DebugOutput(ar.IsStoring() ? "Serializing!!!\n" : "Deserializing!!!\n");
    ar.Exchange(id);
    ar.Exchange(name);
    ar.Exchange(repeatInterval);
    if (withRepeatMode)
        ar.Exchange(repeatMode);
    else
        repeatMode = RepeatModeFromInterval(repeatInterval);
    if (ar.IsStoring())
        ar.WriteCount(events.size());
    else
        events.assign(ar.ReadCount(kEventBytes), MACRO_EVENT{});
    for (MACRO_EVENT& e : events) {
        ar.Exchange(e.type);
        ar.Exchange(e.value);
    }
}

void AXIS_INFO::Serialize(CArchive& ar) {
    vh::DebugOutput(ar.IsStoring() ? "Serializing!!!\n" : "Deserializing!!!\n");
    ar.Exchange(id);
    ar.Exchange(name);
    ar.Exchange(outputAxis);
    ar.Exchange(axisMode);
    ar.ExchangeBool32(hasOutput);
    ar.ExchangeBool32(useBands);
    ar.ExchangeBool32(invert);
    if (ar.IsStoring())
        ar.WriteCount(bands.size());
    else
        bands.assign(ar.ReadCount(kBandBytes), BAND_INFO{});
    for (BAND_INFO& b : bands) {
        ar.Exchange(b.start);
        ar.Exchange(b.end);
        ar.Exchange(b.type);
        ar.Exchange(b.param);
    }
}

void FILE_VERSION::Serialize(CArchive& ar) {
    ar.Exchange(major);
    ar.Exchange(minor);
    ar.Exchange(reserved);
}

// --- assignments, labels and roles ---------------------------------------

std::optional<BUTTON_INFO> CControllerData::GetAssignment(int mode, int control) const {
    LabelIndex(mode, control);
    const auto& map = assignments[static_cast<size_t>(mode)];
    const auto it = map.find(control);
    if (it == map.end()) return std::nullopt;
    return it->second;
}

void CControllerData::SetAssignment(int mode, int control, int type, int param) {
    LabelIndex(mode, control);
    ClearShiftRoles(control);
    assignments[static_cast<size_t>(mode)][control] = BUTTON_INFO{control, type, param};
}

void CControllerData::RemoveAssignment(int mode, int control) {
    LabelIndex(mode, control);
    assignments[static_cast<size_t>(mode)].erase(control);
}

const std::string& CControllerData::GetLabel(int mode, int control) const {
    return labels[LabelIndex(mode, control)];
}

void CControllerData::SetLabel(int mode, int control, std::string text) {
    labels[LabelIndex(mode, control)] = std::move(text);
}

int* CControllerData::RoleField(ShiftRole role) {
    switch (role) {
        case ROLE_RED:
            return &redShiftControl;
        case ROLE_BLUE:
            return &blueShiftControl;
        case ROLE_GREEN:
            return &greenShiftControl;
        case ROLE_CYCLE:
            return &cycleShiftControl;
    }
    throw std::out_of_range("unknown shift role");
}

int CControllerData::GetShiftRole(ShiftRole role) const {
    return *const_cast<CControllerData*>(this)->RoleField(role);
}

void CControllerData::ClearShiftRoles(int control) {
    for (ShiftRole role : {ROLE_RED, ROLE_BLUE, ROLE_GREEN, ROLE_CYCLE}) {
        int* field = RoleField(role);
        if (*field == control) *field = -1;
    }
}

void CControllerData::SetShiftRole(ShiftRole role, int control) {
    LabelIndex(MODE_NORMAL, control);
    ClearShiftRoles(control);
    for (auto& map : assignments) map.erase(control);
    *RoleField(role) = control;
}

// --- macros and axis definitions -----------------------------------------

std::optional<MACRO_INFO> CControllerData::GetMacro(int id) const {
    const auto it = macros.find(id);
    if (it == macros.end()) return std::nullopt;
    return it->second;
}

void CControllerData::SetMacro(const MACRO_INFO& macro) {
    macros[macro.id] = macro;
}

void CControllerData::DeleteMacro(int id) {
    macros.erase(id);
    for (auto& map : assignments)
        std::erase_if(map, [id](const auto& entry) {
            return entry.second.type == BT_MACRO && entry.second.param == id;
        });
}

std::optional<AXIS_INFO> CControllerData::GetAxis(int id) const {
    const auto it = axes.find(id);
    if (it == axes.end()) return std::nullopt;
    return it->second;
}

void CControllerData::SetAxis(const AXIS_INFO& axis) {
    axes[axis.id] = axis;
}

void CControllerData::RemoveAxis(int id) {
    axes.erase(id);
}

int CControllerData::GetUniqueId() const {
    std::bitset<kUniqueIdRange> taken;
    auto mark = [&taken](int id) {
        if (id >= 0 && id < kUniqueIdRange) taken.set(static_cast<size_t>(id));
    };
    for (const auto& [key, macro] : macros) {
        mark(key);
        mark(macro.id);
    }
    for (const auto& [key, axis] : axes) {
        mark(key);
        mark(axis.id);
    }
    if (taken.all()) throw std::length_error("every macro and axis definition id is in use");
    for (;;) {
        const int id = DrawRandomId();
        if (!taken.test(static_cast<size_t>(id))) return id;
    }
}

// --- storage -------------------------------------------------------------

void CControllerData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        header = kProfileHeaderV2;
        version.major = 2;
        version.minor = 6;
    } else {
        for (auto& map : assignments) map.clear();
        macros.clear();
        axes.clear();
    }
    ar.Exchange(header);
    version.Serialize(ar);

    if (ar.IsLoading() && header == kProfileHeaderV1) {
        LoadFirstGeneration(ar);
        return;
    }
    if (ar.IsLoading() && version.major != 2) ar.Fail(CArchiveException::badVersion);

    ar.Exchange(legacyText);
    ar.Exchange(author);
    ar.Exchange(email);
    ar.Exchange(webPage);
    ar.Exchange(comments);
    ar.Exchange(deviceType);
    for (std::string& label : labels) ar.Exchange(label);
    ar.Exchange(redShiftControl);
    ar.Exchange(blueShiftControl);
    ar.Exchange(greenShiftControl);
    const auto minor = static_cast<uint32_t>(version.minor);
    if (ar.IsStoring() || minor >= 5)
        ar.Exchange(cycleShiftControl);
    else
        cycleShiftControl = -1;
    ar.Exchange(redShiftType);
    ar.Exchange(blueShiftType);
    ar.Exchange(greenShiftType);
    ExchangeAssignments(ar);

    if (ar.IsLoading()) {
        if (convertForCombined) ConvertForCombined();
        if (convertFromFirstKeypad) ConvertWheel();
        // Files before minor 6 have macros without repeatMode.
        oldFormat = minor >= 6 ? 0 : 1;
    }
    ExchangeMacrosAndAxes(ar, ar.IsStoring() || oldFormat == 0);
}

void CControllerData::LoadFirstGeneration(CArchive& ar) {
    legacyText = ar.ReadString();
    ar.Exchange(deviceType);
    for (std::string& label : labels) label = ar.ReadString();
    redShiftControl = ar.ReadInt32();
    blueShiftControl = ar.ReadInt32();
    legacyShiftControl = greenShiftControl = ar.ReadInt32();
    cycleShiftControl = -1;
    redShiftType = blueShiftType = greenShiftType = 0;
    ExchangeAssignments(ar);
    ExchangeMacrosAndAxes(ar, false);
    oldFormat = 1;
}

void CControllerData::ExchangeAssignments(CArchive& ar) {
    for (auto& map : assignments) {
        if (ar.IsStoring()) {
            ar.WriteCount(map.size());
            for (auto& [key, info] : map) {
                ar.WriteInt32(key);
                ar.WriteInt32(info.control);
                ar.WriteInt32(info.type);
                ar.WriteInt32(info.param);
            }
            continue;
        }
        for (uint32_t n = ar.ReadCount(kAssignmentEntryBytes); n > 0; --n) {
            const int key = ar.ReadInt32();
            BUTTON_INFO info;
            info.control = ar.ReadInt32();
            info.type = ar.ReadInt32();
            info.param = ar.ReadInt32();
            map[key] = info;
        }
    }
}

void CControllerData::ExchangeMacrosAndAxes(CArchive& ar, bool macrosWithRepeatMode) {
    if (ar.IsStoring()) {
        ar.WriteCount(macros.size());
        for (auto& [key, macro] : macros) {
            ar.WriteInt32(key);
            macro.Serialize(ar);
        }
        ar.WriteCount(axes.size());
        for (auto& [key, axis] : axes) {
            ar.WriteInt32(key);
            axis.Serialize(ar);
        }
        return;
    }
    for (uint32_t n = ar.ReadCount(kMacroEntryBytes); n > 0; --n) {
        const int key = ar.ReadInt32();
        MACRO_INFO macro;
        if (macrosWithRepeatMode)
            macro.Serialize(ar);
        else
            macro.LoadWithoutRepeatMode(ar);
        macros[key] = std::move(macro);
    }
    for (uint32_t n = ar.ReadCount(kAxisEntryBytes); n > 0; --n) {
        const int key = ar.ReadInt32();
        AXIS_INFO axis;
        axis.Serialize(ar);
        axes[key] = std::move(axis);
    }
}

// --- load-time conversions -----------------------------------------------

// Label slot of a control, or null for a key outside the device range (a file may
// hold any key).
std::string* CControllerData::LabelSlot(int mode, int control) {
    if (control < 0 || control >= kControlCount) return nullptr;
    return &labels[static_cast<size_t>(mode * kControlCount + control)];
}

// Moves the record of `from` to `to` with `to` as its control, and its label too.
void CControllerData::MoveRecord(int mode, int from, int to) {
    auto& map = assignments[static_cast<size_t>(mode)];
    const auto it = map.find(from);
    if (it == map.end()) return;
    const BUTTON_INFO old = it->second;
    map[to] = BUTTON_INFO{to, old.type, old.param};
    map.erase(from);
    std::string* source = LabelSlot(mode, from);
    if (std::string* target = LabelSlot(mode, to)) *target = source ? *source : std::string();
    if (source) source->clear();
}

// A first-generation keypad profile renumbered to the keypad half of the combined
// device: keys 0..9 become 10..19, the four main directions 20..23, diagonals go.
void CControllerData::ConvertForCombined() {
    if (!(deviceType == kFirstKeypadGuid)) return;
    for (int mode = 0; mode < kModeCount; ++mode) {
        auto& map = assignments[static_cast<size_t>(mode)];
        for (int key = 0; key <= 9; ++key) {
            const auto it = map.find(key);
            // The new place follows the record's own control, as stored.
            if (it != map.end()) MoveRecord(mode, key, it->second.control + 10);
        }
        MoveRecord(mode, 128, 20);
        MoveRecord(mode, 130, 21);
        MoveRecord(mode, 132, 22);
        MoveRecord(mode, 134, 23);
        for (int diagonal : {129, 135, 131, 133}) {
            if (map.erase(diagonal)) LabelSlot(mode, diagonal)->clear();
        }
    }
}

// The first keypad's thumb wheel (194) as the second keypad's wheel up and down.
void CControllerData::ConvertWheel() {
    if (!(deviceType == kFirstKeypadGuid)) return;
    for (int mode = 0; mode < kModeCount; ++mode) {
        auto& map = assignments[static_cast<size_t>(mode)];
        const auto it = map.find(194);
        if (it == map.end()) continue;
        if (it->second.type == BT_AXIS_DEFINITION) {
            unconvertedAxisFound = 1;
            continue;
        }
        const int axis = it->second.param;
        map.erase(it);
        map[16] = BUTTON_INFO{16, BT_AXIS_UP, axis};
        map[18] = BUTTON_INFO{18, BT_AXIS_DOWN, axis};
        std::string& wheel = *LabelSlot(mode, 194);
        *LabelSlot(mode, 16) = wheel;
        *LabelSlot(mode, 18) = wheel;
        wheel.clear();
    }
}
