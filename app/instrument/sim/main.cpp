// zw4410-instsim: an arbitrary-waveform generator on a loopback TCP port, for
// trying the editor and testing transfers without hardware. It answers the
// identity, status and error queries, keeps the settings it is sent, accepts
// a waveform as an IEEE 488.2 definite-length block, and writes what it
// received to standard output or a file. Options inject faults. Any number
// of controllers may be connected at once; each is served as it sends.
#include "sim/SimulatorServer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* const kUsage =
    "usage: zw4410-instsim [options]\n"
    "  --port N           TCP port to listen on (default 5025; 0 picks a free one)\n"
    "  --bind ADDRESS     address to listen on (default 127.0.0.1)\n"
    "  --output FILE      write what was received there (default standard output)\n"
    "  --wire FILE        append the raw bytes of every message that held a block\n"
    "  --sessions N       exit after N connections have ended (default: never)\n"
    "  --idn TEXT         reply to *IDN? (default \"ZW,SIM-ARB,0,1.00\")\n"
    "  --model NAME       answer *IDN? as the bundled model NAME does (\"ZW LABS,NAME,0,1.00\")\n"
    "  --status N         answer N to every *ESR? (an instrument reporting an error)\n"
    "  --error TEXT       the first SYST:ERR? reply while --status is set\n"
    "  --little-endian    read block samples low byte first\n"
    "  --drop-after N     drop the connection after N bytes of a block\n"
    "  --delay-ms N       wait N ms before every reply (a slow instrument)\n"
    "  --idle-ms N        close a connection idle for N ms (default 60000)\n"
    "The chosen port is printed as \"PORT n\" on standard error once listening.\n";

struct Options {
    zw::sim::ServerOptions server;
    int port = 5025;
    std::string bind = "127.0.0.1";
    std::string output;
    std::string wire;
};

constexpr long kMaxMilliseconds = 24L * 3600 * 1000;

bool ParseNumber(const char* text, long& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0)
        return false;
    out = value;
    return true;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        long number = 0;
        if (arg == "--little-endian") {
            options.server.instrument.littleEndian = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        const char* v = value();
        if (!v) {
            std::fprintf(stderr, "zw4410-instsim: %s needs a value\n", arg.c_str());
            return false;
        }
        const bool numeric = arg == "--port" || arg == "--sessions" || arg == "--status" ||
                             arg == "--drop-after" || arg == "--delay-ms" || arg == "--idle-ms";
        if (numeric && !ParseNumber(v, number)) {
            std::fprintf(stderr, "zw4410-instsim: %s needs a number, not '%s'\n", arg.c_str(), v);
            return false;
        }
        if (arg == "--port") {
            if (number > 65535) {
                std::fprintf(stderr, "zw4410-instsim: no port %ld\n", number);
                return false;
            }
            options.port = static_cast<int>(number);
        } else if (arg == "--bind") {
            options.bind = v;
        } else if (arg == "--output") {
            options.output = v;
        } else if (arg == "--wire") {
            options.wire = v;
        } else if (arg == "--sessions") {
            options.server.sessions = number;
        } else if (arg == "--idn") {
            options.server.instrument.identity = v;
        } else if (arg == "--model") {
            options.server.instrument.identity = std::string("ZW LABS,") + v + ",0,1.00";
        } else if (arg == "--status") {
            options.server.instrument.forcedStatus = static_cast<int>(number);
        } else if (arg == "--error") {
            options.server.instrument.forcedError = v;
        } else if (arg == "--drop-after") {
            options.server.instrument.dropAfterBlockBytes = static_cast<size_t>(number);
        } else if (arg == "--delay-ms" || arg == "--idle-ms") {
            if (number > kMaxMilliseconds || (arg == "--idle-ms" && number == 0)) {
                std::fprintf(stderr, "zw4410-instsim: %s %ld is out of range\n", arg.c_str(),
                             number);
                return false;
            }
            (arg == "--delay-ms" ? options.server.replyDelayMs : options.server.idleTimeoutMs) =
                static_cast<int>(number);
        } else {
            std::fprintf(stderr, "zw4410-instsim: unknown option %s\n%s", arg.c_str(), kUsage);
            return false;
        }
    }
    return true;
}

int Listen(const Options& options) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(options.port));
    if (inet_pton(AF_INET, options.bind.c_str(), &address.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseArguments(argc, argv, options))
        return 2;

    std::ofstream file;
    if (!options.output.empty()) {
        file.open(options.output, std::ios::out | std::ios::trunc);
        if (!file) {
            std::fprintf(stderr, "zw4410-instsim: cannot write %s\n", options.output.c_str());
            return 1;
        }
    }
    std::ostream& out = options.output.empty() ? std::cout : file;
    auto record = [&](const std::string& line) { out << line << '\n' << std::flush; };
    auto wire = [&](const std::string& message) {
        std::ofstream w(options.wire, std::ios::out | std::ios::app | std::ios::binary);
        w.write(message.data(), static_cast<std::streamsize>(message.size()));
    };
    zw::sim::SimulatorServer server(
        options.server, record, options.wire.empty() ? zw::sim::SimulatedInstrument::Wire() : wire);

    const int listener = Listen(options);
    if (listener < 0) {
        std::fprintf(stderr, "zw4410-instsim: cannot listen on %s:%d: %s\n", options.bind.c_str(),
                     options.port, std::strerror(errno));
        return 1;
    }
    sockaddr_in bound{};
    socklen_t boundLength = sizeof bound;
    getsockname(listener, reinterpret_cast<sockaddr*>(&bound), &boundLength);
    std::fprintf(stderr, "PORT %d\n", ntohs(bound.sin_port));
    std::fflush(stderr);

    server.Listen(listener);
    server.Run();
    return 0;
}
