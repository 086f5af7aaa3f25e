#include "hid_device.h"

#include <algorithm>

#include "profile/ansi_codepage.h"

namespace {

constexpr size_t kMaxPath = 260;

}  // namespace

void CHidDevice::Open(std::u16string_view devicePath) {
    Close();
    const std::string path = vh::WideToAnsi(devicePath);
    // A character the code page lacks comes back as "?": such a path names nothing.
    const auto asked = std::count(devicePath.begin(), devicePath.end(), u'?');
    if (path.empty() || path.size() >= kMaxPath ||
        std::count(path.begin(), path.end(), '?') != asked)
        throw CHidError("Invalid devPath");
    connection_ = transport_.Open(path);
    if (!connection_) throw CHidError("Invalid Handle");
    attributes_ = connection_->Attributes();
    capabilities_ = connection_->Capabilities();
}

void CHidDevice::SendOption(int option, bool value) {
    if (!connection_) return;
    const vh::Bytes report = vh::OptionReport(capabilities_.outputReportLength, option, value);
    if (!report.empty()) connection_->Write(report);
}

bool CHidDevice::WriteReport(const vh::Bytes& report) {
    // Never more, nor less, than the device's own report length.
    if (!connection_ || report.size() != capabilities_.outputReportLength) return false;
    return connection_->Write(report);
}
