#include "hid_transport_win.h"

#include <windows.h>

// mingw's HID headers declare C functions without saying so; hidusage.h defines the
// types the other two use.
extern "C" {
#include <hidusage.h>

#include <hidpi.h>
#include <hidsdi.h>
}

namespace {

class CWin32HidConnection : public IHidConnection {
  public:
    CWin32HidConnection(HANDLE file, PHIDP_PREPARSED_DATA preparsed)
        : file_(file), preparsed_(preparsed) {}
    ~CWin32HidConnection() override {
        HidD_FreePreparsedData(preparsed_);
        CloseHandle(file_);
    }
    CWin32HidConnection(const CWin32HidConnection&) = delete;
    CWin32HidConnection& operator=(const CWin32HidConnection&) = delete;

    HID_ATTRIBUTES Attributes() const override { return attributes_; }
    HID_CAPABILITIES Capabilities() const override { return capabilities_; }

    bool Write(const vh::Bytes& report) override {
        DWORD written = 0;
        return WriteFile(file_, report.data(), static_cast<DWORD>(report.size()), &written,
                         nullptr) != FALSE;
    }

    // Reads what the device tells of itself; false leaves the connection unusable.
    bool Describe() {
        HIDD_ATTRIBUTES attributes{};
        attributes.Size = sizeof attributes;
        HIDP_CAPS caps{};
        if (!HidD_GetAttributes(file_, &attributes) ||
            HidP_GetCaps(preparsed_, &caps) != HIDP_STATUS_SUCCESS)
            return false;
        attributes_ = {attributes.VendorID, attributes.ProductID, attributes.VersionNumber};
        capabilities_ = {caps.InputReportByteLength, caps.OutputReportByteLength,
                         caps.FeatureReportByteLength};
        return true;
    }

  private:
    HANDLE file_;
    PHIDP_PREPARSED_DATA preparsed_;
    HID_ATTRIBUTES attributes_;
    HID_CAPABILITIES capabilities_;
};

}  // namespace

std::unique_ptr<IHidConnection> CWin32HidTransport::Open(const std::string& ansiPath) {
    HANDLE file =
        CreateFileA(ansiPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (!HidD_GetPreparsedData(file, &preparsed)) {
        CloseHandle(file);
        return nullptr;
    }
    auto connection = std::make_unique<CWin32HidConnection>(file, preparsed);
    if (!connection->Describe()) return nullptr;
    return connection;
}
