#include "bus/BackendFactory.h"

#include "bus/LanSocketBackend.h"

namespace zw::bus {

std::unique_ptr<BusBackend> MakeBackend(int interfaceType, InstrumentMessages& messages) {
    (void)messages;
    switch (interfaceType) {
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
