#include "bus/UsbTmcDevice.h"

#include "TextUtil.h"
#include "bus/BusTypes.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <linux/usb/tmc.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zw::bus {

namespace fs = std::filesystem;

namespace {

std::optional<uint16_t> ParseId(std::string_view text, bool hexOnly) {
    text = TrimText(text);
    int base = 10;
    if (StartsWithNoCase(text, "0x")) {
        text.remove_prefix(2);
        base = 16;
    } else if (hexOnly) {
        base = 16;
    }
    unsigned value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty() || value > 0xFFFF)
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return std::string(TrimText(line));
}

bool SerialMatches(std::string_view wanted, std::string_view device) {
    if (wanted == device)
        return true;
    return wanted.size() > 2 && wanted.substr(0, 2) == "SN" && wanted.substr(2) == device;
}

} // namespace

std::optional<UsbResource> ParseUsbResource(std::string_view resource) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t at = resource.find("::", start);
        parts.push_back(resource.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos)
            break;
        start = at + 2;
    }
    if (parts.size() < 4 || !StartsWithNoCase(parts[0], "USB"))
        return std::nullopt;
    UsbResource r;
    const std::string_view board = parts[0].substr(3);
    if (!board.empty() &&
        std::from_chars(board.data(), board.data() + board.size(), r.board).ec != std::errc())
        return std::nullopt;
    const auto vendor = ParseId(parts[1], false);
    const auto product = ParseId(parts[2], false);
    if (!vendor || !product || TrimText(parts[3]).empty())
        return std::nullopt;
    r.vendor = *vendor;
    r.product = *product;
    r.serial = std::string(TrimText(parts[3]));
    return r;
}

std::string VisaResourceName(std::string_view identification) {
    std::string name(TrimText(identification));
    if (name.size() < 7 || !EqualsNoCase(std::string_view(name).substr(name.size() - 7), "::INSTR"))
        name += "::INSTR";
    return name;
}

std::optional<std::string> FindUsbTmcDevice(const UsbResource& resource,
                                            const std::string& sysfsRoot,
                                            const std::string& devRoot) {
    std::error_code ec;
    const fs::path classDir = fs::path(sysfsRoot) / "class" / "usbmisc";
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(classDir, ec))
        if (entry.path().filename().string().rfind("usbtmc", 0) == 0)
            entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        // device -> the USB interface; its parent is the USB device.
        const fs::path usbInterface = fs::canonical(entry / "device", ec);
        if (ec)
            continue;
        const fs::path usbDevice = usbInterface.parent_path();
        const auto vendor = ParseId(ReadLine(usbDevice / "idVendor"), true);
        const auto product = ParseId(ReadLine(usbDevice / "idProduct"), true);
        if (vendor == resource.vendor && product == resource.product &&
            SerialMatches(resource.serial, ReadLine(usbDevice / "serial")))
            return (fs::path(devRoot) / entry.filename()).string();
    }
    return std::nullopt;
}

UsbTmcDevice::~UsbTmcDevice() {
    Close();
}

int UsbTmcDevice::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0)
        return lastErrno_ = errno;
    eomControl_ = true;
    return 0;
}

void UsbTmcDevice::Close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

int UsbTmcDevice::Fail() {
    lastErrno_ = errno;
    return lastErrno_ == ETIMEDOUT ? kBusTimeout : kBusError;
}

int UsbTmcDevice::SetTimeout(int milliseconds) {
    if (fd_ < 0)
        return kBusError;
    // The driver refuses less than 100 ms.
    __u32 value = milliseconds < 0 ? 0x7FFFFFFFu : static_cast<__u32>(std::max(milliseconds, 100));
    if (::ioctl(fd_, USBTMC_IOCTL_SET_TIMEOUT, &value) != 0 && errno != ENOTTY)
        return Fail();
    return kBusOk;
}

int UsbTmcDevice::Write(std::span<const uint8_t> bytes, bool endOfMessage) {
    if (fd_ < 0)
        return kBusError;
    if (eomControl_) {
        __u8 eom = endOfMessage ? 1 : 0;
        if (::ioctl(fd_, USBTMC_IOCTL_EOM_ENABLE, &eom) != 0) {
            if (errno != ENOTTY)
                return Fail();
            eomControl_ = false; // an old driver ends every write
        }
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail();
        done += static_cast<size_t>(n);
    }
    return kBusOk;
}

int UsbTmcDevice::Read(std::string& data, size_t max) {
    data.clear();
    if (fd_ < 0)
        return kBusError;
    char buffer[65536];
    while (data.size() < max) {
        const size_t want = std::min(sizeof buffer, max - data.size());
        const ssize_t n = ::read(fd_, buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail();
        data.append(buffer, static_cast<size_t>(n));
        // A short read is the end of the device's message.
        if (static_cast<size_t>(n) < want)
            break;
    }
    return kBusOk;
}

int UsbTmcDevice::Clear() {
    if (fd_ < 0)
        return kBusError;
    return ::ioctl(fd_, USBTMC_IOCTL_CLEAR) == 0 ? kBusOk : Fail();
}

int UsbTmcDevice::RemoteEnable(bool on) {
    if (fd_ < 0)
        return kBusError;
    unsigned char value = on ? 1 : 0;
    return ::ioctl(fd_, USBTMC488_IOCTL_REN_CONTROL, &value) == 0 ? kBusOk : Fail();
}

int UsbTmcDevice::GoToLocal() {
    if (fd_ < 0)
        return kBusError;
    return ::ioctl(fd_, USBTMC488_IOCTL_GOTO_LOCAL) == 0 ? kBusOk : Fail();
}

int UsbTmcDevice::LocalLockout() {
    if (fd_ < 0)
        return kBusError;
    return ::ioctl(fd_, USBTMC488_IOCTL_LOCAL_LOCKOUT) == 0 ? kBusOk : Fail();
}

} // namespace zw::bus
