#include "devices/hid_device.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using vh::Bytes;

// Devices by path; every written report is kept, in order.
struct FakeHid : IHidTransport {
    struct Device {
        HID_CAPABILITIES caps;
        std::vector<Bytes> written;
    };
    std::map<std::string, Device> devices;

    struct Connection : IHidConnection {
        Device& device;
        explicit Connection(Device& d) : device(d) {}
        HID_ATTRIBUTES Attributes() const override { return {0x1234, 0x0033, 0x0100}; }
        HID_CAPABILITIES Capabilities() const override { return device.caps; }
        bool Write(const Bytes& report) override {
            device.written.push_back(report);
            return true;
        }
    };

    std::unique_ptr<IHidConnection> Open(const std::string& path) override {
        const auto it = devices.find(path);
        if (it == devices.end()) return nullptr;
        return std::make_unique<Connection>(it->second);
    }
};

TEST(HidDevice, OptionReportIsExactlyTheOutputReportLength) {
    FakeHid hid;
    hid.devices["\\\\?\\hid#vid_1234&pid_0033"].caps.outputReportLength = 8;
    hid.devices["short"].caps.outputReportLength = 3;

    CHidDevice device(hid);
    device.Open(u"\\\\?\\hid#vid_1234&pid_0033");
    EXPECT_EQ(device.GetAttributes().productId, 0x0033);
    device.SendOption(vh::OPTION_PAD_SWAP, true);
    device.SendOption(vh::OPTION_CONFIGURING, false);
    EXPECT_EQ(hid.devices["\\\\?\\hid#vid_1234&pid_0033"].written,
              (std::vector<Bytes>{{5, 1, 1, 0, 0, 0, 0, 0}, {5, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_FALSE(device.WriteReport(Bytes(9)));  // not this device's length

    device.Open(u"short");
    device.SendOption(vh::OPTION_CONFIGURING, true);
    EXPECT_TRUE(hid.devices["short"].written.empty());
}

TEST(HidDevice, PathsThatNameNothingFail) {
    FakeHid hid;
    CHidDevice device(hid);
    const struct {
        std::u16string path;
        const char* error;
    } cases[] = {
        {u"missing", "Invalid Handle"},
        {u"", "Invalid devPath"},
        {u"hid\u4E2Ddevice", "Invalid devPath"},
        {std::u16string(260, u'a'), "Invalid devPath"},
    };
    for (const auto& c : cases) {
        try {
            device.Open(c.path);
            ADD_FAILURE() << c.error;
        } catch (const CHidError& e) {
            EXPECT_STREQ(e.what(), c.error);
        }
        EXPECT_FALSE(device.IsOpen());
    }
}

}  // namespace
