// The profile: what every control of one device does in each of the four shift
// modes, with the macros and axis definitions those assignments refer to.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "guid.h"

class CArchive;

// Shift modes, in the order of the assignment maps and label rows.
enum ShiftMode { MODE_NORMAL = 0, MODE_RED = 1, MODE_BLUE = 2, MODE_GREEN = 3 };
constexpr int kModeCount = 4;
constexpr int kControlCount = 256;

// BUTTON_INFO::type
enum ActionType {
    BT_OFF = 1,
    BT_KEY = 2,
    BT_AXIS_UP = 5,
    BT_AXIS_DOWN = 6,
    BT_DI_BUTTON = 7,
    BT_MOUSE = 8,
    BT_MACRO = 9,
    BT_AXIS_OUTPUT = 12,
    BT_AXIS_DEFINITION = 13,
    BT_MACROS_OFF = 21,
};

// Output axes; AXIS_NONE marks an axis definition without output.
enum OutputAxis {
    AXIS_X = 0,
    AXIS_Y,
    AXIS_Z,
    AXIS_RX,
    AXIS_RY,
    AXIS_RZ,
    AXIS_MOUSE_X,
    AXIS_MOUSE_Y,
    AXIS_MOUSE_WHEEL,
    AXIS_NONE = 11
};

struct BUTTON_INFO {
    int control = 0;
    int type = 0;
    int param = 0;
    bool operator==(const BUTTON_INFO&) const = default;
};

// MACRO_EVENT::type
enum MacroEventType {
    ME_KEY_RELEASE = 3,
    ME_KEY_PRESS = 4,
    ME_AXIS_PLUS = 5,
    ME_AXIS_MINUS = 6,
    ME_MOUSE_PRESS = 8,
    ME_DELAY = 11,
    ME_THROTTLE = 12,
    ME_DI_BUTTON_RELEASE = 14,
    ME_DI_BUTTON_PRESS = 15,
    ME_AXIS_ZERO = 16,
    ME_DPAD_RELEASE = 17,
    ME_DPAD_PRESS = 18,
    ME_MOUSE_RELEASE = 20,
};

struct MACRO_EVENT {
    int type = 0;
    int value = 0;
    bool operator==(const MACRO_EVENT&) const = default;
};

// MACRO_INFO::repeatMode
enum RepeatMode { REPEAT_ONCE = 0, REPEAT_WHILE_DOWN = 1, REPEAT_UNTIL_PRESSED = 2 };

class MACRO_INFO {
  public:
    virtual ~MACRO_INFO() = default;
    // The current record form, with repeatMode.
    virtual void Serialize(CArchive& ar);
    // The older record form, without repeatMode: derived from repeatInterval.
    void LoadWithoutRepeatMode(CArchive& ar);
    bool operator==(const MACRO_INFO&) const = default;

    int id = 0;
    std::string name;
    int recordDelays = 1;  // an editor setting; never stored
    int repeatInterval = 0;
    int repeatMode = REPEAT_ONCE;
    std::vector<MACRO_EVENT> events;

  private:
    void Exchange(CArchive& ar, bool withRepeatMode);
};

struct BAND_INFO {
    int start = 0;
    int end = 0;
    int type = 0;
    int param = 0;
    bool operator==(const BAND_INFO&) const = default;
};

class AXIS_INFO {
  public:
    virtual ~AXIS_INFO() = default;
    virtual void Serialize(CArchive& ar);
    bool operator==(const AXIS_INFO&) const = default;

    int id = 0;
    std::string name;
    int outputAxis = AXIS_NONE;
    int axisMode = 0;  // 1 ranged, 2 min/max, 0 not chosen
    bool hasOutput = true;
    bool useBands = false;
    bool invert = false;
    std::vector<BAND_INFO> bands;
};

class FILE_VERSION {
  public:
    virtual ~FILE_VERSION() = default;
    virtual void Serialize(CArchive& ar);
    bool operator==(const FILE_VERSION&) const = default;

    int major = 2;
    int minor = 6;
    int reserved = 0;
};

inline constexpr char kProfileHeaderV2[] = "Varnholt V2 Profile Header";
inline constexpr char kProfileHeaderV1[] = "Varnholt Profile Header";

class CControllerData {
  public:
    enum ShiftRole { ROLE_RED, ROLE_BLUE, ROLE_GREEN, ROLE_CYCLE };

    CControllerData() = default;
    virtual ~CControllerData() = default;
    CControllerData(const CControllerData&) = default;
    CControllerData& operator=(const CControllerData&) = default;
    bool operator==(const CControllerData&) const = default;

    // Writes the current generation (2.6), or reads either generation, applying the
    // conversions switched on beforehand. Throws CArchiveException on a bad file.
    virtual void Serialize(CArchive& ar);

    std::optional<BUTTON_INFO> GetAssignment(int mode, int control) const;
    // Creates or overwrites the record; the control first loses any shift role.
    void SetAssignment(int mode, int control, int type, int param);
    void RemoveAssignment(int mode, int control);

    const std::string& GetLabel(int mode, int control) const;
    void SetLabel(int mode, int control, std::string text);

    // Makes `control` the key of `role` (replacing the previous one); it loses its
    // records in all four modes and any role it held before.
    void SetShiftRole(ShiftRole role, int control);
    void ClearShiftRoles(int control);
    int GetShiftRole(ShiftRole role) const;

    std::optional<MACRO_INFO> GetMacro(int id) const;
    void SetMacro(const MACRO_INFO& macro);
    // Removes the macro and every assignment that plays it, in all four modes.
    void DeleteMacro(int id);

    std::optional<AXIS_INFO> GetAxis(int id) const;
    void SetAxis(const AXIS_INFO& axis);
    void RemoveAxis(int id);

    // A free id for a new macro or axis definition, from 0..32767. Throws
    // std::length_error when every id of that range is taken.
    int GetUniqueId() const;

    std::string header = kProfileHeaderV2;
    FILE_VERSION version;
    int oldFormat = 0;
    int convertForCombined = 0;
    int convertFromFirstKeypad = 0;
    int unconvertedAxisFound = 0;
    std::string legacyText;
    std::string author;
    std::string email;
    std::string webPage;
    std::string comments;
    GUID deviceType{};
    std::array<std::string, kModeCount * kControlCount> labels;
    int redShiftControl = -1;
    int blueShiftControl = -1;
    int greenShiftControl = -1;
    int legacyShiftControl = -1;
    int cycleShiftControl = -1;
    int redShiftType = 0;
    int blueShiftType = 0;
    int greenShiftType = 0;
    std::array<std::map<int, BUTTON_INFO>, kModeCount> assignments;
    std::map<int, MACRO_INFO> macros;
    std::map<int, AXIS_INFO> axes;

  private:
    int* RoleField(ShiftRole role);
    void LoadFirstGeneration(CArchive& ar);
    void ExchangeAssignments(CArchive& ar);
    void ExchangeMacrosAndAxes(CArchive& ar, bool macrosWithRepeatMode);
    std::string* LabelSlot(int mode, int control);
    void ConvertForCombined();
    void ConvertWheel();
    void MoveRecord(int mode, int from, int to);
};

// The device type of the first-generation keypad, whose profiles the load-time
// conversions apply to.
inline constexpr GUID kFirstKeypadGuid = {
    0x0DF6BB60, 0xAE74, 0x11D4, {0x95, 0x48, 0x00, 0x50, 0x04, 0x72, 0x8F, 0x22}};
