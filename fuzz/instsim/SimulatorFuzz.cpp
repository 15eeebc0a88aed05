// The simulator's message parser on arbitrary controller bytes. The first
// byte chooses how the stream is cut into reads; a parser of a byte stream
// must answer, record and dump the same whether the bytes arrive at once or
// in pieces, as TCP may deliver them either way.
#include "sim/SimulatedInstrument.h"

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
    return 0;
}
