// The interface library level of the bus layer: what the transfers call.
// It initialises the bus on first use, forwards to the dispatcher, keeps the
// last return code and error text, and shows a box naming the operation and
// the address when an operation fails (unless boxes are switched off).
#ifndef ZW_BUS_INTERFACE_LIBRARY_H
#define ZW_BUS_INTERFACE_LIBRARY_H

#include "InstrumentServices.h"
#include "bus/BusDispatcher.h"

#include <string>

namespace zw::bus {

// Arguments of GpErrMsgOn.
enum : int { kErrMsgOff = 0, kErrMsgQuery = 1, kErrMsgOn = -1 };

class InterfaceLibrary {
public:
    InterfaceLibrary(InstrumentMessages& messages, BackendFactory factory);

    // The interface type and the configuration used by the next set-up.
    void SetInterfaceType(int interfaceType) { pendingType_ = interfaceType; }
    int InterfaceType() const { return pendingType_; }
    // The address field of the current setting (GPIB address or USB ID).
    void SetAddressField(int address) { addressField_ = address; }
    // Further "KEY = value" items appended to the configuration text.
    void SetExtraConfiguration(std::string items) { extraConfig_ = std::move(items); }
    // The timeout code the set-up chooses (10, "300ms", unless changed here,
    // for instance for a slow instrument or a loaded test machine).
    void SetSetupTimeoutCode(int timeoutCode) { setupTimeoutCode_ = timeoutCode; }
    // The configuration text the next set-up hands to the back-end.
    std::string ConfigurationText() const;

    int GpSetup();
    int GpPuts(int address, std::string_view text);
    int GpGets(int address, std::string& reply);
    int GpData(int address, std::span<const uint8_t> bytes);
    int GpSDC(int address);
    int GpIFC();
    int GpREN(bool on);
    int GpLocal(int address);
    int GpBoardAdr(int& ownAddress);
    int GpTmo(int timeoutCode);
    int GpEos(std::string_view terminator, int mode);
    int GpEot(bool on);
    // kErrMsgQuery returns 1 while boxes are on, else 0; kErrMsgOn and
    // kErrMsgOff switch them; anything else is refused with kBusNoBoard.
    int GpErrMsgOn(int request);
    // Releases the bus; the next operation sets it up again.
    int GpEnd();

    bool Initialised() const { return initialised_; }
    int LastCode() const { return lastCode_; }
    const std::string& LastErrorText() const { return lastError_; }
    bool MessagesOn() const { return messagesOn_; }
    const Terminators& CurrentTerminators() const { return terminators_; }
    bool EndOfTransmission() const { return eoi_; }
    int TimeoutCode() const { return timeoutCode_; }

private:
    // Runs the set-up when needed; false when it failed (its box is shown).
    bool Ready();
    int Check(int code, const std::string& context);
    static std::string Context(std::string_view function);
    static std::string Context(std::string_view function, int address);

    InstrumentMessages& messages_;
    BusDispatcher dispatcher_;
    int pendingType_ = kUsbTmc;
    int addressField_ = 0;
    std::string extraConfig_;
    int setupTimeoutCode_ = kDefaultTimeoutCode;

    bool initialised_ = false;
    int lastCode_ = kBusOk;
    std::string lastError_;
    bool messagesOn_ = true;
    Terminators terminators_;
    bool eoi_ = true;
    int timeoutCode_ = kDefaultTimeoutCode;
};

} // namespace zw::bus

#endif // ZW_BUS_INTERFACE_LIBRARY_H
