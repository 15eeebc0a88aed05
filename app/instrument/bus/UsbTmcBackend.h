// Interface type 3 "USB(TMC)": the instrument named by the USBTMC_ID
// configuration item (the model's identification prefix followed by the
// serial number). Through a VISA library when one is installed (VISA_LIBRARY,
// else libvisa.so), otherwise through the kernel's usbtmc driver.
#ifndef ZW_BUS_USBTMC_BACKEND_H
#define ZW_BUS_USBTMC_BACKEND_H

#include "bus/BusBackend.h"
#include "bus/DynamicLibrary.h"
#include "bus/UsbTmcDevice.h"

#include <memory>

namespace zw::bus {

class UsbTmcBackend final : public BusBackend {
public:
    // The sysfs and device roots are for tests; the program uses the real ones.
    explicit UsbTmcBackend(std::string sysfsRoot = "/sys", std::string devRoot = "/dev")
        : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}
    ~UsbTmcBackend() override { End(); }

    std::string_view Name() const override { return "USB(TMC)"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int address, std::span<const uint8_t> bytes) override;
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override;
    int RemoteEnable(bool on) override;
    int InterfaceClear() override { return IsOpen() ? kBusOk : kBusError; }
    int DeviceClear(int address) override;
    int GoToLocal(int address) override;
    int TimeOut(int code) override;
    int Mterm(const Terminators& terminators) override;
    int Eoi(bool on) override;
    int BoardAddress(int& address) override;
    std::string Detail() const override { return detail_; }

    // Which way the instrument was opened: "VISA", "usbtmc" or "".
    std::string_view Route() const;

private:
    using ViStatus = int32_t;
    using ViSession = uint32_t;
    struct Visa {
        ViStatus (*openDefaultRM)(ViSession*) = nullptr;
        ViStatus (*open)(ViSession, const char*, uint32_t, uint32_t, ViSession*) = nullptr;
        ViStatus (*close)(ViSession) = nullptr;
        ViStatus (*write)(ViSession, const unsigned char*, uint32_t, uint32_t*) = nullptr;
        ViStatus (*read)(ViSession, unsigned char*, uint32_t, uint32_t*) = nullptr;
        ViStatus (*clear)(ViSession) = nullptr;
        ViStatus (*setAttribute)(ViSession, uint32_t, uint64_t) = nullptr;
        ViStatus (*gpibControlRen)(ViSession, uint16_t) = nullptr; // optional
    };

    bool IsOpen() const { return visaOpen_ || kernel_.IsOpen(); }
    int OpenVisa(const std::string& identification);
    int OpenKernel(const std::string& identification);
    int VisaOutcome(ViStatus status, const char* operation);
    int KernelOutcome(int code, const char* operation);
    int Write(std::span<const uint8_t> bytes, bool end);
    int Read(std::string& data, size_t max, bool text);
    int Ren(uint16_t mode);

    std::string sysfsRoot_;
    std::string devRoot_;
    std::unique_ptr<DynamicLibrary> library_;
    Visa visa_;
    ViSession manager_ = 0;
    ViSession session_ = 0;
    bool visaOpen_ = false;
    UsbTmcDevice kernel_;
    int myAddress_ = 0;
    BackendSettings settings_;
    std::string detail_;
};

} // namespace zw::bus

#endif // ZW_BUS_USBTMC_BACKEND_H
