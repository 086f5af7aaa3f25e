#include "devices/hid_reports.h"

#include <gtest/gtest.h>

namespace {

using vh::Bytes;

unsigned UInt16At(const Bytes& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}

Bytes Image(size_t size) {
    Bytes image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>(i * 7 + 1);
    return image;
}

TEST(HidReports, DownloadSplitsTheImageIn1024BytePieces) {
    struct Case {
        size_t imageSize;
        std::vector<size_t> pieces;
    };
    const Case cases[] = {
        {92, {92}},
        {1023, {1023}},
        {1024, {1024, 0}},
        {1500, {1024, 476}},
        {65535, std::vector<size_t>(63, 1024)},
    };
    for (const Case& c : cases) {
        std::vector<size_t> pieces = c.pieces;
        if (c.imageSize == 65535) pieces.push_back(65535 - 63 * 1024);
        const Bytes image = Image(c.imageSize);
        const auto reports = vh::DownloadReports(image, 1040);
        ASSERT_EQ(reports.size(), pieces.size()) << c.imageSize;
        Bytes joined;
        for (size_t i = 0; i < reports.size(); ++i) {
            const Bytes& r = reports[i];
            ASSERT_EQ(r.size(), 1040u);
            EXPECT_EQ(r[0], 2);
            EXPECT_EQ(UInt16At(r, 1), pieces[i]);
            EXPECT_EQ(UInt16At(r, 3), c.imageSize);
            EXPECT_EQ(UInt16At(r, 5), i + 1);
            EXPECT_EQ(UInt16At(r, 7), pieces.size());
            joined.insert(joined.end(), r.begin() + 9, r.begin() + 9 + pieces[i]);
            for (size_t at = 9 + pieces[i]; at < r.size(); ++at) ASSERT_EQ(r[at], 0);
        }
        EXPECT_EQ(joined, image) << c.imageSize;
    }
}

TEST(HidReports, DownloadIsRefusedRatherThanWrappedOrOverrun) {
    try {
        vh::DownloadReports(Image(65536), 1033);
        FAIL();
    } catch (const vh::DownloadRefused& e) {
        EXPECT_EQ(e.m_reason, vh::DownloadRefused::imageTooLong);
    }
    try {
        vh::DownloadReports(Image(10), 1032);
        FAIL();
    } catch (const vh::DownloadRefused& e) {
        EXPECT_EQ(e.m_reason, vh::DownloadRefused::reportTooShort);
    }
    EXPECT_EQ(vh::DownloadReports(Image(10), 1033).at(0).size(), 1033u);
}

TEST(HidReports, EmptyProfileAndOptionReports) {
    Bytes empty(1033, 0);
    empty[0] = 2;
    empty[5] = 1;
    empty[7] = 1;
    EXPECT_EQ(vh::EmptyProfileReport(1033), empty);
    EXPECT_EQ(vh::EmptyProfileReport(9).size(), 9u);
    EXPECT_TRUE(vh::EmptyProfileReport(8).empty());

    EXPECT_EQ(vh::OptionReport(4, vh::OPTION_PAD_SWAP, true), (Bytes{5, 1, 1, 0}));
    EXPECT_EQ(vh::OptionReport(6, vh::OPTION_CONFIGURING, false), (Bytes{5, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(vh::OptionReport(3, vh::OPTION_CONFIGURING, true).empty());
}

}  // namespace
