// The simulator's network side: several clients at once, none holding up the
// others, idle and unread connections closed, over-long messages cut off.
#include "sim/SimulatorServer.h"
#include "SimulatorProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace zw::test;

namespace {

using Clock = std::chrono::steady_clock;

// A client socket, closed when it goes.
class Client {
public:
    explicit Client(int fd) : fd_(fd) {}
    ~Client() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    int fd() const { return fd_; }

    static Client Connect(int port) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        return Client(fd);
    }

    void Send(const std::string& text) const {
        EXPECT_EQ(::send(fd_, text.data(), text.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(text.size()));
    }
    // What arrives within `ms` up to a line end; "<closed>" when the peer
    // closes first, "" when nothing came.
    std::string ReadLine(int ms) const {
        std::string line;
        const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < deadline) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0)
                continue;
            char c = 0;
            const ssize_t n = ::recv(fd_, &c, 1, 0);
            if (n <= 0)
                return line.empty() ? "<closed>" : line;
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }

private:
    int fd_;
};

class SimulatorNetwork : public ::testing::Test {
protected:
    std::string dir_ = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "instsim-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    ~SimulatorNetwork() override { std::filesystem::remove_all(dir_); }
};

} // namespace

TEST_F(SimulatorNetwork, AnIdleClientDoesNotHoldUpAWorkingOne) {
    SimulatorProcess sim(dir_, {}, 3);
    const Client idle = Client::Connect(sim.Port());
    const Client silentReader = Client::Connect(sim.Port());
    silentReader.Send("*IDN?\n*IDN?\n"); // and never reads
    const Client working = Client::Connect(sim.Port());
    working.Send("*IDN?\n");
    EXPECT_EQ(working.ReadLine(5000), "ZW,SIM-ARB,0,1.00");
    working.Send("VOLT 1.5\nVOLT?\n");
    EXPECT_EQ(working.ReadLine(5000), "1.5");
}

TEST_F(SimulatorNetwork, AnIdleConnectionIsClosedAfterTheIdleTime) {
    SimulatorProcess sim(dir_, {"--idle-ms", "200"}, 1);
    const Client idle = Client::Connect(sim.Port());
    EXPECT_EQ(idle.ReadLine(5000), "<closed>");
    const std::string record = sim.WaitForRecord();
    EXPECT_NE(record.find("TIMEOUT after 200 ms idle\nSESSION END\n"), std::string::npos) << record;
}

TEST_F(SimulatorNetwork, AClientThatNeverReadsIsDroppedWhileOthersAreServed) {
    SimulatorProcess sim(dir_, {}, 2);
    const Client flooding = Client::Connect(sim.Port());
    std::thread flood([&] {
        std::string queries;
        for (int i = 0; i < 4096; ++i)
            queries += "*IDN?\n";
        // Replies pile up unread until the simulator drops the connection.
        for (int i = 0; i < 400; ++i)
            if (::send(flooding.fd(), queries.data(), queries.size(), MSG_NOSIGNAL) <= 0)
                return;
    });
    const Client working = Client::Connect(sim.Port());
    working.Send("*OPC?\n");
    EXPECT_EQ(working.ReadLine(5000), "1");
    flood.join();
    ::shutdown(working.fd(), SHUT_RDWR);
    const std::string record = sim.WaitForRecord();
    EXPECT_NE(record.find("reply bytes unread"), std::string::npos);
}

TEST_F(SimulatorNetwork, AnOverLongMessageEndsItsConnectionOnly) {
    SimulatorProcess sim(dir_, {}, 2, false);
    const Client endless = Client::Connect(sim.Port());
    const std::string chunk(1 << 20, 'A');
    size_t sent = 0;
    for (;;) {
        const ssize_t n = ::send(endless.fd(), chunk.data(), chunk.size(), MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += static_cast<size_t>(n);
        ASSERT_LT(sent, 4 * zw::sim::SimulatedInstrument::kMaxMessageBytes)
            << "the simulator kept taking an unterminated message";
    }
    const Client working = Client::Connect(sim.Port());
    working.Send("*IDN?\n");
    EXPECT_EQ(working.ReadLine(5000), "ZW,SIM-ARB,0,1.00");
}

TEST(SimulatorServer, ServesConnectionsInTurnWithDelayedRepliesInOrder) {
    zw::sim::ServerOptions options;
    options.replyDelayMs = 30;
    std::vector<std::string> records;
    zw::sim::SimulatorServer server(
        options, [&](const std::string& r) { records.push_back(r); }, nullptr);
    int a[2];
    int b[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, a), 0);
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, b), 0);
    server.Serve(a[0]);
    server.Serve(b[0]);
    const Client first(a[1]);
    const Client second(b[1]);
    first.Send("VOLT 3\n*OPC?;VOLT?\n");
    second.Send("*IDN?\n");
    std::string firstReplies;
    std::string secondReply;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline && (firstReplies.size() < 4 || secondReply.empty())) {
        server.Step(10);
        char buffer[64];
        const ssize_t n = ::recv(first.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0)
            firstReplies.append(buffer, static_cast<size_t>(n));
        const ssize_t m = ::recv(second.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
        if (m > 0)
            secondReply.append(buffer, static_cast<size_t>(m));
    }
    EXPECT_EQ(firstReplies, "1\n3\n");
    EXPECT_EQ(secondReply, "ZW,SIM-ARB,0,1.00\n");
    EXPECT_EQ(server.Connections(), 2u);
    ::shutdown(a[1], SHUT_WR);
    for (int i = 0; i < 10 && server.Connections() > 1; ++i)
        server.Step(10);
    EXPECT_EQ(server.Connections(), 1u);
    EXPECT_EQ(server.Ended(), 1);
    EXPECT_EQ(records.front(), "SESSION BEGIN");
    EXPECT_EQ(records.back(), "SESSION END");
}
