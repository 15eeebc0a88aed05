// The network side of the instrument simulator: one thread serving any
// number of connections at once with a poll loop, so that no client — one
// that stays idle, never reads its replies or sends slowly — holds up the
// others. Each connection has a protocol object of its own over the
// instrument's shared settings, an idle timeout, and a bound on the replies
// waiting for it to read them.
#ifndef ZW_SIM_SIMULATOR_SERVER_H
#define ZW_SIM_SIMULATOR_SERVER_H

#include "sim/SimulatedInstrument.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace zw::sim {

struct ServerOptions {
    SimulatorOptions instrument;
    // A connection that neither sends nor takes a reply for this long is
    // closed.
    int idleTimeoutMs = 60000;
    // Each reply waits this long before it is sent (a slow instrument),
    // without holding up any other connection.
    int replyDelayMs = 0;
    // Replies a client leaves unread beyond this drop its connection.
    size_t maxUnreadReplyBytes = size_t{1} << 20;
    // The server is done once this many connections have ended (< 0: never).
    long sessions = -1;
};

class SimulatorServer {
public:
    using Clock = std::chrono::steady_clock;

    SimulatorServer(ServerOptions options, SimulatedInstrument::Record record,
                    SimulatedInstrument::Wire wire);
    ~SimulatorServer();
    SimulatorServer(const SimulatorServer&) = delete;
    SimulatorServer& operator=(const SimulatorServer&) = delete;

    // A listening socket to accept connections from; owned from now on.
    void Listen(int listener);
    // A connected socket to serve; owned from now on.
    void Serve(int connection);

    // Waits at most `maxWaitMs` for something to do and does it. False once
    // the server is done (see ServerOptions::sessions).
    bool Step(int maxWaitMs);
    // Steps until done.
    void Run();

    size_t Connections() const { return connections_.size(); }
    long Ended() const { return ended_; }
    bool Done() const { return options_.sessions >= 0 && ended_ >= options_.sessions; }

private:
    struct Delayed {
        Clock::time_point due;
        std::string text;
    };
    struct Connection {
        int fd = -1;
        std::unique_ptr<SimulatedInstrument> instrument;
        Clock::time_point lastActivity;
        std::string unsent;
        std::deque<Delayed> delayed;
        bool ending = false;
    };

    void AcceptAll();
    void Receive(Connection& c, Clock::time_point now);
    void Send(Connection& c, Clock::time_point now);
    void Queue(Connection& c, const std::string& reply, Clock::time_point now);
    void ReleaseDue(Connection& c, Clock::time_point now);
    int WaitMs(int maxWaitMs, Clock::time_point now) const;
    void End(Connection& c, const std::string& why);
    void RemoveEnded();

    ServerOptions options_;
    SimulatedInstrument::Record record_;
    SimulatedInstrument::Wire wire_;
    std::shared_ptr<InstrumentState> state_;
    int listener_ = -1;
    std::vector<std::unique_ptr<Connection>> connections_;
    long ended_ = 0;
    std::vector<char> buffer_;
};

} // namespace zw::sim

#endif // ZW_SIM_SIMULATOR_SERVER_H
