// The system's HID library as the transport for CHidDevice.
#pragma once

#include "devices/hid_device.h"

class CWin32HidTransport : public IHidTransport {
  public:
    std::unique_ptr<IHidConnection> Open(const std::string& ansiPath) override;
};
