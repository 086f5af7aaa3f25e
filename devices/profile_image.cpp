#include "profile_image.h"

#include <cstring>

namespace vh {

namespace {

constexpr size_t kButtonEntrySize = 12;
constexpr size_t kAxisRecordBase = 36;  // fixed fields and the closing zero band
constexpr size_t kBandSize = 16;
constexpr size_t kMacroRecordBase = 36;  // fixed fields and the closing zero event
constexpr size_t kEventSize = 8;

class ImageWriter {
  public:
    explicit ImageWriter(size_t size) : bytes_(size, 0) {}

    void Int32At(size_t at, int32_t value) {
        const auto v = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
    void Int32(int32_t value) {
        Int32At(pos_, value);
        pos_ += 4;
    }
    void UInt16(uint16_t value) {
        Byte(static_cast<uint8_t>(value));
        Byte(static_cast<uint8_t>(value >> 8));
    }
    void Byte(uint8_t value) { bytes_[pos_++] = value; }
    void Skip(size_t count) { pos_ += count; }
    // A table of `count` entries starts here: its header fields get the count and
    // this offset. An empty table keeps zeros and takes no room.
    bool BeginTable(size_t countField, size_t offsetField, size_t count) {
        if (count == 0) return false;
        Int32At(countField, static_cast<int32_t>(count));
        Int32At(offsetField, static_cast<int32_t>(pos_));
        return true;
    }
    size_t Position() const { return pos_; }
    Bytes Take() { return std::move(bytes_); }

  private:
    Bytes bytes_;
    size_t pos_ = 0;
};

int SentControl(int control, bool virtualDevice) {
    if (!virtualDevice) return control;
    if (control == 194) return 202;
    if (control == 205) return 194;
    return control;
}

}  // namespace

Bytes BuildProfileImage(const CControllerData& p, bool virtualDevice) {
    size_t size = kImageHeaderSize;
    for (const auto& map : p.assignments) size += kButtonEntrySize * map.size();
    for (const auto& [key, axis] : p.axes) size += kAxisRecordBase + kBandSize * axis.bands.size();
    for (const auto& [key, macro] : p.macros)
        size += kMacroRecordBase + kEventSize * macro.events.size();

    ImageWriter image(size);
    image.Int32(static_cast<int32_t>(p.deviceType.Data1));
    image.UInt16(p.deviceType.Data2);
    image.UInt16(p.deviceType.Data3);
    for (uint8_t b : p.deviceType.Data4) image.Byte(b);
    // The firmware's order: green before blue.
    for (int v : {p.redShiftControl, p.greenShiftControl, p.blueShiftControl, p.cycleShiftControl,
                  p.redShiftType, p.greenShiftType, p.blueShiftType})
        image.Int32(v);
    image.Skip(kImageHeaderSize - image.Position());

    for (size_t mode = 0; mode < p.assignments.size(); ++mode) {
        const auto& map = p.assignments[mode];
        if (!image.BeginTable(44 + 4 * mode, 60 + 4 * mode, map.size())) continue;
        for (const auto& [key, info] : map) {
            image.Int32(SentControl(info.control, virtualDevice));
            image.Int32(info.type);
            image.Int32(info.param);
        }
    }

    if (image.BeginTable(76, 80, p.axes.size())) {
        for (const auto& [key, axis] : p.axes) {
            image.Int32(axis.id);
            image.Int32(axis.outputAxis);
            image.Int32(axis.axisMode);
            image.Byte(axis.hasOutput);
            image.Byte(axis.useBands);
            image.Byte(axis.invert);
            image.Skip(1);
            image.Int32(static_cast<int32_t>(axis.bands.size()));
            for (const BAND_INFO& band : axis.bands)
                for (int v : {band.start, band.end, band.type, band.param}) image.Int32(v);
            image.Skip(kBandSize);
        }
    }

    if (image.BeginTable(84, 88, p.macros.size())) {
        for (const auto& [key, macro] : p.macros) {
            image.Int32(macro.id);
            image.Int32(macro.repeatInterval);
            const bool repeats =
                macro.repeatMode == REPEAT_WHILE_DOWN || macro.repeatMode == REPEAT_UNTIL_PRESSED;
            image.Byte(repeats ? static_cast<uint8_t>(macro.repeatMode) : 0);
            image.Skip(15);
            image.Int32(static_cast<int32_t>(macro.events.size()));
            for (const MACRO_EVENT& e : macro.events) {
                image.Int32(e.type);
                image.Int32(e.value);
            }
            image.Skip(kEventSize);
        }
    }
    return image.Take();
}

}  // namespace vh
