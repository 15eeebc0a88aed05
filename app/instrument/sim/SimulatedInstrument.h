// The protocol side of the instrument simulator: it is fed the bytes a
// controller sends, splits them into IEEE 488.2 program messages and message
// units (definite-length blocks included), answers the common queries and
// the settings it holds, and records what it received. No sockets here.
//
// One object serves one connection: its partial message, status and error
// queue are its own, while the settings (and the byte order chosen with
// FORM:BORD) may be shared by every connection of one instrument. Memory is
// bounded whatever a controller sends: a program message longer than
// kMaxMessageBytes drops the connection, and the error queue holds at most
// kErrorQueueDepth entries, the last replaced by -350 "Queue overflow" when
// more arrive, as instruments do.
#ifndef ZW_SIM_SIMULATED_INSTRUMENT_H
#define ZW_SIM_SIMULATED_INSTRUMENT_H

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zw::sim {

struct SimulatorOptions {
    std::string identity = "ZW,SIM-ARB,0,1.00";
    // A non-zero value is answered to every "*ESR?": the instrument keeps
    // reporting an error.
    int forcedStatus = 0;
    // The error "SYST:ERR?" answers first while forcedStatus is set.
    std::string forcedError = "-222,\"Data out of range\"";
    bool littleEndian = false;
    // Drop the connection once this many block bytes have arrived.
    std::optional<size_t> dropAfterBlockBytes;
};

// What all connections to one instrument share.
struct InstrumentState {
    std::map<std::string, std::string> settings;
    bool littleEndian = false;
};

class SimulatedInstrument {
public:
    using Record = std::function<void(const std::string& line)>;
    using Wire = std::function<void(const std::string& message)>;

    // No generator memory is deeper than a block of this size.
    static constexpr size_t kMaxBlockBytes = size_t{64} << 20;
    // A program message, block included: generous room for the command
    // text around the largest block.
    static constexpr size_t kMaxMessageBytes = kMaxBlockBytes + (size_t{1} << 20);
    static constexpr size_t kErrorQueueDepth = 20;

    // `shared` is the instrument's state when several connections share it;
    // without it the object has a state of its own.
    SimulatedInstrument(SimulatorOptions options, Record record, Wire wire,
                        std::shared_ptr<InstrumentState> shared = nullptr);

    // Feeds received bytes. Replies due are appended to `replies`, one per
    // query. Returns false when the connection must be dropped.
    bool Feed(const char* data, size_t size, std::vector<std::string>& replies);
    // A new connection: partial messages are forgotten, settings kept.
    void Reset();

    const std::map<std::string, std::string>& Settings() const { return state_->settings; }

private:
    enum class State { Text, Quoted, BlockDigits, BlockLength, BlockData };

    void EndUnit(bool endOfMessage, std::vector<std::string>& replies);
    void Execute(const std::string& unit, std::vector<std::string>& replies);
    void ExecuteBlock(const std::string& head, std::vector<std::string>& replies);
    void PushError(int code, const std::string& text);
    std::string NormalisedHeader(std::string header) const;

    SimulatorOptions options_;
    Record record_;
    Wire wire_;

    State parse_ = State::Text;
    char quote_ = 0;
    std::string unit_;
    std::string message_; // raw bytes of the message being read, for the wire dump
    bool messageHasBlock_ = false;
    size_t digits_ = 0;
    std::string lengthText_;
    size_t blockRemaining_ = 0;
    std::vector<uint8_t> block_;
    size_t blockBytesSeen_ = 0;

    size_t messageBytes_ = 0; // of the message being read, block included
    std::shared_ptr<InstrumentState> state_;
    std::deque<std::string> errors_;
    int esr_ = 0;
};

} // namespace zw::sim

#endif // ZW_SIM_SIMULATED_INSTRUMENT_H
