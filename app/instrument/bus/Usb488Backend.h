// Interface type 6: a USB488 device through a vendor library named by the
// LIBRARY configuration item (the "Usb488Library" setting), opened by the
// USB488ID item. The functions it must export, all returning 0 on success:
//   int UsbInitialize(void);            int UsbFinalize(void);
//   int UsbOpenDevice(int id, int* device);
//   int UsbCloseDevice(int device);
//   int UsbSendTextData(int device, const char* text, int eoi);
//   int UsbReceiveTextData(int device, char* buffer, int maximum);
//   int UsbSendBinary(int device, const void* data, unsigned long count, int eoi);
//   int UsbSetTimeout(int device, unsigned long milliseconds);
//   int UsbSetIFC(int device);          int UsbDevClear(int device);
//   int UsbEnableRemote(int device);    int UsbEnableLocal(int device);
//   int UsbSendLLO(int device);
//   int UsbGetErrorCode(int device);    1 after a timeout
//   unsigned long UsbGetDataCount(int device);   bytes of the last receive
#ifndef ZW_BUS_USB488_BACKEND_H
#define ZW_BUS_USB488_BACKEND_H

#include "bus/BusBackend.h"
#include "bus/DynamicLibrary.h"

#include <memory>

namespace zw::bus {

class Usb488Backend final : public BusBackend {
public:
    ~Usb488Backend() override { End(); }

    std::string_view Name() const override { return "USB488"; }
    int Init(const BusConfig& config) override;
    int End() override;
    int SendStr(int address, std::string_view text) override;
    int ReceiveStr(int address, std::string& reply) override;
    int SendBinary(int address, std::span<const uint8_t> bytes) override;
    int ReceiveBinary(int address, std::vector<uint8_t>& bytes, size_t max) override;
    int LocalLockout() override { return Call(api_.sendLlo, "UsbSendLLO"); }
    int RemoteEnable(bool on) override {
        return on ? Call(api_.enableRemote, "UsbEnableRemote")
                  : Call(api_.enableLocal, "UsbEnableLocal");
    }
    int InterfaceClear() override { return Call(api_.setIfc, "UsbSetIFC"); }
    int DeviceClear(int) override { return Call(api_.devClear, "UsbDevClear"); }
    int GoToLocal(int) override { return Call(api_.enableLocal, "UsbEnableLocal"); }
    int TimeOut(int code) override;
    int Mterm(const Terminators& terminators) override;
    int Eoi(bool on) override;
    int BoardAddress(int& address) override;
    std::string Detail() const override { return detail_; }

private:
    struct Api {
        int (*initialize)() = nullptr;
        int (*finalize)() = nullptr;
        int (*openDevice)(int, int*) = nullptr;
        int (*closeDevice)(int) = nullptr;
        int (*sendText)(int, const char*, int) = nullptr;
        int (*receiveText)(int, char*, int) = nullptr;
        int (*sendBinary)(int, const void*, unsigned long, int) = nullptr;
        int (*setTimeout)(int, unsigned long) = nullptr;
        int (*setIfc)(int) = nullptr;
        int (*devClear)(int) = nullptr;
        int (*enableRemote)(int) = nullptr;
        int (*enableLocal)(int) = nullptr;
        int (*sendLlo)(int) = nullptr;
        int (*getErrorCode)(int) = nullptr;
        unsigned long (*getDataCount)(int) = nullptr;
    };
    bool Bind();
    int Outcome(int result, const char* operation);
    int Call(int (*function)(int), const char* operation);

    std::unique_ptr<DynamicLibrary> library_;
    Api api_;
    int device_ = -1;
    bool initialised_ = false;
    int myAddress_ = 0;
    BackendSettings settings_;
    std::string detail_;
};

} // namespace zw::bus

#endif // ZW_BUS_USB488_BACKEND_H
