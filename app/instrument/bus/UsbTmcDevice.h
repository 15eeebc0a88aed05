// Finding and driving a USB test-and-measurement device through the Linux
// kernel's usbtmc driver, for machines without a VISA library: the device
// node /dev/usbtmcN whose USB vendor id, product id and serial number (read
// from sysfs) match the instrument's resource name.
#ifndef ZW_BUS_USBTMC_DEVICE_H
#define ZW_BUS_USBTMC_DEVICE_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zw::bus {

// "USB[board]::vendor::product::serial[::interface][::INSTR]"; vendor and
// product in hexadecimal with "0x" or in decimal.
struct UsbResource {
    int board = 0;
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::string serial;
};

std::optional<UsbResource> ParseUsbResource(std::string_view resource);

// The VISA resource for an instrument identification: "::INSTR" is added
// when missing.
std::string VisaResourceName(std::string_view identification);

// The device node of the first usbtmc device that matches, looked up under
// `sysfsRoot` (normally "/sys") and named under `devRoot` (normally "/dev").
// A serial number matches when equal, or equal once a leading "SN" of the
// typed one is left out (instruments report the bare number).
std::optional<std::string> FindUsbTmcDevice(const UsbResource& resource,
                                            const std::string& sysfsRoot = "/sys",
                                            const std::string& devRoot = "/dev");

// One open device node. Every wait is bounded by the driver's timeout.
class UsbTmcDevice {
public:
    UsbTmcDevice() = default;
    ~UsbTmcDevice();
    UsbTmcDevice(const UsbTmcDevice&) = delete;
    UsbTmcDevice& operator=(const UsbTmcDevice&) = delete;

    // 0, or the errno of the failure.
    int Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The bus codes of the layer (0, 1 timeout, 2 error).
    int SetTimeout(int milliseconds); // -1: as long as the driver allows
    int Write(std::span<const uint8_t> bytes, bool endOfMessage);
    int Read(std::string& data, size_t max);
    int Clear();
    int RemoteEnable(bool on);
    int GoToLocal();
    int LocalLockout();
    int LastErrno() const { return lastErrno_; }

private:
    int Fail();
    int fd_ = -1;
    int lastErrno_ = 0;
    bool eomControl_ = true; // the driver knows the end-of-message switch
};

} // namespace zw::bus

#endif // ZW_BUS_USBTMC_DEVICE_H
