#include "bus/BackendFactory.h"

#include "bus/KiGpibBackend.h"
#include "bus/LanSocketBackend.h"
#include "bus/NiGpibBackend.h"
#include "bus/SimulatorBackend.h"
#include "bus/Usb488Backend.h"
#include "bus/UsbTmcBackend.h"

namespace zw::bus {

std::unique_ptr<BusBackend> MakeBackend(int interfaceType, InstrumentMessages& messages) {
    switch (interfaceType) {
    case kNiGpib:
        return std::make_unique<NiGpibBackend>();
    case kKiGpib:
        return std::make_unique<KiGpibBackend>();
    case kUsbTmc:
        return std::make_unique<UsbTmcBackend>();
    case kSimulator:
        return std::make_unique<SimulatorBackend>(messages);
    case kUsb488:
        return std::make_unique<Usb488Backend>();
    case kLanSocket:
        return std::make_unique<LanSocketBackend>();
    default:
        return nullptr;
    }
}

BackendFactory DefaultBackendFactory(InstrumentMessages& messages) {
    return [&messages](int interfaceType) { return MakeBackend(interfaceType, messages); };
}

} // namespace zw::bus
