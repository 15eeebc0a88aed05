#include "sim/SimulatorServer.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zw::sim {

namespace {

constexpr size_t kReadChunk = size_t{1} << 16;

void MakeNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
}

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

int MillisecondsUntil(SimulatorServer::Clock::time_point when,
                      SimulatorServer::Clock::time_point now) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(when - now).count();
    return static_cast<int>(std::clamp<long long>(ms, 0, 1 << 30));
}

} // namespace

SimulatorServer::SimulatorServer(ServerOptions options, SimulatedInstrument::Record record,
                                 SimulatedInstrument::Wire wire)
    : options_(std::move(options)), record_(std::move(record)), wire_(std::move(wire)),
      state_(std::make_shared<InstrumentState>()), buffer_(kReadChunk) {
    state_->littleEndian = options_.instrument.littleEndian;
}

SimulatorServer::~SimulatorServer() {
    for (const auto& c : connections_)
        ::close(c->fd);
    if (listener_ >= 0)
        ::close(listener_);
}

void SimulatorServer::Listen(int listener) {
    if (listener_ >= 0)
        ::close(listener_);
    listener_ = listener;
    MakeNonBlocking(listener_);
}

void SimulatorServer::Serve(int connection) {
    MakeNonBlocking(connection);
    auto c = std::make_unique<Connection>();
    c->fd = connection;
    c->instrument =
        std::make_unique<SimulatedInstrument>(options_.instrument, record_, wire_, state_);
    c->lastActivity = Clock::now();
    connections_.push_back(std::move(c));
    record_("SESSION BEGIN");
}

void SimulatorServer::AcceptAll() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return; // none waiting, or a connection that went away meanwhile
        Serve(fd);
    }
}

void SimulatorServer::End(Connection& c, const std::string& why) {
    if (c.ending)
        return;
    c.ending = true;
    if (!why.empty())
        record_(why);
    record_("SESSION END");
    ++ended_;
}

void SimulatorServer::RemoveEnded() {
    std::erase_if(connections_, [](const std::unique_ptr<Connection>& c) {
        if (c->ending)
            ::close(c->fd);
        return c->ending;
    });
}

void SimulatorServer::Queue(Connection& c, const std::string& reply, Clock::time_point now) {
    if (options_.replyDelayMs > 0) {
        // Replies keep their order: each waits the delay after the one before.
        const Clock::time_point after = c.delayed.empty() ? now : c.delayed.back().due;
        c.delayed.push_back(
            {std::max(now, after) + std::chrono::milliseconds(options_.replyDelayMs), reply});
    } else {
        c.unsent += reply;
        c.unsent += '\n';
    }
}

void SimulatorServer::ReleaseDue(Connection& c, Clock::time_point now) {
    while (!c.delayed.empty() && c.delayed.front().due <= now) {
        c.unsent += c.delayed.front().text;
        c.unsent += '\n';
        c.delayed.pop_front();
    }
}

void SimulatorServer::Receive(Connection& c, Clock::time_point now) {
    const ssize_t n = ::recv(c.fd, buffer_.data(), buffer_.size(), 0);
    if (n < 0 && WouldBlock(errno))
        return;
    if (n <= 0) {
        End(c, {});
        return;
    }
    c.lastActivity = now;
    std::vector<std::string> replies;
    const bool keep = c.instrument->Feed(buffer_.data(), static_cast<size_t>(n), replies);
    for (const std::string& reply : replies)
        Queue(c, reply, now);
    if (!keep) {
        End(c, {});
        return;
    }
    size_t waiting = c.unsent.size();
    for (const Delayed& d : c.delayed)
        waiting += d.text.size() + 1;
    if (waiting > options_.maxUnreadReplyBytes)
        End(c, "DROPPED with " + std::to_string(waiting) + " reply bytes unread");
}

void SimulatorServer::Send(Connection& c, Clock::time_point now) {
    if (c.unsent.empty())
        return;
    const ssize_t n = ::send(c.fd, c.unsent.data(), c.unsent.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0) {
        if (!WouldBlock(errno))
            End(c, {});
        return;
    }
    c.unsent.erase(0, static_cast<size_t>(n));
    c.lastActivity = now;
}

int SimulatorServer::WaitMs(int maxWaitMs, Clock::time_point now) const {
    int wait = std::max(maxWaitMs, 0);
    for (const auto& c : connections_) {
        wait = std::min(
            wait, MillisecondsUntil(
                      c->lastActivity + std::chrono::milliseconds(options_.idleTimeoutMs), now));
        if (!c->delayed.empty())
            wait = std::min(wait, MillisecondsUntil(c->delayed.front().due, now));
    }
    return wait;
}

bool SimulatorServer::Step(int maxWaitMs) {
    if (Done())
        return false;
    std::vector<pollfd> polled;
    if (listener_ >= 0)
        polled.push_back({listener_, POLLIN, 0});
    for (const auto& c : connections_)
        polled.push_back(
            {c->fd, static_cast<short>(POLLIN | (c->unsent.empty() ? 0 : POLLOUT)), 0});
    const int ready =
        ::poll(polled.data(), static_cast<nfds_t>(polled.size()), WaitMs(maxWaitMs, Clock::now()));
    if (ready < 0 && errno != EINTR)
        return false;

    const Clock::time_point now = Clock::now();
    size_t at = 0;
    const bool accept = listener_ >= 0 && (polled[at++].revents & POLLIN) != 0;
    // Only the connections polled: those accepted now wait for the next round.
    const size_t polledConnections = polled.size() - at;
    for (size_t k = 0; k < polledConnections; ++k) {
        Connection& c = *connections_[k];
        const short events = polled[at + k].revents;
        if (events & (POLLIN | POLLHUP | POLLERR))
            Receive(c, now);
        if (!c.ending) {
            ReleaseDue(c, now);
            if (events & POLLOUT || !c.unsent.empty())
                Send(c, now);
        }
        if (!c.ending && now - c.lastActivity >= std::chrono::milliseconds(options_.idleTimeoutMs))
            End(c, "TIMEOUT after " + std::to_string(options_.idleTimeoutMs) + " ms idle");
        if (Done())
            break;
    }
    RemoveEnded();
    if (accept && !Done())
        AcceptAll();
    return !Done();
}

void SimulatorServer::Run() {
    while (Step(1000)) {
    }
}

} // namespace zw::sim
