// A stand-in for a USB488 vendor library: device id from the "id" key.
#include "FakeRecorder.h"

#include <cstring>

namespace {
int error = 0;
unsigned long count = 0;
} // namespace

FAKE_CONTROL_FUNCTIONS

FAKE_EXPORT int UsbInitialize() {
    fake::Note("UsbInitialize");
    return 0;
}
FAKE_EXPORT int UsbFinalize() {
    fake::Note("UsbFinalize");
    return 0;
}
FAKE_EXPORT int UsbOpenDevice(int id, int* device) {
    fake::Note("UsbOpenDevice " + std::to_string(id));
    *device = 7;
    return id == fake::GetInt("id", 1) ? 0 : 1;
}
FAKE_EXPORT int UsbCloseDevice(int device) {
    fake::Note("UsbCloseDevice " + std::to_string(device));
    return 0;
}
FAKE_EXPORT int UsbSendTextData(int, const char* text, int eoi) {
    fake::Note("UsbSendTextData " + fake::Escaped(text, static_cast<long>(std::strlen(text))) +
               " " + std::to_string(eoi));
    return 0;
}
FAKE_EXPORT int UsbReceiveTextData(int, char* buffer, int maximum) {
    const std::string reply = fake::Get("reply");
    if (reply.empty()) {
        error = 1;
        return 1;
    }
    count = std::min<unsigned long>(static_cast<unsigned long>(maximum), reply.size());
    std::memcpy(buffer, reply.data(), count);
    fake::Note("UsbReceiveTextData");
    return 0;
}
FAKE_EXPORT int UsbSendBinary(int, const void* data, unsigned long n, int eoi) {
    fake::Note("UsbSendBinary " + std::to_string(n) + " " + std::to_string(eoi) + " " +
               fake::Escaped(data, static_cast<long>(std::min<unsigned long>(n, 4))));
    return 0;
}
FAKE_EXPORT int UsbSetTimeout(int, unsigned long ms) {
    fake::Note("UsbSetTimeout " + std::to_string(ms));
    return 0;
}
#define FAKE_DEVICE_CALL(name)                                                                     \
    FAKE_EXPORT int name(int) {                                                                    \
        fake::Note(#name);                                                                         \
        return 0;                                                                                  \
    }
FAKE_DEVICE_CALL(UsbSetIFC)
FAKE_DEVICE_CALL(UsbDevClear)
FAKE_DEVICE_CALL(UsbEnableRemote)
FAKE_DEVICE_CALL(UsbEnableLocal)
FAKE_DEVICE_CALL(UsbSendLLO)
FAKE_EXPORT int UsbGetErrorCode(int) {
    return error;
}
FAKE_EXPORT unsigned long UsbGetDataCount(int) {
    return count;
}
