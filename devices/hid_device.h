// A controller's HID interface, opened by device path, for the option report and
// the profile download. The device is reached through a narrow transport so that a
// simulated controller can stand in for the system's HID library.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "devices/hid_reports.h"

struct HID_ATTRIBUTES {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HID_CAPABILITIES {
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
};

// One open device; closed when destroyed.
class IHidConnection {
  public:
    virtual ~IHidConnection() = default;
    virtual HID_ATTRIBUTES Attributes() const = 0;
    virtual HID_CAPABILITIES Capabilities() const = 0;
    // One synchronous write of the whole report; false when the device refused it.
    virtual bool Write(const vh::Bytes& report) = 0;
};

class IHidTransport {
  public:
    virtual ~IHidTransport() = default;
    // Null when the path cannot be opened or its attributes or capabilities read.
    virtual std::unique_ptr<IHidConnection> Open(const std::string& ansiPath) = 0;
};

// "Invalid devPath" or "Invalid Handle"; callers skip the device.
class CHidError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class CHidDevice {
  public:
    explicit CHidDevice(IHidTransport& transport) : transport_(transport) {}

    // The path in the ANSI code page must exist unchanged and within 260 characters.
    void Open(std::u16string_view devicePath);
    void Close() { connection_.reset(); }
    bool IsOpen() const { return connection_ != nullptr; }

    const HID_ATTRIBUTES& GetAttributes() const { return attributes_; }
    const HID_CAPABILITIES& GetCapabilities() const { return capabilities_; }

    // Writes one option report; nothing when the output report is shorter than 4.
    void SendOption(int option, bool value);
    // Writes a whole report as built for this device's output report length.
    bool WriteReport(const vh::Bytes& report);

  private:
    IHidTransport& transport_;
    std::unique_ptr<IHidConnection> connection_;
    HID_ATTRIBUTES attributes_;
    HID_CAPABILITIES capabilities_;
};
