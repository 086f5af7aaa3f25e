// The output reports a controller's HID interface takes: the profile download
// (report 2), the empty profile, and the option report (report 5). Every report is
// the controller's full output report length, zero beyond its data.
#pragma once

#include <stdexcept>
#include <vector>

#include "profile_image.h"

namespace vh {

constexpr size_t kDownloadHeaderSize = 9;
constexpr size_t kDownloadPayload = 1024;
constexpr size_t kMinDownloadReportLength = kDownloadHeaderSize + kDownloadPayload;  // 1033
constexpr size_t kMaxImageLength = 0xFFFF;  // the download's 16-bit length field

enum OptionNumber { OPTION_CONFIGURING = 0, OPTION_PAD_SWAP = 1 };

// Why an image cannot be downloaded; the controller then gets the empty profile.
class DownloadRefused : public std::runtime_error {
  public:
    enum Reason { imageTooLong, reportTooShort };
    DownloadRefused(Reason reason, const std::string& what)
        : std::runtime_error(what), m_reason(reason) {}
    Reason m_reason;
};

// The image in reports of `reportLength` bytes: 1024 image bytes each, and always
// one more report than whole 1024-byte pieces (so a 1024-byte image ends with an
// empty report). Throws DownloadRefused for an image longer than 65535 bytes or a
// report shorter than 1033 bytes, instead of wrapping the length or overrunning.
std::vector<Bytes> DownloadReports(const Bytes& image, size_t reportLength);

// The single report that tells a controller to run without a profile; empty (send
// nothing) when the report cannot hold its header.
Bytes EmptyProfileReport(size_t reportLength);

// Empty (send nothing) for a report length below 4.
Bytes OptionReport(size_t reportLength, int option, bool value);

}  // namespace vh
