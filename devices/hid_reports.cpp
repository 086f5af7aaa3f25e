#include "hid_reports.h"

#include <algorithm>
#include <string>

namespace vh {

namespace {

constexpr uint8_t kDownloadReportId = 2;
constexpr uint8_t kOptionReportId = 5;
constexpr size_t kMinOptionReportLength = 4;

void PutUInt16(Bytes& report, size_t at, size_t value) {
    report[at] = static_cast<uint8_t>(value);
    report[at + 1] = static_cast<uint8_t>(value >> 8);
}

Bytes DownloadReport(size_t reportLength, size_t bytesHere, size_t total, size_t number,
                     size_t count) {
    Bytes report(reportLength, 0);
    report[0] = kDownloadReportId;
    PutUInt16(report, 1, bytesHere);
    PutUInt16(report, 3, total);
    PutUInt16(report, 5, number);
    PutUInt16(report, 7, count);
    return report;
}

}  // namespace

std::vector<Bytes> DownloadReports(const Bytes& image, size_t reportLength) {
    if (image.size() > kMaxImageLength)
        throw DownloadRefused(DownloadRefused::imageTooLong,
                              "the profile image is " + std::to_string(image.size()) +
                                  " bytes, more than a download can carry (65535)");
    if (reportLength < kMinDownloadReportLength)
        throw DownloadRefused(DownloadRefused::reportTooShort,
                              "the controller's output report holds " +
                                  std::to_string(reportLength) +
                                  " bytes, fewer than a download needs (1033)");
    const size_t count = image.size() / kDownloadPayload + 1;
    std::vector<Bytes> reports;
    reports.reserve(count);
    for (size_t number = 1, at = 0; number <= count; ++number) {
        const size_t here = std::min(kDownloadPayload, image.size() - at);
        Bytes report = DownloadReport(reportLength, here, image.size(), number, count);
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), here,
                    report.begin() + kDownloadHeaderSize);
        reports.push_back(std::move(report));
        at += here;
    }
    return reports;
}

Bytes EmptyProfileReport(size_t reportLength) {
    if (reportLength < kDownloadHeaderSize) return {};
    return DownloadReport(reportLength, 0, 0, 1, 1);
}

Bytes OptionReport(size_t reportLength, int option, bool value) {
    if (reportLength < kMinOptionReportLength) return {};
    Bytes report(reportLength, 0);
    report[0] = kOptionReportId;
    report[1] = static_cast<uint8_t>(option);
    report[2] = value ? 1 : 0;
    return report;
}

}  // namespace vh
