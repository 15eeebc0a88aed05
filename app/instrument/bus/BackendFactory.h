// The table of back-ends by interface type. Each back-end binds its outside
// library by name only when it is first initialised, so a missing library
// costs nothing until that interface is used.
#ifndef ZW_BUS_BACKEND_FACTORY_H
#define ZW_BUS_BACKEND_FACTORY_H

#include "InstrumentServices.h"
#include "bus/BusDispatcher.h"

namespace zw::bus {

// The back-end of an interface type; nothing for an unknown type.
std::unique_ptr<BusBackend> MakeBackend(int interfaceType, InstrumentMessages& messages);

// MakeBackend bound to the message sink, for the interface library.
BackendFactory DefaultBackendFactory(InstrumentMessages& messages);

} // namespace zw::bus

#endif // ZW_BUS_BACKEND_FACTORY_H
