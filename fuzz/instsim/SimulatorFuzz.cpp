// The simulator's message parser on arbitrary controller bytes. The first
// byte chooses how the stream is cut into reads; a parser of a byte stream
// must answer, record and dump the same whether the bytes arrive at once or
// in pieces, as TCP may deliver them either way. The same bytes then go
// through the network loop, on one connection beside an idle one: the
// replies that come back must be the parser's, the connection must end when
// the client closes, and the idle one must stay.
#include "sim/SimulatedInstrument.h"
#include "sim/SimulatorServer.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::vector<std::string> replies;
    std::vector<std::string> records;
    std::vector<std::string> wire;
    bool dropped = false;
};

// Feeds `size` bytes in pieces of 1 .. piece bytes (all at once for 0).
Outcome run(const char* data, size_t size, size_t piece) {
    Outcome out;
    zw::sim::SimulatedInstrument sim(
        {}, [&](const std::string& line) { out.records.push_back(line); },
        [&](const std::string& message) { out.wire.push_back(message); });
    size_t at = 0;
    while (at < size) {
        const size_t n = piece == 0 ? size - at : std::min(piece, size - at);
        if (!sim.Feed(data + at, n, out.replies)) {
            out.dropped = true;
            break;
        }
        at += n;
    }
    return out;
}

void drain(int fd, std::string& into) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n <= 0)
            return;
        into.append(buffer, static_cast<size_t>(n));
    }
}

void serve(const char* data, size_t size, const Outcome& expected) {
    zw::sim::SimulatorServer server(
        {}, [](const std::string&) {}, nullptr);
    int busy[2];
    int idle[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, busy) != 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, idle) != 0)
        return;
    server.Serve(busy[0]);
    server.Serve(idle[0]);
    // Small enough for the socket's buffer: no writer thread needed.
    if (::send(busy[1], data, size, MSG_NOSIGNAL | MSG_DONTWAIT) != static_cast<ssize_t>(size))
        std::abort();
    ::shutdown(busy[1], SHUT_WR);
    std::string got;
    for (int round = 0; round < 10000 && server.Connections() > 1; ++round) {
        server.Step(0);
        drain(busy[1], got);
    }
    drain(busy[1], got);
    if (server.Connections() != 1 || server.Ended() != 1)
        std::abort();
    std::string replies;
    for (const std::string& r : expected.replies)
        replies += r + "\n";
    // A dropped connection takes the replies of its last read with it.
    if (expected.dropped ? replies.compare(0, got.size(), got) != 0 : got != replies)
        std::abort();
    ::close(busy[1]);
    ::close(idle[1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 4096)
        return 0;
    const size_t piece = 1 + data[0] % 7;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const Outcome whole = run(text, size - 1, 0);
    const Outcome pieces = run(text, size - 1, piece);
    if (whole.replies != pieces.replies || whole.records != pieces.records ||
        whole.wire != pieces.wire || whole.dropped != pieces.dropped)
        std::abort();
    serve(text, size - 1, whole);
    return 0;
}
